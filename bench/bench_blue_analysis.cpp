// "蓝球号码分析" on the real draw history from 2020001 on (983 draws): reading kjhm, counting
// and writing lqtx, as one press of the menu item does after its prompt.

#include "bench_harness.h"
#include "bench_history.h"
#include "blue/blue_analysis.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool smoke = bench::smokeRun(argc, argv);
    QTemporaryDir dir;
    ssq::Database db(dir.filePath(u"ssq.mdb"_s));
    if (!bench::importRealHistory(db, u"2020001"_s))
        return 1;
    QString error;

    bool failed = false;
    bench::measure(
        "blue analysis of 983 draws, window 100", 15,
        [&] {
            const auto marks = ssq::readBlueMarks(db.connection(), &error);
            if (!marks || marks->size() != 983 ||
                !ssq::writeBlueCounts(db.connection(), ssq::blueCounts(*marks, 100), 100, &error)) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                failed = true;
            }
        },
        smoke);
    return failed ? 1 : 0;
}

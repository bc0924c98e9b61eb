// Importing the real draw history from 2020001 on (983 draws) into an empty database, each run
// on a fresh database made beforehand so that only the import is timed.

#include "bench_harness.h"
#include "store/database.h"
#include "store/history_import.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool smoke = bench::smokeRun(argc, argv);
    const QString file = QDir(QStringLiteral(SSQ_DATA_DIR)).filePath(u"ssq-history.csv"_s);
    if (!QFile::exists(file)) {
        std::fprintf(stderr, "the draw history data/ssq-history.csv is missing\n");
        return 1;
    }
    constexpr int kRuns = 9;

    QTemporaryDir dir;
    std::vector<std::unique_ptr<ssq::Database>> databases;
    for (int i = 0; i < (smoke ? 1 : kRuns + 1); ++i) {
        auto db = std::make_unique<ssq::Database>(dir.filePath(u"ssq%1.mdb"_s.arg(i)));
        QString error;
        if (!db->open(&error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        databases.push_back(std::move(db));
    }

    std::size_t next = 0;
    bool failed = false;
    bench::measure(
        "import 983 draws from 2020001 (empty database)", kRuns,
        [&] {
            const ssq::ImportReport r =
                ssq::importHistoryFile(databases[next++]->connection(), file, u"2020001"_s);
            if (!r.ok || r.imported != 983) {
                std::fprintf(stderr, "%s\n", qPrintable(r.message));
                failed = true;
            }
        },
        smoke);
    return failed ? 1 : 0;
}

// "导出选号结果" of every one of the 1,107,568 combinations, as a run with no condition keeps
// them: to a text file, to a text file with two blues (2,215,136 lines) and to CSV.

#include "bench_harness.h"

#include "model/red_code.h"
#include "tickets/ticket_export.h"

#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    const bool smoke = bench::smokeRun(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    ssq::SelectionResult all;
    for (int code = 1; code <= ssq::kComboCount; ++code)
        all.codes.push_back(code);

    bool ok = true;
    const auto job = [&](const QString& name, const ssq::BlueList& blues) {
        return [&, name, blues] {
            QString error;
            const QString path = dir.filePath(name);
            if (!ssq::writeTicketExport(path, all, blues, ssq::exportFormatOf(path), {}, &error)) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                ok = false;
            }
        };
    };
    bench::measure("export 1,107,568 combinations (.txt)", 9, job(u"all.txt"_s, {}), smoke);
    bench::measure("export with 2 blues, 2,215,136 lines (.txt)", 9, job(u"blue.txt"_s, {8, 12}),
                   smoke);
    bench::measure("export 1,107,568 combinations (.csv)", 9, job(u"all.csv"_s, {}), smoke);
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}

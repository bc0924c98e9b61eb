// The analyses of the characteristics and chart windows over the real draws from 2020001 on
// (983 draws): each reads the whole history and writes its table in one transaction, on the
// user-interface thread, so each must stay well under a second.

#include "analysis/hot_cold_characteristics.h"
#include "analysis/indicator_chart_data.h"
#include "analysis/pair_tables.h"
#include "bench_harness.h"
#include "bench_history.h"

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
    constexpr int kRuns = 15;
    bool failed = false;
    const auto check = [&failed](bool ok) { failed = failed || !ok; };

    bench::measure(
        "hot/cold characteristics into hmtx (window 100)", kRuns,
        [&] { check(ssq::analyseHotColdCharacteristics(db.connection(), u"100"_s).ok); }, smoke);
    bench::measure(
        "all 528 pairs into rhmtx", kRuns,
        [&] { check(ssq::writePairTable(db.connection(), ssq::PairList::AllPairs).ok); }, smoke);
    bench::measure(
        "32 neighbour pairs into rlhtx", kRuns,
        [&] { check(ssq::writePairTable(db.connection(), ssq::PairList::Neighbours).ok); }, smoke);
    bench::measure(
        "chart load of the last 100 issues", kRuns,
        [&] { check(ssq::loadIndicatorChart(db.connection(), u"100"_s).ok); }, smoke);
    return failed ? 1 : 0;
}

// The number trend chart over all 983 real draws of the 2020s: reading the draws and working out
// every omission and statistic, the model the window shows, the window opened on all draws up to
// its first paint, and one repaint of a full screen of the grid while scrolling.

#include "analysis/trend_chart.h"
#include "analysis/trend_chart_model.h"
#include "analysis/widgets/trend_chart_window.h"
#include "bench_harness.h"
#include "bench_history.h"

#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool smoke = bench::smokeRun(argc, argv);
    QTemporaryDir dir;
    ssq::Database db(dir.filePath(u"ssq.mdb"_s));
    if (!bench::importRealHistory(db, u"2020001"_s))
        return 1;
    constexpr int kRuns = 15;
    const QDate today = QDate::currentDate();
    bool failed = false;

    ssq::TrendChartModel model;
    bench::measure(
        "chart of all draws: read, omissions, statistics", kRuns,
        [&] { failed = failed || !ssq::loadTrendChart(db.connection(), 0, today).chart; }, smoke);
    bench::measure(
        "chart model of all draws opened", kRuns,
        [&] {
            ssq::TrendChartLoad load = ssq::loadTrendChart(db.connection(), 0, today);
            failed = failed || !load.chart;
            if (load.chart)
                model.setChart(std::move(*load.chart), load.decade);
        },
        smoke);
    std::printf("    %d draws\n", model.drawCount());

    // The window opens on the newest 30; the player then picks 全部.
    bench::measure(
        "window opened on all draws, first paint", kRuns,
        [&] {
            ssq::TrendChartWindow window(db);
            window.setAttribute(Qt::WA_DeleteOnClose, false);
            auto* choice = window.findChild<QComboBox*>(u"Combo1"_s);
            choice->setCurrentIndex(choice->count() - 1);
            window.grab();
        },
        smoke);

    ssq::TrendChartWindow window(db);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    auto* choice = window.findChild<QComboBox*>(u"Combo1"_s);
    choice->setCurrentIndex(choice->count() - 1);
    window.show();
    QScrollBar* bar = window.grid()->verticalScrollBar();
    int step = 0;
    bench::measure(
        "one screen of the grid repainted while scrolling", kRuns,
        [&] {
            bar->setValue((++step * 37) % std::max(1, bar->maximum()));
            window.grid()->viewport()->grab();
        },
        smoke);
    return failed ? 1 : 0;
}

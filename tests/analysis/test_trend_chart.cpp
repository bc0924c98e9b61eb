// The number trend chart against plain counts over slices of the real history, `ssq-cli trend`,
// and the window as a player uses it.

#include "analysis/trend_chart.h"
#include "analysis/trend_chart_model.h"
#include "analysis/trend_chart_render.h"
#include "analysis/widgets/trend_chart_window.h"
#include "analysis_fixtures.h"
#include "red/widgets/pdf_page_printer.h"
#include "store/database_decade.h"
#include "support/cli_run.h"
#include "support/scripted_prompter.h"
#include "support/stored_draws.h"
#include "support/widget_actions.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QProcess>
#include <QTableView>
#include <QTest>

#include <cmath>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

// The numbers a draw holds, as the 49 columns of the chart: reds 1..33, then blues 1..16.
bool holds(const test::HistoryDraw& d, int column) {
    if (column < 33)
        return std::find(d.red.begin(), d.red.end(), column + 1) != d.red.end();
    return d.blue == column - 32;
}

// Draws since the number was last held, scanning back from draw i; i + 1 when never.
int plainOmission(const QList<test::HistoryDraw>& draws, int i, int column) {
    for (int j = i; j >= 0; --j)
        if (holds(draws[j], column))
            return i - j;
    return i + 1;
}

struct Plain {
    int appearances = 0, average = 0, maxOmission = 0, maxRun = 0, current = 0;
};

Plain plainStatistics(const QList<test::HistoryDraw>& draws, int window, int column) {
    Plain p;
    const int first = int(draws.size()) - window;
    int run = 0;
    for (int i = first; i < draws.size(); ++i) {
        const bool held = holds(draws[i], column);
        p.appearances += held;
        run = held ? run + 1 : 0;
        p.maxRun = std::max(p.maxRun, run);
        p.maxOmission = std::max(p.maxOmission, plainOmission(draws, i, column));
    }
    p.average = int(std::floor(double(window - p.appearances) / (p.appearances + 1) + 0.5));
    p.current = plainOmission(draws, int(draws.size()) - 1, column);
    return p;
}

QString twoDigits(int n) {
    return QString::number(n).rightJustified(2, u'0');
}

// What `ssq-cli trend --last window` must print, from the plain counts.
QStringList plainStatisticsLines(const QList<test::HistoryDraw>& draws, int window) {
    QStringList lines;
    for (int c = 0; c < 49; ++c) {
        const Plain p = plainStatistics(draws, window, c);
        lines.append(u"%1\t%2\t%3\t%4\t%5\t%6\t%7"_s
                         .arg(c < 33 ? u"红"_s : u"蓝"_s, twoDigits(c < 33 ? c + 1 : c - 32))
                         .arg(p.appearances)
                         .arg(p.average)
                         .arg(p.maxOmission)
                         .arg(p.maxRun)
                         .arg(p.current));
    }
    return lines;
}

// The text of each page of the PDF, as pdftotext reads it.
QStringList pdfPages(const QString& path) {
    QProcess p;
    p.start(u"pdftotext"_s, {path, u"-"_s});
    p.waitForFinished();
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    pages.removeLast(); // after the last page's form feed
    return pages;
}

} // namespace

class TestTrendChart : public QObject {
    Q_OBJECT

    const QDate m_today{2026, 12, 7};

private Q_SLOTS:
    // Numbers not yet drawn in the first draws of a database count from the first stored draw.
    void agreesWithPlainCounts_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("window");
        // The day the chart is opened places the issues in their decade.
        QTest::addColumn<QDate>("today");
        const QDate in2003(2003, 12, 31);
        QTest::newRow("first draws, all") << u"2003001"_s << 12 << 12 << in2003;
        QTest::newRow("first draws, window 1") << u"2003001"_s << 12 << 1 << in2003;
        QTest::newRow("2020s, window 30") << u"2020001"_s << 150 << 30 << m_today;
        QTest::newRow("2010s, window 100") << u"2010001"_s << 250 << 100 << QDate(2019, 6, 1);
    }
    void agreesWithPlainCounts() {
        QFETCH(QString, from);
        QFETCH(int, stored);
        QFETCH(int, window);
        QFETCH(QDate, today);
        test::TempDatabase db;
        QVERIFY(test::addRealDraws(db.connection(), from, stored));
        const QList<test::HistoryDraw> draws = test::realDraws(from, stored);
        const auto before = test::drawTables(db.connection());

        const TrendChartLoad load = loadTrendChart(db.connection(), window, today);
        QVERIFY2(load.chart, qPrintable(load.message));
        const TrendChart& chart = *load.chart;
        QCOMPARE(chart.rowCount(), window);
        for (int r = 0; r < window; ++r) {
            const int i = stored - window + r;
            QCOMPARE(trendIssueText(chart, r, load.decade), draws[i].issueText);
            for (int c = 0; c < kTrendNumbers; ++c)
                QCOMPARE(chart.row(r).omission[c], plainOmission(draws, i, c));
        }
        for (int c = 0; c < kTrendNumbers; ++c) {
            const Plain p = plainStatistics(draws, window, c);
            const TrendStatistics& s = chart.statistics(c);
            QCOMPARE(s.appearances, p.appearances);
            QCOMPARE(s.averageOmission, p.average);
            QCOMPARE(s.maxOmission, p.maxOmission);
            QCOMPARE(s.maxRun, p.maxRun);
            QCOMPARE(s.currentOmission, p.current);
        }
        QCOMPARE(test::drawTables(db.connection()), before); // the chart writes nothing
    }

    // The columns the chart works out itself: big/small, zones, repeats of the draw before.
    void indicatorColumns() {
        const QList<test::HistoryDraw> draws = test::realDraws(u"2020001"_s, 40);
        const TrendChart chart(test::storedDraws(draws), 40);
        const auto text = [&](int r, TrendIndicator i) {
            return trendIndicatorText(chart.row(r), i);
        };
        QCOMPARE(text(0, TrendIndicator::Repeats), QString()); // the first stored draw
        for (int r = 0; r < 40; ++r) {
            int repeats = 0, big = 0, zones[3] = {};
            for (int n : draws[r].red) {
                big += n >= 18;
                ++zones[(n - 1) / 11];
                if (r > 0)
                    repeats += std::count(draws[r - 1].red.begin(), draws[r - 1].red.end(), n);
            }
            QCOMPARE(text(r, TrendIndicator::BigSmall), u"%1:%2"_s.arg(big).arg(6 - big));
            QCOMPARE(text(r, TrendIndicator::Zones),
                     u"%1:%2:%3"_s.arg(zones[0]).arg(zones[1]).arg(zones[2]));
            if (r > 0)
                QCOMPARE(text(r, TrendIndicator::Repeats), QString::number(repeats));
        }
    }

    // The decade the database records places the issues, even where the newest issue and
    // today's date would place them in another one.
    void recordedDecadePlacesTheIssues() {
        test::TempDatabase db;
        QVERIFY(test::addRealDraws(db.connection(), u"2010001"_s, 5));
        const TrendChartLoad inferred = loadTrendChart(db.connection(), 5, m_today);
        QCOMPARE(trendIssueText(*inferred.chart, 0, inferred.decade), u"2020001"_s);
        QString error;
        QVERIFY2(recordDecade(db.connection(), 2010, &error), qPrintable(error));
        const TrendChartLoad recorded = loadTrendChart(db.connection(), 5, m_today);
        QCOMPARE(trendIssueText(*recorded.chart, 0, recorded.decade), u"2010001"_s);
        QCOMPARE(trendIssueText(*recorded.chart, 4, recorded.decade), u"2010005"_s);
    }

    void refusals() {
        test::TempDatabase db;
        QVERIFY(loadTrendChart(db.connection(), 30, m_today).message.contains(u"还没有开奖记录"_s));
        QVERIFY(test::addRealDraws(db.connection(), u"2020001"_s, 20));
        const TrendChartLoad beyond = loadTrendChart(db.connection(), 21, m_today);
        QVERIFY(!beyond.chart);
        QCOMPARE(beyond.message, u"您选的期数超出了数据库中的记录范围,无法为您载入数据,"
                                 u"您的数据最高记录为20条,请重新选择"_s);
        QCOMPARE(loadTrendChart(db.connection(), 30, m_today, true).chart->rowCount(), 20);
        QCOMPARE(loadTrendChart(db.connection(), 0, m_today).chart->rowCount(), 20);
    }

    void cliStatisticsAndGrid() {
        test::TempDatabase db;
        QVERIFY(test::addRealDraws(db.connection(), u"2020001"_s, 60));
        const QList<test::HistoryDraw> draws = test::realDraws(u"2020001"_s, 60);
        const QStringList base{u"--db"_s, db.path(), u"trend"_s, u"--last"_s};

        for (int window : {1, 60}) {
            const test::CliRun run = test::runCli(base + QStringList{QString::number(window)});
            QCOMPARE(run.err, QString());
            QCOMPARE(run.status, 0);
            QCOMPARE(run.out.split(u'\n'), plainStatisticsLines(draws, window) + QStringList{{}});
        }

        const test::CliRun grid = test::runCli(base + QStringList{u"3"_s, u"--grid"_s});
        QCOMPARE(grid.status, 0);
        QStringList expected;
        for (int i = 57; i < 60; ++i) {
            QStringList cells{draws[i].issueText};
            for (int c = 0; c < 49; ++c)
                cells.append(QString::number(plainOmission(draws, i, c)));
            expected.append(cells.join(u'\t'));
        }
        QCOMPARE(grid.out.split(u'\n'), expected + QStringList{{}});

        const test::CliRun beyond = test::runCli(base + QStringList{u"61"_s});
        QCOMPARE(beyond.status, 3);
        QVERIFY(beyond.err.contains(u"您的数据最高记录为60条"_s));
        QCOMPARE(beyond.out, QString());
        for (const QString& bad : {u"0"_s, u"3abc"_s})
            QCOMPARE(test::runCli(base + QStringList{bad}).status, 3);
        QCOMPARE(test::runCli({u"--db"_s, db.path(), u"trend"_s}).status, 2);
    }

    void windowAsUsed() {
        test::TempDatabase db;
        QVERIFY(test::addRealDraws(db.connection(), u"2020001"_s, 120));
        const QList<test::HistoryDraw> draws = test::realDraws(u"2020001"_s, 120);
        test::ScriptedPrompter prompter;
        TrendChartWindow window(db.database(), nullptr, m_today);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QAbstractItemModelTester tester(window.model());
        TrendChartModel& model = *window.model();
        QTableView* grid = window.grid();

        QCOMPARE(model.drawCount(), 30);
        QCOMPARE(model.headerData(29, Qt::Vertical).toString(), u"2020120"_s);
        const QRect newest = grid->visualRect(model.index(29, 0));
        QVERIFY(grid->viewport()->rect().contains(newest));
        // A drawn number shows as its ball, an omission as its count until switched off.
        const int drawnColumn = draws[119].red[0] - 1;
        const int missedColumn = 33 + draws[119].blue % 16; // another blue number
        QCOMPARE(model.look(29, drawnColumn).kind, TrendCellLook::Kind::Ball);
        QCOMPARE(model.index(29, drawnColumn).data().toString(), twoDigits(draws[119].red[0]));
        QCOMPARE(model.index(29, missedColumn).data().toString(),
                 QString::number(plainOmission(draws, 119, missedColumn)));
        window.findChild<QCheckBox*>(u"Check1"_s)->click();
        QCOMPARE(model.index(29, missedColumn).data().toString(), QString());
        window.findChild<QCheckBox*>(u"Check1"_s)->click();

        // Marks: red 5, red 33 and blue 8, then red 5 again unmarks it.
        const auto clickPick = [&](int column) {
            grid->scrollTo(model.index(model.pickRow(), column));
            const QRect cell = grid->visualRect(model.index(model.pickRow(), column));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        };
        for (int column : {4, 32, 40, 4, 2})
            clickPick(column);
        QCOMPARE(model.pickText(), u"03 33 + 08"_s);
        test::click(&window, u"Command2"_s);
        QCOMPARE(QApplication::clipboard()->text(), u"03 33 + 08"_s);

        auto* choice = window.findChild<QComboBox*>(u"Combo1"_s);
        choice->setCurrentIndex(2); // 100
        QCOMPARE(model.drawCount(), 100);
        QCOMPARE(model.headerData(0, Qt::Vertical).toString(), u"2020021"_s);
        choice->setCurrentIndex(3); // 200: refused, the chart keeps its 100
        QCOMPARE(prompter.messageTexts().size(), 1);
        QCOMPARE(choice->currentIndex(), 2);
        QCOMPARE(model.drawCount(), 100);

        // The picture holds every row, not only those in view.
        const QString picture = db.folder() + u"/走势图.png"_s;
        prompter.answerFileName(picture);
        test::click(&window, u"Command3"_s);
        const QImage image(picture);
        QVERIFY(!image.isNull());
        QVERIFY(image.height() > (100 + 6) * 22);

        // All 120 draws and the six rows under them take several landscape pages, each with
        // the column titles.
        choice->setCurrentIndex(4);
        QCOMPARE(model.drawCount(), 120);
        const QString pdf = db.folder() + u"/走势图.pdf"_s;
        PdfPagePrinter printer(pdf);
        window.setPrinter(&printer);
        test::click(&window, u"Command4"_s);
        const int pages = (120 + 6 + trendRowsPerPage() - 1) / trendRowsPerPage();
        QVERIFY(pages > 1);
        const QStringList texts = pdfPages(pdf);
        QCOMPARE(texts.size(), pages);
        for (int page = 1; page <= pages; ++page)
            QVERIFY(texts[page - 1].contains(u"期号"_s) &&
                    texts[page - 1].contains(u"第%1页，共%2页"_s.arg(page).arg(pages)));
        QVERIFY(texts.first().contains(u"2020001"_s));
        QVERIFY(texts.last().contains(u"当前遗漏"_s));
    }
};

QTEST_MAIN(TestTrendChart)
#include "test_trend_chart.moc"

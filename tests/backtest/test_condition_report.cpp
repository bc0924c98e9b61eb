// "各条件统计": what each condition cuts alone against an engine walk with it alone, the draws
// it costs against plain counts, in `ssq-cli backtest --by-condition` and in the window.

#include "backtest/backtest.h"
#include "backtest/condition_report.h"
#include "backtest/condition_report_model.h"
#include "backtest/widgets/backtest_window.h"
#include "backtest/widgets/condition_report_view.h"
#include "red/condition_file.h"
#include "red/selection_engine.h"
#include "support/cli_run.h"
#include "support/draw_tables.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"
#include "support/widget_actions.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <numeric>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

// Conditions of every kind: numbers (1, 4, 5, 10, 36), code (12, 14, 19), hot/cold (38); the
// last-draw row 3 9 14 22 27 31 with its code digits.
PanelState mixedPanel() {
    PanelState p;
    const QStringList last{u"3"_s, u"9"_s, u"14"_s, u"22"_s, u"27"_s, u"31"_s, u"8"_s};
    for (int i = 0; i < last.size(); ++i)
        p.text1[1 + i] = last[i];
    const CodeDigits digits = codeDigits(redCode({3, 9, 14, 22, 27, 31}));
    p.text1[8] = QString::fromStdString(digits.text());
    for (int i = 0; i < 7; ++i)
        p.text1[9 + i] = QString::number(digits.d[i]);
    for (int k : {0, 1, 4, 5, 10, 12, 14, 19, 36, 38})
        p.check1[k] = 1;
    p.check2 = p.check3 = 1;
    p.text1[16] = u"12"_s;                         // 胆号 12
    p.text1[50] = u"130"_s, p.text1[51] = u"80"_s; // sum
    p.text1[52] = u"10"_s, p.text1[53] = u"7"_s;   // AC
    p.text1[62] = u"1"_s;                          // at most one repeat
    p.option1 = true;                              // 单
    p.text1[68] = u"0"_s, p.text1[69] = u"5"_s;    // digit-sum tail neither 0 nor 5
    p.text1[82] = u"5"_s, p.text1[83] = u"2"_s;    // 2..5 code digits repeated
    p.text1[144] = u"7"_s;                         // 绝杀 7
    p.text1[150] = u"2"_s;                         // at most two cold numbers
    p.text1[168] = u"3"_s;
    return p;
}

// Every condition tested, each with boxes that cut something.
PanelState everyConditionPanel() {
    PanelState p = mixedPanel();
    for (int k = 0; k <= 40; ++k)
        p.check1[k] = 1;
    p.option1 = false;
    p.option2 = true;
    const std::vector<std::pair<int, int>> boxes = {
        {16, 5},   {20, 1},   {21, 2},   {22, 3},    {26, 2},  {27, 1},  {28, 7},  {29, 8},
        {30, 9},   {31, 10},  {48, 1},   {49, 0},    {54, 4},  {55, 2},  {56, 4},  {57, 2},
        {58, 2},   {59, 0},   {60, 2},   {61, 0},    {64, 2},  {65, 0},  {74, 5},  {75, 2},
        {76, 4},   {77, 1},   {78, 4},   {79, 1},    {80, 6},  {81, 0},  {84, 6},  {85, 1},
        {86, 8},   {87, 4},   {88, 9},   {92, 1},    {93, 2},  {96, 2},  {97, 1},  {98, 9},
        {102, 0},  {103, 0},  {104, 3},  {109, 7},   {114, 1}, {119, 2}, {124, 8}, {129, 5},
        {134, 1},  {136, 3},  {137, 1},  {138, 3},   {139, 1}, {140, 3}, {141, 1}, {142, 30},
        {143, 15}, {144, 33}, {148, 40}, {149, -60}, {151, 0}, {152, 5}, {153, 2}, {154, 3},
        {155, 0}};
    for (const auto& [box, value] : boxes)
        p.text1[box] = QString::number(value);
    return p;
}

HotColdValues sampleHotCold() {
    HotColdValues hv{};
    for (int n = 1; n <= kRedMax; ++n)
        hv[n] = (n * 7) % 41 - 25;
    return hv;
}

// What the engine keeps with condition k alone, every failure dropped.
int keptAlone(const SelectionInputs& inputs, int k) {
    SelectionInputs alone = inputs;
    for (int j = 1; j <= 40; ++j)
        alone.check[j] = j == k;
    alone.t[168] = alone.t[169] = 0;
    alone.check4 = false;
    return *SelectionEngine(alone).countKept();
}

} // namespace

class TestConditionReport : public QObject {
    Q_OBJECT

    test::TempDatabase m_db;
    test::ScriptedPrompter m_prompter;
    const int m_stored = 60;
    const int m_last = 25;

    // The back-tested draws whose sum lies outside 80..130, counted from the history file.
    int plainSumFailures() {
        int failures = 0;
        for (const test::HistoryDraw& d :
             test::realDraws(u"2020001"_s, m_stored).mid(m_stored - m_last)) {
            const int sum = std::accumulate(d.red.begin(), d.red.end(), 0);
            failures += sum < 80 || sum > 130;
        }
        return failures;
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(m_db.isValid(), qPrintable(m_db.error()));
        QVERIFY(test::addRealDraws(m_db.connection(), u"2020001"_s, m_stored));
    }

    // Every condition, each with boxes that cut something, against a walk with it alone.
    void aloneCountsAgreeWithTheEngine() {
        const SelectionInputs inputs = readSelectionInputs(everyConditionPanel(), sampleHotCold());
        const std::array<int, 41> alone = *aloneFailedCounts(inputs, nullptr, 2);
        for (int k = 1; k <= 40; ++k) {
            QVERIFY(conditionTested(inputs, k));
            QCOMPARE(alone[k], kComboCount - keptAlone(inputs, k));
            QVERIFY2(alone[k] > 0, qPrintable(QString::number(k)));
        }
        // A condition not tested cuts nothing: sum 21..21 alone keeps only 1 2 3 4 5 6.
        PanelState one;
        one.check1[0] = one.check1[4] = 1;
        one.text1[50] = one.text1[51] = u"21"_s;
        const std::array<int, 41> sumOnly = *aloneFailedCounts(readSelectionInputs(one, {}));
        QCOMPARE(sumOnly[4], kComboCount - 1);
        QCOMPARE(sumOnly[5], 0);

        std::atomic_bool cancel{true};
        QVERIFY(!aloneFailedCounts(inputs, &cancel));
    }

    void reportRowsOfABacktest() {
        const Backtest backtest(mixedPanel(), sampleHotCold(), loadDraws(m_db.connection()),
                                {m_last, false});
        const BacktestResult result = backtest.run();
        QVERIFY(!result.refusal);
        const std::vector<ConditionReportRow> report =
            conditionReport(result.now, *aloneFailedCounts(result.now), result.rows);
        QList<int> numbers;
        for (const ConditionReportRow& row : report)
            numbers.append(row.condition);
        QCOMPARE(numbers, (QList<int>{1, 4, 5, 10, 12, 14, 19, 36, 38}));
        const ConditionReportRow& sum = report[1];
        QCOMPARE(sum.draws, m_last);
        QCOMPARE(sum.failedDraws, plainSumFailures());
        for (const ConditionReportRow& row : report) {
            int listed = 0; // the per-draw list's "未通过的条件" naming this condition
            for (const BacktestRow& r : result.rows)
                listed += failedText(r.failed).split(u',').contains(QString::number(row.condition));
            QCOMPARE(row.failedDraws, listed);
        }
    }

    void cliByCondition() {
        const QString path = m_db.folder() + u"/条件.ssqpanel.json"_s;
        QVERIFY(saveConditionFile(path, mixedPanel(), sampleHotCold(), nullptr));
        const QStringList args{u"--db"_s, m_db.path(), u"backtest"_s,          u"--panel"_s,
                               path,      u"--last"_s, QString::number(m_last)};
        const test::CliRun plain = test::runCli(args);
        const test::CliRun by = test::runCli(args + QStringList{u"--by-condition"_s});
        QCOMPARE(by.status, 0);
        QStringList lines = by.out.split(u'\n');
        QVERIFY(lines.size() > 9);
        // The usual lines first, unchanged, then one line per condition in use.
        QCOMPARE(lines.mid(0, m_last + 1), plain.out.split(u'\n').mid(0, m_last + 1));
        lines = lines.mid(m_last + 1);
        QCOMPARE(lines.takeLast(), QString());
        QCOMPARE(lines.size(), 9);
        const SelectionInputs now = readSelectionInputs(mixedPanel(), sampleHotCold());
        QCOMPARE(lines[1], u"4\t4、和值\t%1\t%2\t%3"_s.arg(kComboCount - keptAlone(now, 4))
                               .arg(plainSumFailures())
                               .arg(m_last));
        QVERIFY(lines[8].startsWith(u"38\t38、冷号个数\t"_s));
    }

    void windowShowsTheCostliestFirst() {
        BacktestWindow window(m_db.database(), [] { return mixedPanel(); });
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        auto* view = window.findChild<ConditionReportView*>();
        QVERIFY(view);
        QAbstractItemModelTester tester(view->model());
        QSignalSpy ready(view, &ConditionReportView::reportReady);
        test::retype(&window, u"Text1"_s, QString::number(m_last));
        test::click(&window, u"Command1"_s);
        QVERIFY(ready.wait(120000));

        QAbstractItemModel* shown = view->table()->model();
        QCOMPARE(shown->rowCount(), 9);
        const auto cell = [&](int row, int column) {
            return shown->index(row, column).data().toString();
        };
        for (int r = 1; r < shown->rowCount(); ++r)
            QVERIFY(cell(r - 1, 3).toInt() >= cell(r, 3).toInt());
        // Sorted by condition again, the sum's row shows its share of the draws.
        view->table()->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
        QCOMPARE(cell(1, 0), u"4、和值"_s);
        QCOMPARE(cell(1, 4), shareText(double(plainSumFailures()) / m_last));
    }
};

QTEST_MAIN(TestConditionReport)
#include "test_condition_report.moc"

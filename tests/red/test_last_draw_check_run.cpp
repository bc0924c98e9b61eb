#include "model/red_code.h"
#include "red/condition_set.h"
#include "red/last_draw_check_run.h"
#include "store/draw_entry.h"
#include "support/temp_database.h"

#include <QSqlQuery>
#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

const RedCombo kNewest{4, 9, 13, 22, 27, 31};

bool add(QSqlDatabase db, int issue, const RedCombo& red, int blue) {
    return addDraw(db, DrawInput{issue, red, blue}).written;
}

// A saved set whose outcome on kNewest is known: see ticksFailedConditions.
PanelState savedSet() {
    PanelState p;
    int sum = 0;
    for (int n : kNewest)
        sum += n;
    p.text1[50] = QString::number(sum - 1); // 4: the sum is one above the maximum
    p.text1[51] = u"21"_s;
    p.text1[52] = u"15"_s; // 5: any AC value passes
    p.text1[53] = u"5"_s;
    p.text1[142] = QString::number(kNewest[5] - kNewest[0]); // 35: the span exactly, passes
    p.text1[143] = p.text1[142];
    p.text1[20] = u"13"_s; // 2: one number drawn, empty bounds
    const CodeDigits digits = codeDigits(redCode(kNewest));
    p.text1[104] = QString::number(digits.d[6]); // 25: the 个位 digit
    p.text1[60] = u"3"_s;                        // 9: only the maximum given
    p.option2 = redCode(kNewest) % 2 == 1;       // 12: "双" for an odd code
    p.option1 = !p.option2;                      // or "单" for an even one
    return p;
}

} // namespace

class TestLastDrawCheckRun : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void emptyHistoryChangesNothing();
    void ticksFailedConditions();
    void firstDrawReadsZeroIndicators();
    void unusableSavedSetChangesNothing();
};

void TestLastDrawCheckRun::emptyHistoryChangesNothing() {
    test::TempDatabase t;
    QVERIFY2(t.isValid(), qPrintable(t.error()));
    PanelState panel;
    panel.text1[1] = u"5"_s;
    panel.check1[4] = 1;
    const PanelState before = panel;
    const LastDrawCheckRun run = runLastDrawCheck(t.connection(), panel);
    QVERIFY(!run.ok);
    QVERIFY2(run.message.contains(u"还没有开奖记录"_s), qPrintable(run.message));
    QVERIFY(panel == before);
}

void TestLastDrawCheckRun::ticksFailedConditions() {
    test::TempDatabase t;
    QVERIFY(t.isValid());
    QVERIFY(add(t.connection(), 7001, {1, 5, 12, 20, 27, 33}, 8));
    QVERIFY(add(t.connection(), 7002, {2, 9, 14, 21, 28, 30}, 3));
    QVERIFY(add(t.connection(), 7003, kNewest, 11));

    PanelState toSave = savedSet();
    QVERIFY(saveConditionSet(t.connection(), toSave).ok);

    // The player's panel before the check: other inputs, other ticks, an old last draw.
    PanelState panel;
    panel.text1[1] = u"1"_s;
    panel.text1[50] = u"999"_s;
    panel.check1.fill(1);
    panel.check2 = 1;
    panel.text3[7] = u"7"_s;
    const LastDrawCheckRun run = runLastDrawCheck(t.connection(), panel);
    QVERIFY2(run.ok, qPrintable(run.message));

    QList<int> ticks;
    for (int k = 1; k <= 40; ++k) {
        if (panel.check1[k])
            ticks.append(k);
    }
    QCOMPARE(ticks, (QList<int>{2, 4, 12, 25}));
    QCOMPARE(run.message, lastDrawCheckMessage(4));
    QCOMPARE(run.check.count, 4);

    // The last-draw row holds the newest draw and its code; the saved set is restored.
    for (int i = 0; i < 6; ++i)
        QCOMPARE(panel.text1[1 + i], QString::number(kNewest[i]));
    QCOMPARE(panel.text1[7], u"11"_s);
    const CodeDigits digits = codeDigits(redCode(kNewest));
    QCOMPARE(panel.text1[8], QString::fromStdString(digits.text()));
    QCOMPARE(panel.text1[15], QString::number(digits.d[6]));
    QCOMPARE(panel.text1[50], toSave.text1[50]);
    QCOMPARE(panel.option1, toSave.option1);
    QCOMPARE(panel.option2, toSave.option2);
    // Zone boxes and markers are left alone.
    QCOMPARE(panel.check1[0], 1);
    QCOMPARE(panel.check2, 1);
    QCOMPARE(panel.text3[7], u"7"_s);
}

void TestLastDrawCheckRun::firstDrawReadsZeroIndicators() {
    test::TempDatabase t;
    QVERIFY(t.isValid());
    QVERIFY(add(t.connection(), 7001, {3, 8, 15, 21, 27, 30}, 9));
    PanelState toSave;
    toSave.text1[50] = u"150"_s; // 4: the stored sum reads 0, below the minimum
    toSave.text1[51] = u"100"_s;
    toSave.text1[148] = u"10"_s; // 37: 0 lies inside
    toSave.text1[149] = u"-10"_s;
    toSave.option1 = true; // 12: parity 0 is neither odd nor even
    QVERIFY(saveConditionSet(t.connection(), toSave).ok);

    PanelState panel;
    const LastDrawCheckRun run = runLastDrawCheck(t.connection(), panel);
    QVERIFY2(run.ok, qPrintable(run.message));
    QCOMPARE(run.check.count, 1);
    QVERIFY(run.check.ticked[4]);
    QCOMPARE(panel.check1[4], 1);
    QCOMPARE(panel.text1[8],
             QString::fromStdString(codeDigits(redCode({3, 8, 15, 21, 27, 30})).text()));
}

void TestLastDrawCheckRun::unusableSavedSetChangesNothing() {
    test::TempDatabase t;
    QVERIFY(t.isValid());
    QVERIFY(add(t.connection(), 7001, {3, 8, 15, 21, 27, 30}, 9));
    QVERIFY(QSqlQuery(t.connection()).exec(u"delete from tjbc where 编号 > 100"_s));
    PanelState panel;
    panel.check1[3] = 1;
    const PanelState before = panel;
    const LastDrawCheckRun run = runLastDrawCheck(t.connection(), panel);
    QVERIFY(!run.ok);
    QVERIFY(!run.message.isEmpty());
    QVERIFY(panel == before);
}

QTEST_GUILESS_MAIN(TestLastDrawCheckRun)
#include "test_last_draw_check_run.moc"

// The saved condition set in tjbc: what "保存条件设置" writes and "条件再现" puts back, on a real
// database file.

#include "red/condition_set.h"
#include "support/temp_database.h"

#include <QSqlQuery>
#include <QStringList>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList storedTexts(QSqlDatabase db) {
    QStringList texts;
    QSqlQuery q(db);
    q.exec(u"select 内容 from tjbc order by 编号"_s);
    while (q.next())
        texts.append(q.value(0).isNull() ? u"<null>"_s : q.value(0).toString());
    return texts;
}

void setStored(QSqlDatabase db, int row, const QString& text) {
    QSqlQuery q(db);
    q.prepare(u"update tjbc set 内容 = ? where 编号 = ?"_s);
    q.addBindValue(text);
    q.addBindValue(row);
    QVERIFY(q.exec());
}

ssq::PanelState filledPanel() {
    ssq::PanelState panel;
    for (int i = 16; i <= 169; ++i)
        panel.text1[i] = QString::number(i * 3 % 40);
    panel.text1[50] = u" 07"_s;   // kept as typed, not as the number
    panel.text1[104] = u"0"_s;    // the digit 0 ...
    panel.text1[105] = QString(); // ... and no digit
    panel.text1[144] = u"三十三"_s;
    panel.option1 = true;
    panel.check1[4] = 1;
    return panel;
}

} // namespace

class TestConditionSet : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void saveThenRestoreGivesTheInputsBack();
    void restoreSetsTheChoiceFromTheSavedFlags_data();
    void restoreSetsTheChoiceFromTheSavedFlags();
    void tooFewRowsChangeNothing();
};

void TestConditionSet::saveThenRestoreGivesTheInputsBack() {
    ssq::test::TempDatabase temp;
    QVERIFY2(temp.isValid(), qPrintable(temp.error()));
    ssq::PanelState panel = filledPanel();
    const ssq::ConditionSetOutcome saved = ssq::saveConditionSet(temp.connection(), panel);
    QVERIFY2(saved.ok, qPrintable(saved.message));
    QCOMPARE(
        saved.message,
        u"条件保存完毕,您要查看条件或需要将条件再次输入时,请点击菜单“数据操作”内的“条件再现”"_s);
    QCOMPARE(panel.text1[170], u"1"_s);
    QCOMPARE(panel.text1[171], u"0"_s);

    // Row 1 is left alone; row r holds Text1 r + 14.
    const QStringList stored = storedTexts(temp.connection());
    QCOMPARE(stored.size(), 157);
    QCOMPARE(stored[0], u"<null>"_s);
    QCOMPARE(stored[1], panel.text1[16]);
    QCOMPARE(stored[50 - 15], u" 07"_s);
    QCOMPARE(stored[156], u"0"_s);

    // Another panel: other boxes checked, 双 chosen, its own last draw and markers.
    ssq::PanelState other;
    other.text1[1] = u"5"_s;
    other.check1[7] = 1;
    other.check2 = 1;
    other.check4 = 1;
    other.text3[9] = u"9"_s;
    other.option2 = true;
    const ssq::PanelState before = other;
    const ssq::ConditionSetOutcome restored = ssq::restoreConditionSet(temp.connection(), other);
    QVERIFY2(restored.ok, qPrintable(restored.message));
    QVERIFY(restored.message.isEmpty());
    for (int i = 16; i <= 171; ++i)
        QCOMPARE(other.text1[i], panel.text1[i]);
    QCOMPARE(other.text1[105], QString());
    QCOMPARE(other.text1[1], u"5"_s);
    QVERIFY(other.option1);
    QVERIFY(!other.option2);
    QCOMPARE(other.check1, before.check1);
    QCOMPARE(other.check2, before.check2);
    QCOMPARE(other.check4, before.check4);
    QCOMPARE(other.text3, before.text3);
}

void TestConditionSet::restoreSetsTheChoiceFromTheSavedFlags_data() {
    QTest::addColumn<QString>("odd");
    QTest::addColumn<QString>("even");
    QTest::addColumn<bool>("wasOdd");
    QTest::addColumn<bool>("wasEven");
    QTest::addColumn<bool>("option1");
    QTest::addColumn<bool>("option2");
    QTest::newRow("单 saved") << u"1"_s << u"0"_s << false << true << true << false;
    QTest::newRow("双 saved") << u"0"_s << u"1"_s << true << false << false << true;
    QTest::newRow("neither saved") << u"0"_s << u"0"_s << true << false << false << false;
    QTest::newRow("empty reads 0") << QString() << QString() << true << false << false << false;
    QTest::newRow("other values leave it") << u"2"_s << u"abc7"_s << true << false << true << false;
    QTest::newRow("choosing one clears the other")
        << u"1"_s << u"5"_s << false << true << true << false;
}

void TestConditionSet::restoreSetsTheChoiceFromTheSavedFlags() {
    QFETCH(QString, odd);
    QFETCH(QString, even);
    QFETCH(bool, wasOdd);
    QFETCH(bool, wasEven);
    ssq::test::TempDatabase temp;
    QVERIFY(temp.isValid());
    setStored(temp.connection(), 156, odd);
    setStored(temp.connection(), 157, even);
    ssq::PanelState panel;
    panel.option1 = wasOdd;
    panel.option2 = wasEven;
    QVERIFY(ssq::restoreConditionSet(temp.connection(), panel).ok);
    QTEST(panel.option1, "option1");
    QTEST(panel.option2, "option2");
    QCOMPARE(panel.text1[170], odd);
}

void TestConditionSet::tooFewRowsChangeNothing() {
    ssq::test::TempDatabase temp;
    QVERIFY(temp.isValid());
    QSqlQuery q(temp.connection());
    QVERIFY(q.exec(u"delete from tjbc where 编号 = 157"_s));
    setStored(temp.connection(), 2, u"已存"_s);
    const QStringList before = storedTexts(temp.connection());

    ssq::PanelState panel = filledPanel();
    const ssq::PanelState unchanged = panel;
    const ssq::ConditionSetOutcome saved = ssq::saveConditionSet(temp.connection(), panel);
    QVERIFY(!saved.ok);
    QVERIFY2(saved.message.contains(u"157"_s), qPrintable(saved.message));
    QCOMPARE(storedTexts(temp.connection()), before);
    QVERIFY(panel == unchanged);

    const ssq::ConditionSetOutcome restored = ssq::restoreConditionSet(temp.connection(), panel);
    QVERIFY(!restored.ok);
    QCOMPARE(restored.message, saved.message);
    QVERIFY(panel == unchanged);
}

QTEST_GUILESS_MAIN(TestConditionSet)
#include "test_condition_set.moc"

// Draw entry on a real database: the first record, the short-history rule, hot/cold values,
// refused issues, exact delete, hand edits, all-or-nothing writes; reading the draws back.

#include "model/hot_cold.h"
#include "model/indicators.h"
#include "store/cell_edit_rule.h"
#include "store/draw_entry.h"
#include "store/draw_history.h"
#include "support/draw_tables.h"
#include "support/temp_database.h"

#include <QSqlQuery>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace ssq;
using ssq::test::tableRows;

namespace {

const QString kFirst =
    u"您的数据库没有数据记录，这里将添加第一条记录,第一条记录只录取开奖数据,不录取指标"_s;
const QString kShort = u"您的数据库中的记录不足22条，将不录取冷热值一类的4个指标"_s;
const QString kAdded = u"数据添加完毕"_s;
const QString kModified = u"数据修改完成并已保存"_s;

QStringList texts(const EntryResult& r) {
    QStringList out;
    for (const EntryMessage& m : r.messages)
        out.append(m.text);
    return out;
}

QList<int> filledCells(const QVariantList& row) {
    QList<int> filled;
    for (int i = 0; i < row.size(); ++i)
        if (!row[i].isNull())
            filled.append(i);
    return filled;
}

// Each indicator k sits in kjzb column k + 2.
void expectIndicators(const QVariantList& kjzbRow, const Indicators& x) {
    for (int k = 1; k <= 41; ++k)
        QCOMPARE(kjzbRow[k + 2].toInt(), x[k]);
}

} // namespace

class TestDrawEntry : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TempDatabase> m_temp;
    QList<test::HistoryDraw> m_real;

    QSqlDatabase db() { return m_temp->connection(); }
    QList<int> issues(const QString& table) {
        QList<int> out;
        for (const QVariantList& row : tableRows(db(), table))
            out.append(row[0].toInt());
        return out;
    }
    EntryResult add(int i) { return addDraw(db(), m_real[i].input()); }
    HotColdValues hotColdOfReal(int count) {
        std::vector<RedCombo> reds;
        for (int i = 0; i < count; ++i)
            reds.push_back(m_real[i].red);
        return hotColdValues(reds);
    }

private Q_SLOTS:
    void initTestCase() {
        m_real = test::realDraws(u"2020001"_s, 30);
        QVERIFY2(m_real.size() == 30, "the real draw history data/ssq-history.csv is needed");
    }
    void init() { m_temp = std::make_unique<test::TempDatabase>(); }

    // The first record holds the numbers only; code 0000001 keeps its zero digits.
    void firstRecordThenCodeDigits() {
        QCOMPARE(texts(addDraw(db(), {7001, {1, 5, 12, 20, 27, 33}, 8})),
                 (QStringList{kFirst, kAdded}));
        QCOMPARE(filledCells(tableRows(db(), u"kjhm"_s)[0]),
                 (QList<int>{0, 1, 5, 12, 20, 27, 33, 41}));
        QCOMPARE(tableRows(db(), u"kjzb"_s)[0].mid(1, 2),
                 (QVariantList{u"1 5 12 20 27 33 +8"_s, u"0096810"_s}));

        QVERIFY(addDraw(db(), {7002, {1, 2, 3, 4, 5, 6}, 16}).written);
        QCOMPARE(filledCells(tableRows(db(), u"kjdm"_s)[1]),
                 (QList<int>{0, 1, 3, 13, 23, 33, 43, 54}));
        QCOMPARE(tableRows(db(), u"kjzb"_s)[1].mid(1, 2),
                 (QVariantList{u"1 2 3 4 5 6+16"_s, u"0000001"_s}));
    }

    // Draws 2..22 get the short-history message and zero hot/cold cells; the 23rd gets its own.
    void shortHistoryThenFull() {
        QVERIFY(add(0).written);
        for (int i = 1; i < 22; ++i) {
            QCOMPARE(texts(add(i)), (QStringList{kShort, kAdded}));
            const QVariantList zb = tableRows(db(), u"kjzb"_s)[i];
            QCOMPARE(zb.mid(25, 10), (QVariantList{0, 0, 6, 0, 0, 0, 0, 0, 0, 0}));
            expectIndicators(zb,
                             drawIndicators(m_real[i].red, m_real[i].blue, m_real[i - 1].red, {}));
        }
        QCOMPARE(texts(add(22)), QStringList{kAdded});
        expectIndicators(
            tableRows(db(), u"kjzb"_s)[22],
            drawIndicators(m_real[22].red, m_real[22].blue, m_real[21].red, hotColdOfReal(22)));
    }

    // An issue already stored, or below the newest, is refused and changes nothing; delete
    // removes one row of each table only for an issue stored exactly.
    void storedOrLowerIssuesAreRefusedDeleteIsExact() {
        for (int i : {0, 1, 2, 3})
            QVERIFY(add(i).written);
        QSqlQuery q(db());
        for (const QString& t : {u"kjhm"_s, u"kjdm"_s, u"kjzb"_s})
            QVERIFY(q.exec(u"INSERT INTO %1 (期号) VALUES (0)"_s.arg(t))); // an issue-0 row
        const auto before = test::drawTables(db());
        const QList<std::pair<EntryResult, QStringList>> refused{
            {add(1), {u"第0002期已经存在"_s, u"自动修改数据"_s}},
            {addDraw(db(), {3, {1, 2, 3, 4, 5, 6}, 1}), {u"第0003期已经存在"_s}},
            {addDraw(db(), {-1, {1, 2, 3, 4, 5, 6}, 1}),
             {u"比数据库中最新的第0004期小"_s, u"新的数据库"_s}},
            {deleteDraw(db(), 3.5), {u"数据库中没有第3.5期的开奖数据"_s}},
            {deleteDraw(db(), 99999999999.0), {u"没有第99999999999期"_s}}};
        for (const auto& [r, words] : refused) {
            QVERIFY(!r.written && r.messages.last().warning);
            for (const QString& w : words)
                QVERIFY2(r.messages.last().text.contains(w), qPrintable(r.messages.last().text));
        }
        QCOMPARE(test::drawTables(db()), before);

        QCOMPARE(texts(deleteDraw(db(), 2)), QStringList{u"第0002期的所有数据删除完毕"_s});
        for (const QString& t : {u"kjhm"_s, u"kjdm"_s, u"kjzb"_s})
            QCOMPARE(issues(t), (QList<int>{0, 1, 3, 4}));
    }

    // A hand-edited issue (7018.4 for 7018) is found and rewritten in all three tables.
    void modifyRewritesAHandEditedIssue() {
        for (int i = 0; i < 5; ++i)
            QVERIFY(add(i).written);
        QSqlQuery q(db());
        QVERIFY(q.exec(u"UPDATE kjhm SET 期号 = 4.4 WHERE 期号 = 4"_s));
        const RedCombo red{2, 9, 14, 21, 28, 33};
        QCOMPARE(texts(modifyDraw(db(), {4, red, 5})), (QStringList{kShort, kModified}));
        for (const QString& t : {u"kjhm"_s, u"kjdm"_s, u"kjzb"_s})
            QCOMPARE(issues(t), (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(tableRows(db(), u"kjzb"_s)[3][1].toString(), u"2 9 14 21 28 33+5"_s);
        QCOMPARE(tableRows(db(), u"kjhm"_s)[3][0].toDouble(), 4.0);
    }

    // A hand edit stores numbers only where the column holds numbers, and an issue only when it
    // is whole and can be stored and read back; a refusal quotes a bounded part of the text.
    void cellEditRule_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem"); // empty: stored
        QTest::newRow("issue letters")
            << u"kjhm"_s << 0 << u"7OO1"_s << u"第3行“期号”列只能填数字，“7OO1”不是数字"_s;
        QTest::newRow("issue fraction") << u"kjdm"_s << 0 << u"7018.4"_s << u"期号必须是整数"_s;
        QTest::newRow("largest issue") << u"kjhm"_s << 0 << u"2147483647"_s << QString();
        QTest::newRow("issue 2^31")
            << u"kjhm"_s << 0 << u"2147483648"_s << u"超出了期号能保存的范围"_s;
        QTest::newRow("huge issue")
            << u"kjhm"_s << 0 << QString(400, u'9') << u"超出了期号能保存的范围"_s;
        QTest::newRow("full-width issue") << u"kjhm"_s << 0 << u"７０１８"_s << u"只能填数字"_s;
        QTest::newRow("empty number") << u"kjhm"_s << 5 << QString() << QString();
        QTest::newRow("negative hot/cold") << u"kjzb"_s << 25 << u"-12"_s << QString();
        QTest::newRow("text in number") << u"kjhm"_s << 5 << u"abc"_s << u"“H5”列只能填数字"_s;
        QTest::newRow("number then text") << u"kjzb"_s << 3 << u"12abc"_s << u"不是数字"_s;
    }
    void cellEditRule() {
        QFETCH(QString, table);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, problem);
        const QString found = cellEditProblem(table, column, 3, text);
        QVERIFY2(problem.isEmpty() ? found.isEmpty() : found.contains(problem), qPrintable(found));
        QVERIFY(found.size() < 120);
    }

    // Modify recomputes against the row before, with hot/cold values from every stored row:
    // the modified one as it was stored and the later ones included. Other rows stay.
    void modifyUsesWholeHistory() {
        for (int i = 0; i < 30; ++i)
            QVERIFY(add(i).written);
        const QList<QVariantList> before = tableRows(db(), u"kjzb"_s);
        const RedCombo red{2, 9, 14, 21, 28, 33};
        QCOMPARE(texts(modifyDraw(db(), {m_real[24].issue, red, 5})), QStringList{kModified});
        const QList<QVariantList> after = tableRows(db(), u"kjzb"_s);
        expectIndicators(after[24], drawIndicators(red, 5, m_real[23].red, hotColdOfReal(30)));
        QCOMPARE(after[24][1].toString(), u"2 9 14 21 28 33+5"_s);
        QCOMPARE(after.mid(0, 24) + after.mid(25), before.mid(0, 24) + before.mid(25));
        QCOMPARE(filledCells(tableRows(db(), u"kjhm"_s)[24]),
                 (QList<int>{0, 2, 9, 14, 21, 28, 33, 38}));
    }

    // Refused writes, and a write failing at the third table, leave all three tables as they were.
    void refusedOrFailedWritesChangeNothing() {
        QCOMPARE(texts(modifyDraw(db(), {m_real[0].issue, m_real[0].red, m_real[0].blue})),
                 QStringList{kFirst}); // in an empty history modify stores the first record
        QVERIFY(add(1).written && add(2).written);
        QSqlQuery q(db());
        for (const QString& when : {u"INSERT"_s, u"UPDATE"_s})
            QVERIFY(q.exec(u"CREATE TRIGGER refuse_%1 BEFORE %1 ON kjzb "
                           u"BEGIN SELECT RAISE(ABORT, 'disk full'); END"_s.arg(when)));
        const auto before = test::drawTables(db());
        const QList<std::pair<EntryResult, QString>> refused{
            {modifyDraw(db(), {7009, {1, 2, 3, 4, 5, 6}, 1}), u"没有第7009期"_s},
            {modifyDraw(db(), {m_real[0].issue, {1, 2, 3, 4, 5, 7}, 1}), u"第一条记录"_s},
            {deleteDraw(db(), 7777), u"没有第7777期"_s},
            {add(3), u"数据添加失败"_s},
            {modifyDraw(db(), {m_real[2].issue, {1, 2, 3, 4, 5, 6}, 1}), u"数据修改失败"_s}};
        for (const auto& [r, words] : refused) {
            QVERIFY(!r.written && r.messages.last().warning);
            QVERIFY2(r.messages.last().text.contains(words), qPrintable(r.messages.last().text));
        }
        QCOMPARE(test::drawTables(db()), before);
    }

    // The stored draws read back in issue order, including rows edited by hand into bad shapes.
    void issueOrderAndMalformedRows() {
        QVERIFY(!newestDraw(db()));
        QSqlQuery q(db());
        for (const QString& row :
             {u"(期号,H3,H9,H14,H22,H27,H33,L16) VALUES (7009,3,9,14,22,27,33,16)"_s,
              u"(期号,H1,H5,H12,H20,H27,H33,L8) VALUES (7001,1,5,12,20,27,33,8)"_s,
              u"(期号,H1,H2,H3,H4,H5,H6,L2) VALUES (7009,1,2,3,4,5,6,2)"_s,      // the same issue
              u"(期号,H1,H2,H3,H4,H5,H6,H7,L1) VALUES (7004,1,2,3,4,5,6,7,1)"_s, // seven reds
              u"(期号,H1,H2,H3,H4,H5,H6,L2,L3) VALUES (7005,1,2,3,4,5,6,2,3)"_s, // two blues
              u"(期号,H1,H2,H3,H4,H5,H6,L1) VALUES (7006,1,2,3,4,5,9,1)"_s})     // H6 holds 9
            QVERIFY(q.exec(u"INSERT INTO kjhm "_s + row));
        const std::vector<StoredDraw> d = loadDraws(db());
        QCOMPARE(d.size(), 6u);
        QVERIFY(d[0].issue == 7001 && d[0].complete && d[0].blue == 8);
        QCOMPARE(d[0].red, (RedCombo{1, 5, 12, 20, 27, 33}));
        for (int i = 1; i <= 3; ++i)
            QVERIFY(d[i].issue == 7003 + i && !d[i].complete && d[i].red == RedCombo{});
        // Equal issues keep their stored order; the newest is the later one.
        QVERIFY(d[4].blue == 16 && d[5].blue == 2 && d[5].complete);
        QCOMPARE(newestDraw(db())->red, (RedCombo{1, 2, 3, 4, 5, 6}));
    }
};

QTEST_GUILESS_MAIN(TestDrawEntry)
#include "test_draw_entry.moc"

// Draw entry on a real database file: validation order, the first record, the short-history
// rule, hot/cold sources of add and automatic modify, duplicates, delete, and all-or-nothing
// writes.

#include "model/hot_cold.h"
#include "model/indicators.h"
#include "store/draw_entry.h"
#include "support/draw_tables.h"
#include "support/temp_database.h"

#include <QSqlQuery>
#include <QTest>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;
using namespace ssq;
using ssq::test::rowCount;
using ssq::test::tableRows;
using ssq::test::TempDatabase;

namespace {

const QString kFirst =
    u"您的数据库没有数据记录，这里将添加第一条记录,第一条记录只录取开奖数据,不录取指标"_s;
const QString kShort = u"您的数据库中的记录不足22条，将不录取冷热值一类的4个指标"_s;
const QString kAdded = u"数据添加完毕"_s;
const QString kModified = u"数据修改完成并已保存"_s;
const QString kDeleted = u"您指定期号的所有数据删除完毕"_s;

QStringList texts(const EntryResult& r) {
    QStringList out;
    for (const EntryMessage& m : r.messages)
        out.append(m.text);
    return out;
}

DrawInput draw(int issue, RedCombo red, int blue) {
    return {issue, red, blue};
}

// Positions of the cells that are not empty.
QList<int> filledCells(const QVariantList& row) {
    QList<int> filled;
    for (int i = 0; i < row.size(); ++i)
        if (!row[i].isNull())
            filled.append(i);
    return filled;
}

// kjzb columns 25..34: 冷热值, 冷号, 温号, 热号, 冷热1..冷热6.
QVariantList hotColdCells(const QVariantList& kjzbRow) {
    return kjzbRow.mid(25, 10);
}

QVariantList expectedHotCold(const RedCombo& red, const HotColdValues& hv) {
    const HotColdCounts c = hotColdCounts(red, hv);
    QVariantList out{c.sum, c.cold, c.warm, c.hot};
    for (int r : red)
        out.append(hv[r]);
    return out;
}

} // namespace

class TestDrawEntry : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDatabase> m_temp;
    QList<test::HistoryDraw> m_real;

    QSqlDatabase db() { return m_temp->connection(); }

    // Adds the first `count` real draws of 2020, checking each closing message.
    void addReal(int count) {
        for (int i = 0; i < count; ++i) {
            const test::HistoryDraw& d = m_real[i];
            const EntryResult r = addDraw(db(), draw(d.issue, d.red, d.blue));
            QVERIFY2(r.written, qPrintable(texts(r).join(u" | "_s)));
            QCOMPARE(texts(r).last(), kAdded);
        }
    }

    std::vector<RedCombo> realReds(int from, int count) {
        std::vector<RedCombo> reds;
        for (int i = from; i < from + count; ++i)
            reds.push_back(m_real[i].red);
        return reds;
    }

private Q_SLOTS:
    void initTestCase() {
        m_real = test::realDraws(u"2020001"_s, 40);
        QVERIFY2(m_real.size() == 40, "the real draw history (SSQ_SHARED_DATA) is needed");
    }
    void init() {
        m_temp = std::make_unique<TempDatabase>();
        QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
    }
    void cleanup() { m_temp.reset(); }

    // Only the issue's length is checked: four letters are issue 0. (The order of the checks
    // and their messages are tested by clicking the window.)
    void issueValue() {
        QString shown;
        std::optional<DrawInput> d = validateEntry(u"abcd"_s, {1, 2, 3, 4, 5, 6}, {1}, &shown);
        QVERIFY(d);
        QCOMPARE(d->issue, 0);
        QVERIFY(!validateEntry(u"7018"_s, {1, 2, 3, 4, 5, 6}, {3, 4}, &shown));
        QCOMPARE(shown, u"蓝球号码选择有误,请重新选择！"_s);
        QCOMPARE(issueOfText(u"0001"_s), 1);
    }

    void firstRecordIsPartial() {
        const EntryResult r = addDraw(db(), draw(7001, {1, 5, 12, 20, 27, 33}, 8));
        QVERIFY(r.written);
        QCOMPARE(texts(r), (QStringList{kFirst, kAdded}));

        const QVariantList hm = tableRows(db(), u"kjhm"_s).value(0);
        QCOMPARE(filledCells(hm), (QList<int>{0, 1, 5, 12, 20, 27, 33, 41}));
        QCOMPARE(hm[12].toInt(), 12);
        QCOMPARE(hm[41].toInt(), 8);
        QCOMPARE(filledCells(tableRows(db(), u"kjdm"_s).value(0)), QList<int>{0});
        const QVariantList zb = tableRows(db(), u"kjzb"_s).value(0);
        QCOMPARE(filledCells(zb), (QList<int>{0, 1, 2}));
        QCOMPARE(zb[0].toInt(), 7001);
        QCOMPARE(zb[1].toString(), u"1 5 12 20 27 33 +8"_s);
        QCOMPARE(zb[2].toString(),
                 QString::fromStdString(codeDigits(redCode({1, 5, 12, 20, 27, 33})).text()));
    }

    // Code 0000001: 0 in 百万0, 十万0, 万位0, 千位0, 百位0, 十位0 and 1 in 个位1.
    void codeRowKeepsZeroDigits() {
        addDraw(db(), draw(7001, {2, 3, 4, 5, 6, 7}, 1));
        QVERIFY(addDraw(db(), draw(7002, {1, 2, 3, 4, 5, 6}, 16)).written);
        const QVariantList dm = tableRows(db(), u"kjdm"_s).value(1);
        QCOMPARE(filledCells(dm), (QList<int>{0, 1, 3, 13, 23, 33, 43, 54}));
        QCOMPARE(dm[43].toInt(), 0);
        QCOMPARE(dm[54].toInt(), 1);
        const QVariantList zb = tableRows(db(), u"kjzb"_s).value(1);
        QCOMPARE(zb[1].toString(), u"1 2 3 4 5 6+16"_s);
        QCOMPARE(zb[2].toString(), u"0000001"_s);
    }

    // Draws 2..22 are stored with the short-history message and hot/cold cells from zeros;
    // the 23rd is measured against the 22 draws before it.
    void shortHistoryThenFull() {
        addReal(1);
        for (int i = 1; i < 22; ++i) {
            const test::HistoryDraw& d = m_real[i];
            const EntryResult r = addDraw(db(), draw(d.issue, d.red, d.blue));
            QCOMPARE(texts(r), (QStringList{kShort, kAdded}));
            const QVariantList zb = tableRows(db(), u"kjzb"_s).value(i);
            QCOMPARE(hotColdCells(zb), (QVariantList{0, 0, 6, 0, 0, 0, 0, 0, 0, 0}));
            // Indicators against the draw before it.
            const Indicators x = drawIndicators(d.red, d.blue, m_real[i - 1].red, {});
            for (int k = 1; k <= 41; ++k)
                QCOMPARE(zb[k + 2].toInt(), x[k]);
        }

        const test::HistoryDraw& d23 = m_real[22];
        const EntryResult r = addDraw(db(), draw(d23.issue, d23.red, d23.blue));
        QCOMPARE(texts(r), QStringList{kAdded});
        const HotColdValues hv = hotColdValues(realReds(0, 22));
        const QVariantList zb = tableRows(db(), u"kjzb"_s).value(22);
        QCOMPARE(hotColdCells(zb), expectedHotCold(d23.red, hv));
        QVERIFY(hotColdCells(zb) != (QVariantList{0, 0, 6, 0, 0, 0, 0, 0, 0, 0}));
    }

    void duplicateAndLowerIssuesAreAppended() {
        addReal(3);
        // Same issue again: a second row in every table.
        const test::HistoryDraw& d = m_real[2];
        QVERIFY(addDraw(db(), draw(d.issue, d.red, d.blue)).written);
        for (const QString& t : {u"kjhm"_s, u"kjdm"_s, u"kjzb"_s})
            QCOMPARE(rowCount(db(), t), 4);

        // A lower issue is accepted; its previous draw is still the highest issue.
        const RedCombo red{1, 2, 3, 4, 5, 6};
        QVERIFY(addDraw(db(), draw(0, red, 1)).written);
        const QVariantList zb = tableRows(db(), u"kjzb"_s).value(0);
        QCOMPARE(zb[0].toInt(), 0);
        QCOMPARE(zb[9].toInt(), repeatCount(red, d.red));
        QCOMPARE(zb[10].toInt(), adjacentCount(red, d.red));
    }

    // Modify recomputes against the row before the modified one, with hot/cold values from
    // every stored row: the modified one as stored and the later ones included.
    void modifyUsesWholeHistory() {
        addReal(30);
        const QList<QVariantList> before = tableRows(db(), u"kjzb"_s);
        const RedCombo red{2, 9, 14, 21, 28, 33};
        const EntryResult r = modifyDraw(db(), draw(m_real[24].issue, red, 5));
        QCOMPARE(texts(r), QStringList{kModified});

        const QList<QVariantList> after = tableRows(db(), u"kjzb"_s);
        QCOMPARE(after.size(), 30);
        const HotColdValues hv = hotColdValues(realReds(0, 30));
        const Indicators x = drawIndicators(red, 5, m_real[23].red, hv);
        for (int k = 1; k <= 41; ++k)
            QCOMPARE(after[24][k + 2].toInt(), x[k]);
        QCOMPARE(after[24][1].toString(), u"2 9 14 21 28 33+5"_s);
        QCOMPARE(after.mid(0, 24) + after.mid(25), before.mid(0, 24) + before.mid(25));
        QCOMPARE(filledCells(tableRows(db(), u"kjhm"_s).value(24)),
                 (QList<int>{0, 2, 9, 14, 21, 28, 33, 38}));
    }

    // Modify differs from add: the last draw's own stored numbers are part of its history.
    void modifyLastDrawCountsItself() {
        addReal(25);
        const test::HistoryDraw& last = m_real[24];
        const QVariantList added = tableRows(db(), u"kjzb"_s).value(24);
        QCOMPARE(hotColdCells(added), expectedHotCold(last.red, hotColdValues(realReds(0, 24))));

        QCOMPARE(texts(modifyDraw(db(), draw(last.issue, last.red, last.blue))),
                 QStringList{kModified});
        const QVariantList modified = tableRows(db(), u"kjzb"_s).value(24);
        QCOMPARE(hotColdCells(modified), expectedHotCold(last.red, hotColdValues(realReds(0, 25))));
        QVERIFY(hotColdCells(modified) != hotColdCells(added));
    }

    void modifyRefusals() {
        // An empty history: the draw becomes the first record, with no closing message.
        EntryResult r = modifyDraw(db(), draw(7001, {1, 2, 3, 4, 5, 6}, 1));
        QVERIFY(r.written);
        QCOMPARE(texts(r), QStringList{kFirst});
        QCOMPARE(rowCount(db(), u"kjzb"_s), 1);

        QVERIFY(addDraw(db(), draw(7002, {2, 3, 4, 5, 6, 7}, 2)).written);
        QCOMPARE(texts(modifyDraw(db(), draw(7002, {2, 3, 4, 5, 6, 8}, 2))),
                 (QStringList{kShort, kModified}));
        const QList<QVariantList> before = tableRows(db(), u"kjzb"_s);

        r = modifyDraw(db(), draw(7009, {1, 2, 3, 4, 5, 6}, 1));
        QVERIFY(!r.written);
        QCOMPARE(r.messages.size(), 1);
        QVERIFY(r.messages[0].warning);
        QVERIFY(r.messages[0].text.contains(u"没有第7009期"_s));

        r = modifyDraw(db(), draw(7001, {1, 2, 3, 4, 5, 7}, 1));
        QVERIFY(!r.written);
        QVERIFY(r.messages[0].text.contains(u"第一条记录"_s));
        QCOMPARE(tableRows(db(), u"kjzb"_s), before);
        QCOMPARE(tableRows(db(), u"kjhm"_s).value(0)[6].toInt(), 6);
    }

    void deleteRemovesOneRowPerTable() {
        addReal(4);
        const test::HistoryDraw& d = m_real[1];
        QVERIFY(addDraw(db(), draw(d.issue, d.red, d.blue)).written); // a duplicate of draw 2
        EntryResult r = deleteDraw(db(), d.issue);
        QCOMPARE(texts(r), QStringList{kDeleted});
        for (const QString& t : {u"kjhm"_s, u"kjdm"_s, u"kjzb"_s}) {
            QCOMPARE(rowCount(db(), t), 4);
            // The first row with that issue went; the duplicate stored later remains.
            const QList<QVariantList> rows = tableRows(db(), t);
            QCOMPARE(
                std::count_if(rows.begin(), rows.end(),
                              [&](const QVariantList& row) { return row[0].toInt() == d.issue; }),
                1);
        }
        // The remaining kjzb row with that issue is the later one, measured against draw 4.
        const QVariantList zb = tableRows(db(), u"kjzb"_s).value(1);
        QCOMPARE(zb[9].toInt(), repeatCount(d.red, m_real[3].red));

        r = deleteDraw(db(), 7777);
        QVERIFY(!r.written);
        QVERIFY(r.messages[0].text.contains(u"没有第7777期"_s));
        QCOMPARE(rowCount(db(), u"kjhm"_s), 4);
    }

    // A failure while writing the third table leaves all three as they were.
    void failedWritesChangeNothing() {
        addReal(3);
        QSqlQuery q(db());
        QVERIFY(q.exec(u"CREATE TRIGGER refuse_insert BEFORE INSERT ON kjzb "
                       u"BEGIN SELECT RAISE(ABORT, 'disk full'); END"_s));
        QVERIFY(q.exec(u"CREATE TRIGGER refuse_update BEFORE UPDATE ON kjzb "
                       u"BEGIN SELECT RAISE(ABORT, 'disk full'); END"_s));
        const auto snapshot = [&] {
            return QList<QList<QVariantList>>{
                tableRows(db(), u"kjhm"_s), tableRows(db(), u"kjdm"_s), tableRows(db(), u"kjzb"_s)};
        };
        const auto before = snapshot();

        EntryResult r = addDraw(db(), draw(m_real[3].issue, m_real[3].red, m_real[3].blue));
        QVERIFY(!r.written);
        QVERIFY(r.messages.last().warning);
        QVERIFY(r.messages.last().text.startsWith(u"数据添加失败"_s));
        QCOMPARE(snapshot(), before);

        r = modifyDraw(db(), draw(m_real[2].issue, {1, 2, 3, 4, 5, 6}, 1));
        QVERIFY(!r.written);
        QVERIFY(r.messages.last().text.startsWith(u"数据修改失败"_s));
        QCOMPARE(snapshot(), before);
    }
};

QTEST_GUILESS_MAIN(TestDrawEntry)
#include "test_draw_entry.moc"

// Reading the stored draws back from kjhm, including rows edited by hand into bad shapes.

#include "store/draw_history.h"
#include "support/temp_database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;
using ssq::StoredDraw;
using ssq::test::TempDatabase;

class TestDrawHistory : public QObject {
    Q_OBJECT

private:
    TempDatabase* m_temp = nullptr;

    // cells: position -> stored value
    void insert(const QList<std::pair<int, QString>>& cells) {
        QStringList names;
        QStringList values;
        for (const auto& [pos, value] : cells) {
            names.append(pos == 0 ? u"期号"_s : pos <= 33 ? u"H%1"_s.arg(pos) : u"L%1"_s.arg(pos - 33));
            values.append(u"'"_s + value + u"'"_s);
        }
        QSqlQuery q(m_temp->connection());
        QVERIFY2(q.exec(u"INSERT INTO kjhm (%1) VALUES (%2)"_s.arg(names.join(u','), values.join(u','))),
                 qPrintable(q.lastError().text()));
    }

    void insertDraw(int issue, const ssq::RedCombo& red, int blue) {
        QList<std::pair<int, QString>> cells{{0, QString::number(issue)}, {33 + blue, QString::number(blue)}};
        for (int r : red)
            cells.append({r, QString::number(r)});
        insert(cells);
    }

private Q_SLOTS:
    void init() {
        m_temp = new TempDatabase;
        QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
    }
    void cleanup() { delete m_temp; }

    void emptyHistory() {
        QString error;
        QVERIFY(ssq::loadDraws(m_temp->connection(), &error).empty());
        QVERIFY(error.isEmpty());
        QVERIFY(!ssq::newestDraw(m_temp->connection()).has_value());
    }

    void drawsComeInIssueOrder() {
        insertDraw(7003, {3, 9, 14, 22, 27, 33}, 16);
        insertDraw(7001, {1, 5, 12, 20, 27, 33}, 8);
        insertDraw(7002, {2, 4, 6, 8, 10, 12}, 1);
        const std::vector<StoredDraw> draws = ssq::loadDraws(m_temp->connection());
        QCOMPARE(draws.size(), 3u);
        QCOMPARE(draws[0].issue, 7001);
        QCOMPARE(draws[0].red, (ssq::RedCombo{1, 5, 12, 20, 27, 33}));
        QCOMPARE(draws[0].blue, 8);
        QVERIFY(draws[0].complete);
        QCOMPARE(draws[2].issue, 7003);
        QCOMPARE(draws[2].blue, 16);

        const std::optional<StoredDraw> newest = ssq::newestDraw(m_temp->connection());
        QVERIFY(newest && newest->complete);
        QCOMPARE(newest->issue, 7003);
        QCOMPARE(newest->red, (ssq::RedCombo{3, 9, 14, 22, 27, 33}));
    }

    void equalIssuesKeepTheirStoredOrder() {
        insertDraw(7005, {1, 2, 3, 4, 5, 6}, 1);
        insertDraw(7005, {1, 2, 3, 4, 5, 7}, 2);
        const std::vector<StoredDraw> draws = ssq::loadDraws(m_temp->connection());
        QCOMPARE(draws.back().blue, 2);
        QCOMPARE(ssq::newestDraw(m_temp->connection())->blue, 2);
    }

    void malformedRowsAreMarkedIncomplete() {
        // five reds; seven reds; no blue; two blues; a cell holding another number
        insert({{0, u"7001"_s}, {1, u"1"_s}, {2, u"2"_s}, {3, u"3"_s}, {4, u"4"_s}, {5, u"5"_s}, {34, u"1"_s}});
        insert({{0, u"7002"_s}, {1, u"1"_s}, {2, u"2"_s}, {3, u"3"_s}, {4, u"4"_s}, {5, u"5"_s}, {6, u"6"_s},
                {7, u"7"_s}, {34, u"1"_s}});
        insert({{0, u"7003"_s}, {1, u"1"_s}, {2, u"2"_s}, {3, u"3"_s}, {4, u"4"_s}, {5, u"5"_s}, {6, u"6"_s}});
        insert({{0, u"7004"_s}, {1, u"1"_s}, {2, u"2"_s}, {3, u"3"_s}, {4, u"4"_s}, {5, u"5"_s}, {6, u"6"_s},
                {35, u"2"_s}, {36, u"3"_s}});
        insert({{0, u"7005"_s}, {1, u"1"_s}, {2, u"2"_s}, {3, u"3"_s}, {4, u"4"_s}, {5, u"5"_s}, {6, u"9"_s},
                {34, u"1"_s}});
        const std::vector<StoredDraw> draws = ssq::loadDraws(m_temp->connection());
        QCOMPARE(draws.size(), 5u);
        for (const StoredDraw& d : draws) {
            QVERIFY2(!d.complete, qPrintable(QString::number(d.issue)));
            QCOMPARE(d.red, ssq::RedCombo{});
        }
        QCOMPARE(draws[0].redColumns.size(), 5u);
        QCOMPARE(draws[1].redColumns.size(), 7u);
        QCOMPARE(draws[2].blue, 0);
        QCOMPARE(draws[3].blue, 2);
        QCOMPARE(draws[4].redColumns.back(), 6);
    }
};

QTEST_GUILESS_MAIN(TestDrawHistory)
#include "test_draw_history.moc"

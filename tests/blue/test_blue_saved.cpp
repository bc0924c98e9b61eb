// What the blue window keeps: the option set in lqtjbc, controls files, and the analysis of a
// real history into lqtx, counted here independently from the draws themselves.

#include "blue/blue_analysis.h"
#include "blue/blue_controls_file.h"
#include "blue/blue_controls_text.h"
#include "blue/blue_option_set.h"
#include "support/draw_tables.h"
#include "support/temp_database.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

// Every row of a statistics table from its label on, cells as text, separated by blanks.
QStringList tableTexts(QSqlDatabase db, const QString& query) {
    QStringList rows;
    QSqlQuery q(query, db);
    while (q.next()) {
        QStringList cells;
        for (int i = 1; i < q.record().count(); ++i)
            cells.append(q.value(i).toString());
        rows.append(cells.join(u' '));
    }
    return rows;
}

QString lqtxRow(QSqlDatabase db, int row) {
    return tableTexts(db, u"SELECT * FROM lqtx ORDER BY 序号"_s).value(row - 1);
}

// The counts of a row written as the table holds them, after its label.
QString counts(const std::array<int, 17>& values) {
    QStringList cells;
    for (int b = 1; b <= 16; ++b)
        cells.append(QString::number(values[b]));
    return cells.join(u' ');
}

} // namespace

class TestBlueSaved : public QObject {
    Q_OBJECT

    test::TempDatabase m_db;

private Q_SLOTS:
    void optionSetRoundTrip_data() {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("before"); // the controls when the set comes back
        QTest::addColumn<QString>("restored");
        QTest::newRow("every input")
            << u"t1=1 t10=16 o2 c14 t11=2 t22=0 c15 t23=3 t26=10 t27=2 t28=1"_s << u""_s
            << u"t1=1 t10=16 o2 c14 t11=2 t22=0 c15 t23=3 t26=10 t27=2 t28=1"_s;
        // Neither option chosen saves an empty row, which leaves the options as they are.
        QTest::newRow("neither chosen") << u"t5=7"_s << u"o1 c13 c16"_s << u"t5=7 o1 c13 c16"_s;
        // The enabling boxes are no part of the set: they keep what they show.
        QTest::newRow("enabling boxes stay")
            << u"c1 c2 c3 c9 c10 c11 c12 t27=0"_s << u"c4 c5 c6 t3=9"_s << u"c4 c5 c6 t27=0"_s;
    }
    void optionSetRoundTrip() {
        QFETCH(QString, saved);
        QFETCH(QString, before);
        QFETCH(QString, restored);
        const Outcome save = saveBlueOptionSet(m_db.connection(), test::blueControls(saved));
        QCOMPARE(save.message, u" 所有条件选项均已存档完毕"_s);
        BlueControls c = test::blueControls(before);
        const Outcome restore = restoreBlueOptionSet(m_db.connection(), c);
        QCOMPARE(restore.message, u" 所有条件选项均已再现完毕"_s);
        QCOMPARE(c, test::blueControls(restored));
    }

    // A short table is reported and left alone; the controls stay as they are.
    void shortTables() {
        QSqlQuery(u"DELETE FROM lqtjbc WHERE 编号 = 31"_s, m_db.connection());
        QSqlQuery(u"DELETE FROM lqtx WHERE 序号 = 4"_s, m_db.connection());
        BlueControls c = test::blueControls(u"t1=3"_s);
        QVERIFY(!saveBlueOptionSet(m_db.connection(), c).ok);
        const Outcome restore = restoreBlueOptionSet(m_db.connection(), c);
        QVERIFY(!restore.ok && restore.message.contains(u"lqtjbc"_s));
        QCOMPARE(c, test::blueControls(u"t1=3"_s));
        QString error;
        QVERIFY(!writeBlueCounts(m_db.connection(), {}, 50, &error) && error.contains(u"lqtx"_s));
        QCOMPARE(lqtxRow(m_db.connection(), 1), u"最近50期开出次数"_s + QString(16, u' '));
    }

    void controlsFileRoundTrip() {
        const BlueControls c = test::blueControls(u"c1 c9 c16 o2 t1=_5x t20=12 t28=1"_s);
        const std::optional<BlueControls> back =
            parseBlueControlsFile(blueControlsFileBytes(c), nullptr);
        QVERIFY(back);
        QCOMPARE(*back, c);
        // Missing keys are unticked, empty, not chosen.
        QCOMPARE(*parseBlueControlsFile(R"({"text": {"3": "7"}})", nullptr),
                 test::blueControls(u"t3=7"_s));
    }

    void controlsFileRefusals() {
        for (const auto& [json, words] : {
                 std::pair{"{\"check\": {\"1\": 1", u"JSON"_s},
                 {R"({"checks": {}})", u"“checks”"_s},
                 {R"({"check": {"17": 1}})", u"“17”"_s},
                 {R"({"text": {"29": "5"}})", u"“29”"_s}, // a result box is no control
                 {R"({"option1": true, "option2": true})",
                  u"蓝球设置文件有误：“option1”（小号）和“option2”（大号）不能同时为 true"_s},
             }) {
            QString error;
            QVERIFY2(!parseBlueControlsFile(json, &error) && error.contains(words),
                     qPrintable(QString::fromUtf8(json) + error));
        }
    }

    void windowAnswers_data() {
        QTest::addColumn<QString>("answer"); // "-" for a cancelled box
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("defaulted");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("cancelled") << u"-"_s << 50 << true << QString();
        QTest::newRow("zero") << u"0"_s << 50 << true << QString();
        QTest::newRow("all draws") << u"80"_s << 80 << false << QString();
        QTest::newRow("more than the draws") << u"81"_s << 50 << false << u"只有80期"_s;
        QTest::newRow("full-width digits") << u"３０"_s << 30 << false << QString();
        QTest::newRow("not whole") << u"10.5"_s << 50 << false << u"不是整数"_s;
    }
    void windowAnswers() {
        QFETCH(QString, answer);
        QFETCH(int, window);
        QFETCH(bool, defaulted);
        QFETCH(QString, refusal);
        const BlueWindowChoice c =
            blueWindowChoice(answer == u"-"_s ? std::nullopt : std::optional(answer), 80);
        QCOMPARE(c.defaulted, defaulted);
        QVERIFY2(refusal.isEmpty() ? c.refusal.isEmpty() : c.refusal.contains(refusal),
                 qPrintable(c.refusal));
        if (refusal.isEmpty())
            QCOMPARE(c.window, window);
    }

    // Real draws; the counts come straight from their blue numbers.
    void analysisOfRealDraws() {
        test::TempDatabase temp;
        const QList<test::HistoryDraw> draws = test::realDraws(u"2021001"_s, 130);
        QCOMPARE(draws.size(), 130);
        for (const int stored : {30, 130}) {
            QList<DrawInput> inputs;
            for (int i = stored == 30 ? 0 : 30; i < stored; ++i)
                inputs.append(draws[i].input());
            QVERIFY(test::addDraws(temp.connection(), inputs));

            const int window = stored == 30 ? 50 : 100; // 50 over 30 draws counts all of them
            std::array<int, 17> fifty{}, last{}, whole{}, omission{};
            for (int i = 0; i < stored; ++i) {
                const int b = draws[i].blue;
                ++whole[b];
                fifty[b] += i >= stored - 50;
                last[b] += i >= stored - window;
            }
            for (int b = 1; b <= 16; ++b) {
                int i = stored - 1;
                while (i >= 0 && draws[i].blue != b)
                    --i;
                omission[b] = stored - 1 - i;
            }
            QVERIFY(omission[draws[stored - 1].blue] == 0);

            QString error;
            const auto marks = readBlueMarks(temp.connection(), &error);
            QVERIFY2(marks && int(marks->size()) == stored, qPrintable(error));
            QVERIFY2(writeBlueCounts(temp.connection(), blueCounts(*marks, window), window, &error),
                     qPrintable(error));
            QCOMPARE(tableTexts(temp.connection(), u"SELECT * FROM lqtx ORDER BY 序号"_s),
                     (QStringList{u"最近50期开出次数 "_s + counts(fifty),
                                  blueWindowLabel(window) + u' ' + counts(last),
                                  u"历史累计开出次数 "_s + counts(whole),
                                  u"当前遗漏期数 "_s + counts(omission)}));
        }
    }

    // A number never drawn has been missing for the whole history.
    void neverDrawnAndOddCells() {
        const std::vector<BlueMarks> draws(7, BlueMarks{0, 1});
        const BlueCounts c = blueCounts(draws, 3);
        QCOMPARE(c.omission[2], 7);
        QCOMPARE(c.omission[1], 0);
        QCOMPARE(blueCounts({}, 50).omission[5], 0);
        // A cell's value divided by its number, rounded; what fits no byte counts as not drawn.
        QCOMPARE(blueMark(u"8"_s, 8), 1);
        QCOMPARE(blueMark(u"-9"_s, 3), 0);
        QCOMPARE(blueMark(u"99999"_s, 1), 0);
    }
};

QTEST_GUILESS_MAIN(TestBlueSaved)
#include "test_blue_saved.moc"

// The last draw: six typed numbers converted to the red code, the newest draw read in, which
// conditions the draw 3 8 15 21 27 30 (code digits 0 4 7 2 9 5 0) fails, by kind of condition,
// and "上期条件查错" as a whole on a real database.

#include "red/condition_set.h"
#include "red/last_draw_check.h"
#include "red/last_draw_check_run.h"
#include "red/last_draw_row.h"
#include "support/draw_tables.h"
#include "support/temp_database.h"

#include <QSqlQuery>
#include <QTest>

#include <utility>
#include <vector>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

using Boxes = std::vector<std::pair<int, const char*>>;

PanelState drawPanel(const Boxes& boxes = {}) {
    PanelState p;
    const QStringList row = u"3 8 15 21 27 30 9 0472950 0 4 7 2 9 5 0"_s.split(u' ');
    for (int i = 0; i < row.size(); ++i)
        p.text1[1 + i] = row[i];
    for (const auto& [index, text] : boxes)
        p.text1[index] = QString::fromUtf8(text);
    return p;
}

// The ticked conditions; {-1} when the count or the message does not match the ticks.
QList<int> check(const PanelState& p, const StoredIndicators& stored = {}) {
    const LastDrawCheck c = checkLastDraw(p, stored);
    QList<int> ticks;
    for (int k = 1; k <= 40; ++k)
        if (c.ticked[k])
            ticks.append(k);
    if (c.count != ticks.size() || c.message != lastDrawCheckMessage(c.count))
        return {-1};
    return ticks;
}

struct Case {
    const char* name;
    Boxes boxes;
    QList<int> ticks;
    int indicator = 0; // a stored indicator and its value
    double value = 0;
    int choice = 0; // 1 单, 2 双
};

// clang-format off
const std::vector<Case> kCases{
    {"nothing given ticks nothing", {}, {}, 1, 120},
    {"range with only its maximum", {{50, "120"}}, {}, 1, 150},
    {"range in double precision", {{50, "149.999999"}, {51, "0"}}, {4}, 1, 150},
    {"1 zero and below are no number", {{16, "3"}, {17, "30"}, {18, "0"}, {19, "-4"}}, {}},
    {"1 a banker not drawn", {{16, "3"}, {19, "4"}}, {1}},
    {"2 one drawn above empty bounds", {{20, "5"}, {21, "6"}, {22, "8"}}, {2}},
    {"3 over its twenty boxes", {{28, "1"}, {46, "27"}, {47, "30"}}, {3}},
    {"3 a maximum alone is enough", {{28, "1"}, {46, "27"}, {47, "30"}, {48, "2"}}, {}},
    {"12 单 and an even draw", {}, {12}, 9, 2, 1},
    {"12 parity 0 of a first draw", {}, {}, 0, 0, 2},
    {"14 empty boxes never match 0", {}, {}, 11, 0},
    {"14 a stored 6.5 is the byte 6", {{73, "6"}}, {14}, 11, 6.5},
    {"22 a given digit absent", {{88, "0"}, {91, "3"}}, {22}},
    {"23 \"0\" is the digit 0, above 0", {{92, "0"}}, {23}},
    {"24 none present, at least one wanted", {{98, "1"}, {99, "3"}, {103, "1"}}, {24}},
    {"36 a killed number drawn", {{147, "27"}}, {36}},
    {"4 one above its maximum", {{50, "12"}, {51, "-5"}}, {4}, 1, 13},
    {"40 at its minimum", {{154, "12"}, {155, "-5"}}, {}, 26, -5},
    {"31 百万 given in its last box", {{134, "8"}, {135, "0"}}, {31}},
};
// clang-format on

} // namespace

class TestLastDraw : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The six boxes separated by "|"; the code, or what happens instead.
    void converts_data() {
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("code");
        QTest::newRow("typical draw") << u"1|5|12|20|27|33"_s << u"0096810"_s;
        QTest::newRow("leading numbers, half to even") << u" 1|2号|2.6|4.4|5|6.5"_s << u"0000001"_s;
        QTest::newRow("equal neighbours") << u"5|5|6|7|8|9"_s << u"ascending"_s;
        QTest::newRow("34") << u"1|2|3|4|5|34"_s << u"ignored"_s;
        QTest::newRow("no byte, before the order") << u"300|1|2|3|4|5"_s << u"ignored"_s;
    }

    void converts() {
        QFETCH(QString, boxes);
        QFETCH(QString, code);
        const QStringList t = boxes.split(u'|');
        const CodeConversion c = convertToCode({t[0], t[1], t[2], t[3], t[4], t[5]});
        using enum CodeConversion::Outcome;
        QCOMPARE(c.outcome == Ignored        ? u"ignored"_s
                 : c.outcome == NotAscending ? u"ascending"_s
                                             : c.codeText,
                 code);
        if (c.outcome == Converted) {
            QCOMPARE(QStringList(c.digits.begin(), c.digits.end()).join(QString()), code);
            QCOMPARE(c.code, code.toInt());
        }
    }

    void newestDraw() {
        test::TempDatabase temp;
        NewestDraw draw = readNewestDraw(temp.connection());
        QVERIFY(!draw.ok && draw.values.isEmpty());
        QCOMPARE(draw.error, u"开奖号码表中还没有开奖记录，无法自动输入上期号。"
                             u"请先通过菜单“数据操作”添加或导入开奖数据。"_s);
        // Stored out of order (as a file from before lower issues were refused may be); the
        // newest is the highest issue.
        QVERIFY(test::addDraws(temp.connection(), {{7003, {1, 5, 12, 20, 27, 33}, 16}}));
        QVERIFY(QSqlQuery(temp.connection())
                    .exec(u"insert into kjhm (期号, H3, H8, H11, H19, H24, H30, L1) "
                          u"values (7002, 3, 8, 11, 19, 24, 30, 1)"_s));
        draw = readNewestDraw(temp.connection());
        QVERIFY2(draw.ok, qPrintable(draw.error));
        QCOMPARE(draw.values.join(u' '), u"1 5 12 20 27 33 16"_s);
        // A row edited by hand may hold extra cells: only the first seven are taken.
        QVERIFY(QSqlQuery(temp.connection())
                    .exec(u"insert into kjhm (期号, H1, H2, H3, H4, H5, H6, H7, L3, L4) "
                          u"values (7004, 1, 2, 3, 4, 5, 6, 7, 3, 4)"_s));
        QCOMPARE(readNewestDraw(temp.connection()).values.join(u' '), u"1 2 3 4 5 6 7"_s);
    }

    void listsAndChoices_data() {
        QTest::addColumn<int>("row");
        for (int i = 0; i < static_cast<int>(kCases.size()); ++i)
            QTest::newRow(kCases[i].name) << i;
    }

    void listsAndChoices() {
        QFETCH(int, row);
        const Case& c = kCases[static_cast<std::size_t>(row)];
        PanelState p = drawPanel(c.boxes);
        p.option1 = c.choice == 1;
        p.option2 = c.choice == 2;
        StoredIndicators stored{};
        stored[static_cast<std::size_t>(c.indicator)] = c.value;
        QCOMPARE(check(p, stored), c.ticks);
    }

    // The newest draw and the saved set go into the panel and the ticks follow the stored
    // indicators; the zone boxes and the markers are left alone.
    void runTicksFailedConditions() {
        test::TempDatabase t;
        PanelState panel; // other inputs and ticks, an old last draw, a marker
        panel.text1[1] = u"1"_s;
        panel.text1[50] = u"999"_s;
        panel.check1.fill(1);
        panel.text3[7] = u"7"_s;
        const PanelState before = panel; // a check that cannot run changes nothing
        const LastDrawCheckRun noDraw = runLastDrawCheck(t.connection(), panel);
        QVERIFY(!noDraw.ok && noDraw.message.contains(u"还没有开奖记录"_s) && panel == before);
        QVERIFY(test::addDraws(t.connection(), {{7001, {1, 5, 12, 20, 27, 33}, 8},
                                                {7002, {4, 9, 13, 22, 27, 31}, 11}})); // 0585017
        PanelState set;
        set.text1[50] = u"105"_s; // 4: the sum 106 is one above the maximum
        set.text1[51] = u"21"_s;
        set.text1[142] = set.text1[143] = u"27"_s; // 35: the span exactly, passes
        set.text1[20] = u"13"_s;                   // 2: one number drawn, empty bounds
        set.text1[104] = u"7"_s;                   // 25: the 个位 digit
        set.text1[60] = u"3"_s;                    // 9: only the maximum given
        set.option2 = true;                        // 12: "双" for an odd code
        QVERIFY(saveConditionSet(t.connection(), set).ok);
        const LastDrawCheckRun run = runLastDrawCheck(t.connection(), panel);
        QCOMPARE(run.message, lastDrawCheckMessage(4));
        for (int k = 1; k <= 40; ++k)
            QCOMPARE(panel.check1[k], int(k == 2 || k == 4 || k == 12 || k == 25));
        QCOMPARE(panel.text1[1] + u' ' + panel.text1[7] + u' ' + panel.text1[8] + u' ' +
                     panel.text1[15] + u' ' + panel.text1[50],
                 u"4 11 0585017 7 105"_s);
        QVERIFY(run.ok && panel.option2 && panel.check1[0] == 1 && panel.text3[7] == u"7"_s);
    }
};

QTEST_GUILESS_MAIN(TestLastDraw)
#include "test_last_draw.moc"

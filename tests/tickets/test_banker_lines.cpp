// 胆拖 lines in ticket files: both ways of writing them, the rules they are refused by, the
// tickets they stand for, and the prize check of a 胆拖 line against the same tickets written
// out one a line.

#include "tickets/prize_check.h"
#include "tickets/ticket_line.h"

#include <QTest>

#include <set>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

QString two(int n) {
    return u"%1"_s.arg(n, 2, 10, QLatin1Char('0'));
}

// The single tickets of bankers and drags, written out by hand: every (6 - bankers)-subset of
// the drags joined to the bankers, with each blue.
QStringList singles(const std::vector<int>& bankers, const std::vector<int>& drags,
                    const std::vector<int>& blues) {
    QStringList lines;
    const int pick = 6 - static_cast<int>(bankers.size());
    const int n = static_cast<int>(drags.size());
    for (unsigned subset = 0; subset < (1u << n); ++subset) {
        if (std::popcount(subset) != pick)
            continue;
        std::vector<int> reds = bankers;
        for (int i = 0; i < n; ++i)
            if (subset >> i & 1)
                reds.push_back(drags[i]);
        std::sort(reds.begin(), reds.end());
        QStringList text;
        for (int r : reds)
            text << two(r);
        for (int blue : blues)
            lines << text.join(u' ') + u" + "_s + two(blue);
    }
    return lines;
}

StoredDraw drawOf(RedCombo red, int blue) {
    StoredDraw d;
    d.issue = 6096;
    d.red = red;
    d.blue = blue;
    d.complete = true;
    return d;
}

} // namespace

class TestBankerLines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsBothForms_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QList<int>>("bankers");
        QTest::addColumn<QList<int>>("drags");
        QTest::addColumn<QList<int>>("blues");
        QTest::addColumn<qint64>("tickets");
        QTest::newRow("#") << u"01 05 # 12 20 27 30 33 + 08"_s << QList<int>{1, 5}
                           << QList<int>{12, 20, 27, 30, 33} << QList<int>{8} << qint64(5);
        QTest::newRow("胆拖蓝") << u"胆：01 05 拖：12 20 27 30 33 蓝：08"_s << QList<int>{1, 5}
                                << QList<int>{12, 20, 27, 30, 33} << QList<int>{8} << qint64(5);
        QTest::newRow("ascii colons, two blues")
            << u"胆:5 1 拖:33,12,20,27,30 蓝:8 12"_s << QList<int>{1, 5}
            << QList<int>{12, 20, 27, 30, 33} << QList<int>{8, 12} << qint64(5 * 2);
        QTest::newRow("no blue") << u"3 # 1 2 4 5 6 7 8"_s << QList<int>{3}
                                 << QList<int>{1, 2, 4, 5, 6, 7, 8} << QList<int>{} << qint64(21);
        QTest::newRow("five bankers") << u"1 2 3 4 5 # 6 7"_s << QList<int>{1, 2, 3, 4, 5}
                                      << QList<int>{6, 7} << QList<int>{} << qint64(2);
        QTest::newRow("many drags")
            << u"胆：7 拖：1 2 3 4 5 6 8 9 10 11 12 13 蓝：1 2 3"_s << QList<int>{7}
            << QList<int>{1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13} << QList<int>{1, 2, 3}
            << qint64(792 * 3);
    }
    void readsBothForms() {
        QFETCH(QString, line);
        QFETCH(QList<int>, bankers);
        QFETCH(QList<int>, drags);
        QFETCH(QList<int>, blues);
        QFETCH(qint64, tickets);
        QString reason;
        const std::optional<TicketLine> parsed = parseTicketLine(line, &reason);
        QVERIFY2(parsed, qPrintable(reason));
        QCOMPARE(QList<int>(parsed->bankers.begin(), parsed->bankers.end()), bankers);
        QCOMPARE(QList<int>(parsed->reds.begin(), parsed->reds.end()), drags);
        QCOMPARE(QList<int>(parsed->blues.begin(), parsed->blues.end()), blues);
        QCOMPARE(singleTicketCount(*parsed), tickets);
        std::set<QString> seen;
        forEachSingleTicket(*parsed, {}, [&](const RedCombo& red, int blue) {
            QVERIFY(isValidCombo(red));
            for (int b : bankers)
                QVERIFY(std::find(red.begin(), red.end(), b) != red.end());
            seen.insert(singleTicketText(red, blue));
        });
        QCOMPARE(static_cast<qint64>(seen.size()), tickets);
    }

    void refusesBrokenLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no bankers") << u"# 1 2 3 4 5 6 7"_s << u"胆码有0个，应为1到5个"_s;
        QTest::newRow("six bankers") << u"1 2 3 4 5 6 # 7 8"_s << u"胆码有6个，应为1到5个"_s;
        QTest::newRow("six in all")
            << u"01 05 # 12 20 27 33 + 08"_s << u"胆码和拖码共有6个，至少应有7个"_s;
        QTest::newRow("six in all, 胆拖蓝")
            << u"胆：01 05 拖：12 20 27 33 蓝：08"_s << u"胆码和拖码共有6个，至少应有7个"_s;
        QTest::newRow("banker is drag") << u"1 2 # 2 3 4 5 6 7"_s << u"号码02既是胆码又是拖码"_s;
        QTest::newRow("drag twice") << u"1 2 # 3 3 4 5 6 7"_s << u"拖码号码“3”重复了"_s;
        QTest::newRow("two #") << u"1 # 2 # 3 4 5 6 7"_s
                               << u"胆拖号码应写作“胆码 # 拖码 + 蓝球”或“胆：… 拖：… 蓝：…”"_s;
        QTest::newRow("胆 without 拖")
            << u"胆：1 2 3 4 5 6 7"_s
            << u"胆拖号码应写作“胆码 # 拖码 + 蓝球”或“胆：… 拖：… 蓝：…”"_s;
        QTest::newRow("bad red") << u"1 # 2 3 4 5 6 34"_s
                                 << u"拖码号码“34”有误，应为1到33之间的整数"_s;
        QTest::newRow("bad blue") << u"1 # 2 3 4 5 6 7 + 17"_s
                                  << u"蓝球号码“17”有误，应为1到16之间的整数"_s;
        QTest::newRow("empty blue") << u"胆：1 拖：2 3 4 5 6 7 蓝："_s << u"“+”后面没有蓝球号码"_s;
    }
    void refusesBrokenLines() {
        QFETCH(QString, line);
        QFETCH(QString, reason);
        QString got;
        QVERIFY(!parseTicketLine(line, &got));
        QCOMPARE(got, reason);
    }

    // The same tickets, once as one 胆拖 line and once one a line, win the same in every draw
    // tried, and cost the same.
    void prizeCheckMatchesSingles_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QList<int>>("bankers");
        QTest::addColumn<QList<int>>("drags");
        QTest::addColumn<QList<int>>("blues");
        QTest::newRow("2 bankers") << u"01 05 # 12 20 27 31 33 + 08"_s << QList<int>{1, 5}
                                   << QList<int>{12, 20, 27, 31, 33} << QList<int>{8};
        QTest::newRow("1 banker, 9 drags, 2 blues")
            << u"胆：04 拖：01 16 22 26 31 07 09 30 33 蓝：04 08"_s << QList<int>{4}
            << QList<int>{1, 7, 9, 16, 22, 26, 30, 31, 33} << QList<int>{4, 8};
        QTest::newRow("3 bankers") << u"1 4 16 # 2 3 22 26 31 32"_s << QList<int>{1, 4, 16}
                                   << QList<int>{2, 3, 22, 26, 31, 32} << QList<int>{4, 9};
    }
    void prizeCheckMatchesSingles() {
        QFETCH(QString, line);
        QFETCH(QList<int>, bankers);
        QFETCH(QList<int>, drags);
        QFETCH(QList<int>, blues);
        QString error;
        const auto banker = parseTicketText(u"# a comment\n"_s + line + u"\n"_s, &error);
        QVERIFY2(banker, qPrintable(error));
        // A line without its own blue takes the list given to the check, as the window does.
        const bool ownBlue = line.contains(u'+') || line.contains(u'蓝');
        const std::vector<int> blueList(blues.begin(), blues.end());
        const auto written = parseTicketText(
            singles({bankers.begin(), bankers.end()}, {drags.begin(), drags.end()}, blueList)
                .join(u'\n'),
            &error);
        QVERIFY2(written, qPrintable(error));
        const std::vector<RedCombo> draws{{1, 4, 16, 22, 26, 31},
                                          {1, 5, 12, 20, 27, 33},
                                          {4, 7, 9, 16, 30, 33},
                                          {2, 3, 6, 10, 11, 13}};
        for (const RedCombo& red : draws) {
            for (int blue : {4, 8, 9}) {
                const StoredDraw draw = drawOf(red, blue);
                const PrizeReport a = checkTickets(*banker, ownBlue ? BlueList{} : blueList, draw);
                const PrizeReport b = checkTickets(*written, {}, draw);
                QCOMPARE(a.counts, b.counts);
                QCOMPARE(a.fixedTotal, b.fixedTotal);
                QCOMPARE(a.tickets, b.tickets);
                QCOMPARE(a.cost(), b.cost());
                QCOMPARE(a.tickets, static_cast<qint64>(written->size()));
                QCOMPARE(a.winners.size(), b.winners.size());
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestBankerLines)
#include "test_banker_lines.moc"

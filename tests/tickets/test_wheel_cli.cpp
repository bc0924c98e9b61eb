// ssq-cli wheel and select --cover as a script runs them: the exact lines, tickets checked
// here case by case, the same output for the same seed, refusals with status 3.

#include "red/condition_file.h"
#include "support/cli_run.h"
#include "tickets/wheel.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <bit>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

// "01 05 12 20 27 33" as a mask, 0 for a line of any other form.
std::uint64_t ticketMask(const QString& line) {
    static const QRegularExpression form(
        u"^(\\d\\d) (\\d\\d) (\\d\\d) (\\d\\d) (\\d\\d) (\\d\\d)$"_s);
    const QRegularExpressionMatch m = form.match(line);
    if (!m.hasMatch())
        return 0;
    RedCombo red{};
    for (int i = 0; i < 6; ++i)
        red[i] = m.captured(i + 1).toInt();
    return isValidCombo(red) ? redMask(red) : 0;
}

// The tickets of the lines, which must be ascending by code; empty when a line is malformed.
std::vector<std::uint64_t> ticketsOf(const QStringList& lines) {
    std::vector<std::uint64_t> tickets;
    int lastCode = 0;
    for (const QString& line : lines) {
        const std::uint64_t mask = ticketMask(line);
        if (!mask)
            return {};
        RedCombo red{};
        int i = 0;
        for (std::uint64_t m = mask; m; m &= m - 1)
            red[i++] = std::countr_zero(m);
        if (redCode(red) <= lastCode)
            return {};
        lastCode = redCode(red);
        tickets.push_back(mask);
    }
    return tickets;
}

bool meets(const std::vector<std::uint64_t>& tickets, std::uint64_t drawn, int keep) {
    return std::any_of(tickets.begin(), tickets.end(),
                       [&](std::uint64_t t) { return std::popcount(t & drawn) >= keep; });
}

PanelState narrowPanel() {
    PanelState panel;
    const QStringList row{u"1"_s, u"5"_s, u"12"_s, u"20"_s, u"27"_s, u"33"_s, u"8"_s, u"0096810"_s,
                          u"0"_s, u"0"_s, u"9"_s,  u"6"_s,  u"8"_s,  u"1"_s,  u"0"_s};
    for (int i = 1; i <= 15; ++i)
        panel.text1[i] = row[i - 1];
    panel.check1[0] = 1;
    panel.check1[4] = 1;
    panel.text1[50] = u"84"_s;
    panel.text1[51] = u"80"_s;
    panel.check1[6] = 1;
    panel.text1[54] = u"3"_s;
    panel.text1[55] = u"3"_s;
    return panel;
}

} // namespace

class TestWheelCli : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    test::CliRun cli(const QStringList& args) {
        return test::runCli(QStringList{u"--db"_s, m_dir.filePath(u"ssq.mdb"_s)} + args);
    }

private Q_SLOTS:
    void wheelPrintsCheckedTickets_data() {
        QTest::addColumn<QString>("pool");
        QTest::addColumn<QString>("bankers");
        QTest::addColumn<int>("match");
        QTest::addColumn<int>("keep");
        QTest::newRow("12 reds 中6保5") << u"2 4 6 9 11 13 17 21 25 28 31 33"_s << u""_s << 6 << 5;
        QTest::newRow("10 reds 中4保3, banker 09")
            << u"1,3,5,7,9,11,13,15,17,19"_s << u"09"_s << 4 << 3;
        QTest::newRow("7 reds 中3保3") << u"5 10 15 20 25 30 33"_s << u""_s << 3 << 3;
    }
    void wheelPrintsCheckedTickets() {
        QFETCH(QString, pool);
        QFETCH(QString, bankers);
        QFETCH(int, match);
        QFETCH(int, keep);
        QStringList args{u"wheel"_s, u"--pool"_s, pool, u"--guarantee"_s,
                         u"%1:%2"_s.arg(match).arg(keep)};
        if (!bankers.isEmpty())
            args << u"--bankers"_s << bankers;
        const test::CliRun run = cli(args);
        QCOMPARE(run.status, 0);
        QStringList lines = run.out.split(u'\n');
        QCOMPARE(lines.takeLast(), QString()); // ends with a newline
        const QString last = lines.takeLast();
        QCOMPARE(last, u"旋转\t%1\t已验证"_s.arg(lines.size()));
        const std::vector<std::uint64_t> tickets = ticketsOf(lines);
        QCOMPARE(static_cast<qsizetype>(tickets.size()), lines.size());

        QString error;
        const std::vector<int> reds = *parseRedList(pool, &error);
        const std::vector<int> held = *parseRedList(bankers, &error);
        std::uint64_t poolMask = 0, bankerMask = 0;
        for (int r : reds)
            poolMask |= std::uint64_t{1} << r;
        for (int r : held)
            bankerMask |= std::uint64_t{1} << r;
        for (std::uint64_t t : tickets)
            QVERIFY(!(t & ~poolMask) && (t & bankerMask) == bankerMask);
        // Every match-subset of the pool holding the bankers: the subsets of the pool in turn.
        int cases = 0;
        for (std::uint64_t s = 0; s < (std::uint64_t{1} << 34);
             s = ((s | ~poolMask) + 1) & poolMask) {
            if (std::popcount(s) == match && (s & bankerMask) == bankerMask) {
                QVERIFY(meets(tickets, s, keep));
                ++cases;
            }
            if (s == poolMask)
                break;
        }
        QVERIFY(cases >= 35);
        // The same seed, the same lines; another seed still a checked wheel.
        QCOMPARE(cli(args).out, run.out);
        const test::CliRun other = cli(args + QStringList{u"--seed"_s, u"99"_s});
        QCOMPARE(other.status, 0);
        QVERIFY(other.out.contains(u"\t已验证\n"_s));
    }

    void wheelRefusals_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString eight = u"1 2 3 4 5 6 7 8"_s;
        QTest::newRow("6 reds") << QStringList{u"--pool"_s, u"1 2 3 4 5 6"_s, u"--guarantee"_s,
                                               u"6:5"_s}
                                << u"号码池应有7到20个红球，现在有6个"_s;
        QTest::newRow("21 reds")
            << QStringList{u"--pool"_s, u"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21"_s,
                           u"--guarantee"_s, u"6:5"_s}
            << u"号码池应有7到20个红球，现在有21个"_s;
        QTest::newRow("2:2") << QStringList{u"--pool"_s, eight, u"--guarantee"_s, u"2:2"_s}
                             << u"保号条件“中2保2”不成立：应为中3到中6，保2到所中的个数"_s;
        QTest::newRow("5:6") << QStringList{u"--pool"_s, eight, u"--guarantee"_s, u"5:6"_s}
                             << u"保号条件“中5保6”不成立：应为中3到中6，保2到所中的个数"_s;
        QTest::newRow("6/5") << QStringList{u"--pool"_s, eight, u"--guarantee"_s, u"6/5"_s}
                             << u"保号条件“6/5”有误，应写作“中:保”，如 6:5"_s;
        QTest::newRow("banker outside")
            << QStringList{u"--pool"_s, eight, u"--guarantee"_s, u"6:5"_s, u"--bankers"_s, u"9"_s}
            << u"胆码09不在号码池中"_s;
        QTest::newRow("repeat") << QStringList{u"--pool"_s, u"1 2 3 4 5 6 7 3"_s, u"--guarantee"_s,
                                               u"6:5"_s}
                                << u"号码03重复了，每个号码只能出现一次"_s;
        QTest::newRow("not a red")
            << QStringList{u"--pool"_s, u"1 2 3 4 5 6 7 x"_s, u"--guarantee"_s, u"6:5"_s}
            << u"红球号码“x”有误，应为1到33之间的整数"_s;
        QTest::newRow("seed") << QStringList{u"--pool"_s, eight,       u"--guarantee"_s,
                                             u"6:5"_s,    u"--seed"_s, u"-1"_s}
                              << u"种子“-1”有误，应为不小于0的整数"_s;
    }
    void wheelRefusals() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const test::CliRun run = cli(QStringList{u"wheel"_s} + args);
        QCOMPARE(run.status, 3);
        QCOMPARE(run.err, message);
        QVERIFY(run.out.isEmpty());
    }

    void selectCoverPrintsCheckedTickets() {
        const QString panelPath = m_dir.filePath(u"窄.ssqpanel.json"_s);
        QVERIFY(saveConditionFile(panelPath, narrowPanel(), {}, nullptr));
        const test::CliRun listed = cli({u"select"_s, u"--panel"_s, panelPath, u"--list"_s});
        QCOMPARE(listed.status, 0);
        QStringList kept = listed.out.split(u'\n', Qt::SkipEmptyParts);
        const QString resultLine = kept.takeFirst();

        for (int keep : {5, 4}) {
            const test::CliRun run =
                cli({u"select"_s, u"--panel"_s, panelPath, u"--cover"_s, QString::number(keep)});
            QCOMPARE(run.status, 0);
            QStringList lines = run.out.split(u'\n');
            QCOMPARE(lines.takeLast(), QString());
            QCOMPARE(lines.takeFirst(), resultLine);
            const QString last = lines.takeLast();
            QCOMPARE(last,
                     u"缩水\t%1\t%2\t%3\t已验证"_s.arg(lines.size()).arg(kept.size()).arg(keep));
            const std::vector<std::uint64_t> tickets = ticketsOf(lines);
            QCOMPARE(static_cast<qsizetype>(tickets.size()), lines.size());
            QSet<QString> keptTexts;
            for (const QString& combo : kept) {
                std::uint64_t mask = 0;
                QStringList two;
                for (const QString& n : combo.split(u' ')) {
                    mask |= std::uint64_t{1} << n.toInt();
                    two << u"%1"_s.arg(n.toInt(), 2, 10, QLatin1Char('0'));
                }
                keptTexts.insert(two.join(u' '));
                QVERIFY(meets(tickets, mask, keep));
            }
            for (const QString& ticket : lines)
                QVERIFY(keptTexts.contains(ticket));
        }
        const QStringList seeded{u"select"_s, u"--panel"_s, panelPath, u"--cover"_s,
                                 u"5"_s,      u"--seed"_s,  u"4"_s};
        QCOMPARE(cli(seeded).out, cli(seeded).out);

        const test::CliRun three =
            cli({u"select"_s, u"--panel"_s, panelPath, u"--cover"_s, u"3"_s});
        QCOMPARE(three.status, 3);
        QCOMPARE(three.err, u"缩水保号只能保5个或保4个红球（--cover 5 或 --cover 4）"_s);
    }
};

QTEST_GUILESS_MAIN(TestWheelCli)
#include "test_wheel_cli.moc"

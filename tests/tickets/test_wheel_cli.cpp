// ssq-cli wheel and select --cover: the exact lines, the tickets those the logic builds for the
// same request and seed (whose guarantee the wheel test checks), refusals with status 3.

#include "red/condition_file.h"
#include "support/cli_run.h"
#include "support/panel_text.h"
#include "tickets/wheel.h"

#include <QTemporaryDir>
#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

// The printed lines of tickets: six reds of two digits each, then the closing line.
QStringList ticketLines(const std::vector<RedCombo>& tickets, const QString& last) {
    QStringList lines;
    for (const RedCombo& t : tickets) {
        QStringList reds;
        for (int n : t)
            reds.append(u"%1"_s.arg(n, 2, 10, QLatin1Char('0')));
        lines.append(reds.join(u' '));
    }
    return lines << last << QString();
}

// A sum of 80..84 with three small numbers: a few thousand combinations kept.
PanelState narrowPanel() {
    return test::panelOf(u"t8=0096810 c0 c4 c6 t50=84 t51=80 t54=3 t55=3"_s);
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
        QString error;
        const WheelRequest request{
            *parseRedList(pool, &error), *parseRedList(bankers, &error), {match, keep}};
        for (const std::uint64_t seed : {kDefaultCoverSeed, std::uint64_t{99}}) {
            const test::CliRun run = cli(
                seed == kDefaultCoverSeed ? args
                                          : args + QStringList{u"--seed"_s, QString::number(seed)});
            QCOMPARE(run.status, 0);
            const TicketCover wheel = buildWheel(request, seed);
            QVERIFY(wheel.verified());
            QCOMPARE(run.out.split(u'\n'),
                     ticketLines(wheel.tickets, u"旋转\t%1\t已验证"_s.arg(wheel.tickets.size())));
        }
    }

    void wheelRefusals_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        // The pool, the guarantee and any further arguments.
        const auto row = [](const char* name, const QString& pool, const QString& guarantee,
                            const QStringList& more, const QString& message) {
            QTest::newRow(name) << QStringList{u"--pool"_s, pool, u"--guarantee"_s, guarantee} +
                                       more
                                << message;
        };
        const QString eight = u"1 2 3 4 5 6 7 8"_s;
        row("21 reds", u"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21"_s, u"6:5"_s, {},
            u"号码池应有7到20个红球，现在有21个"_s);
        row("5:6", eight, u"5:6"_s, {}, u"保号条件“中5保6”不成立：应为中3到中6，保2到所中的个数"_s);
        row("6/5", eight, u"6/5"_s, {}, u"保号条件“6/5”有误，应写作“中:保”，如 6:5"_s);
        row("banker outside", eight, u"6:5"_s, {u"--bankers"_s, u"9"_s}, u"胆码09不在号码池中"_s);
        row("not a red", u"1 2 3 4 5 6 7 x"_s, u"6:5"_s, {},
            u"红球号码“x”有误，应为1到33之间的整数"_s);
        row("seed", eight, u"6:5"_s, {u"--seed"_s, u"-1"_s}, u"种子“-1”有误，应为不小于0的整数"_s);
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
        std::vector<std::int32_t> codes;
        for (const QString& combo : kept) {
            RedCombo red{};
            const QStringList numbers = combo.split(u' ');
            for (int i = 0; i < 6; ++i)
                red[i] = numbers.value(i).toInt();
            codes.push_back(redCode(red));
        }

        for (const auto& [keep, seed] : {std::pair{5, kDefaultCoverSeed}, {4, std::uint64_t{4}}}) {
            QStringList args{u"select"_s, u"--panel"_s, panelPath, u"--cover"_s,
                             QString::number(keep)};
            if (seed != kDefaultCoverSeed)
                args << u"--seed"_s << QString::number(seed);
            const test::CliRun run = cli(args);
            QCOMPARE(run.status, 0);
            const TicketCover cover = coverKeptSet(codes, keep, seed);
            QVERIFY(cover.verified() && cover.tickets.size() < codes.size());
            QCOMPARE(run.out.split(u'\n'),
                     QStringList{resultLine} +
                         ticketLines(cover.tickets,
                                     u"缩水\t%1\t%2\t%3\t已验证"_s.arg(cover.tickets.size())
                                         .arg(kept.size())
                                         .arg(keep)));
        }

        const test::CliRun three =
            cli({u"select"_s, u"--panel"_s, panelPath, u"--cover"_s, u"3"_s});
        QCOMPARE(three.status, 3);
        QCOMPARE(three.err, u"缩水保号只能保5个或保4个红球（--cover 5 或 --cover 4）"_s);
    }
};

QTEST_GUILESS_MAIN(TestWheelCli)
#include "test_wheel_cli.moc"

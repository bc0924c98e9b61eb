// ssq-cli game as a script runs it: the fourteen count lines, the repeated draw's two lines,
// the same output for the same seed, and refused picks and targets.

#include "support/cli_run.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

ssq::test::CliRun cli(const QStringList& args) {
    return ssq::test::runCli(QStringList{u"game"_s} + args);
}

const QString kPick = u"3 8 12 19 23 27 31 9"_s;

} // namespace

class TestGameCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void countsFourteenLines() {
        const ssq::test::CliRun run = cli({u"--pick"_s, kPick, u"--draws"_s, u"100000"_s, u"--seed"_s, u"5"_s});
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 14);
        qint64 total = 0;
        for (int i = 0; i < 14; ++i) {
            const QStringList fields = lines[i].split(u'\t');
            QCOMPARE(fields.size(), 3);
            QCOMPARE(fields[0], QString::number(i / 2));
            QCOMPARE(fields[1], QString::number(i % 2));
            total += fields[2].toLongLong();
        }
        QCOMPARE(total, 100000);
        QCOMPARE(cli({u"--draws"_s, u"100000"_s, u"--seed"_s, u"5"_s, u"--pick"_s, kPick}).out,
                 run.out);
        QVERIFY(cli({u"--pick"_s, kPick, u"--draws"_s, u"100000"_s}).out != run.out);
    }

    // The last draw meets the target: four of the picked reds, the blue missed.
    void repeatsUntilTarget() {
        const ssq::test::CliRun run =
            cli({u"--pick"_s, kPick, u"--until"_s, u"4"_s, u"0"_s, u"--seed"_s, u"11"_s});
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].toLongLong() >= 1);
        const QStringList draw = lines[1].split(u' ');
        QCOMPARE(draw.size(), 7);
        const QStringList picked = kPick.split(u' ');
        int hit = 0;
        for (int i = 0; i < 6; ++i)
            hit += picked.mid(0, 7).contains(draw[i]) ? 1 : 0;
        QCOMPARE(hit, 4);
        QVERIFY(draw[6] != picked[7]);
        QCOMPARE(cli({u"--pick"_s, kPick, u"--until"_s, u"4"_s, u"0"_s, u"--seed"_s, u"11"_s}).out,
                 run.out);
    }

    void refusesBadPicksAndTargets_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QString range = u"您没选号或者选择的号码超出了范围"_s;
        QTest::newRow("red 34") << QStringList{u"--pick"_s, u"3 8 12 19 23 27 34 9"_s, u"--draws"_s,
                                               u"10"_s}
                                << 3 << range;
        QTest::newRow("seven numbers")
            << QStringList{u"--pick"_s, u"3 8 12 19 23 27 31"_s, u"--draws"_s, u"10"_s} << 3
            << range;
        QTest::newRow("repeated") << QStringList{u"--pick"_s, u"3 8 12 19 23 27 3 9"_s,
                                                 u"--until"_s, u"6"_s, u"1"_s}
                                  << 3 << u"重复"_s;
        QTest::newRow("target 7") << QStringList{u"--pick"_s, kPick, u"--until"_s, u"7"_s, u"0"_s}
                                  << 3 << range;
        QTest::newRow("target 0") << QStringList{u"--pick"_s, kPick, u"--until"_s, u"0"_s, u"1"_s}
                                  << 3 << u"红球数范围为1-6"_s;
        QTest::newRow("blue 2") << QStringList{u"--pick"_s, kPick, u"--until"_s, u"3"_s, u"2"_s}
                                << 3 << range;
        QTest::newRow("no mode") << QStringList{u"--pick"_s, kPick} << 2 << u"用法"_s;
        QTest::newRow("zero draws")
            << QStringList{u"--pick"_s, kPick, u"--draws"_s, u"0"_s} << 2 << u"用法"_s;
    }
    void refusesBadPicksAndTargets() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        const ssq::test::CliRun run = cli(args);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestGameCli)
#include "test_game_cli.moc"

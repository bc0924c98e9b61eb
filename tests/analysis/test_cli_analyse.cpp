// ssq-cli analyse as a script runs it: the ranking lines and the tables the window writes, the
// refusals on standard error with status 3 and nothing written.

#include "analysis/hot_cold_characteristics.h"
#include "analysis_fixtures.h"
#include "support/cli_run.h"

#include <QTest>

#include <tuple>

using namespace ssq;
using namespace Qt::StringLiterals;

class TestCliAnalyse : public QObject {
    Q_OBJECT

    std::tuple<int, QString, QString> cli(const QStringList& args) {
        const test::CliRun r = test::runCli(QStringList{u"--db"_s, m_db->path()} + args);
        return {r.status, r.out, r.err};
    }

    QList<QStringList> tables() {
        return test::statisticsRows(m_db->connection(), u"hmtx"_s) +
               test::statisticsRows(m_db->connection(), u"rhmtx"_s) +
               test::statisticsRows(m_db->connection(), u"rlhtx"_s);
    }

    std::unique_ptr<test::TempDatabase> m_db;

private Q_SLOTS:
    void init() { m_db = std::make_unique<test::TempDatabase>(); }

    // The lines are the window's three lists; the tables hold what the window writes.
    void hotColdAndPairs() {
        QVERIFY(test::importRealDraws(*m_db, u"2020001"_s, 150));
        const auto [status, out, err] = cli({u"analyse"_s, u"hotcold"_s, u"--window"_s, u"30"_s});
        QCOMPARE(status, 0);
        QCOMPARE(err, QString());
        QCOMPARE(out, u"17   30   24   7   23   22   19   5   11\n"
                      u"20   31   21   28   10   1   12   33   32   2   13   27   25   29   18\n"
                      u"4   3   8   15   14   6   16   9   26\n"_s);
        QCOMPARE(test::statisticsRows(m_db->connection(), u"hmtx"_s)[1][1], u"最近30期开出次数"_s);

        QCOMPARE(cli({u"analyse"_s, u"pairs"_s}), std::make_tuple(0, QString(), QString()));
        QCOMPARE(test::statisticsRows(m_db->connection(), u"rlhtx"_s)[31][2], u"4"_s);

        // No window: the default of 22 draws, with its notice.
        const auto [status2, out2, err2] = cli({u"analyse"_s, u"hotcold"_s});
        QVERIFY(status2 == 0 && out2.count(u'\n') == 3 && err2.contains(u"默认为22"_s));
        QCOMPARE(test::statisticsRows(m_db->connection(), u"hmtx"_s)[1][1], u"最近22期开出次数"_s);
    }

    void refusals() {
        QVERIFY(test::addDraws(m_db->connection(), test::rotatingDraws(21)));
        const QList<QStringList> before = tables();
        const QString tooFew =
            u"您的数据库中的记录不足22条，不适合使用本功能，请等到记录达到22条后使用"_s;
        QCOMPARE(cli({u"analyse"_s, u"hotcold"_s, u"--window"_s, u"5"_s}),
                 std::make_tuple(3, QString(), tooFew));
        QCOMPARE(cli({u"analyse"_s, u"pairs"_s}), std::make_tuple(3, QString(), tooFew));
        QVERIFY(test::addDraws(m_db->connection(), test::rotatingDraws(22).mid(21)));
        const auto [status, out, err] = cli({u"analyse"_s, u"hotcold"_s, u"--window"_s, u"23"_s});
        QVERIFY(status == 3 && out.isEmpty() && err.contains(u"最高记录为22条"_s));
        QCOMPARE(tables(), before);
        for (const QStringList& args : {QStringList{u"analyse"_s},
                                        {u"analyse"_s, u"hot"_s},
                                        {u"analyse"_s, u"pairs"_s, u"x"_s}})
            QCOMPARE(std::get<0>(cli(args)), 2);
    }
};

QTEST_GUILESS_MAIN(TestCliAnalyse)
#include "test_cli_analyse.moc"

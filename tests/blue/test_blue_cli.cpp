// ssq-cli blue and analyse blue as a script runs them: the result lines of a controls file,
// refusals on standard error with status 3, and lqtx written only when the answer is usable.

#include "blue/blue_controls_file.h"
#include "blue/blue_controls_text.h"
#include "support/cli_run.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"
#include "support/temp_database.h"

#include <QSqlQuery>
#include <QTest>

#include <tuple>

using namespace ssq;
using namespace Qt::StringLiterals;

class TestBlueCli : public QObject {
    Q_OBJECT

    test::TempDatabase m_db;

    std::tuple<int, QString, QString> cli(const QStringList& args) {
        const test::CliRun r = test::runCli(QStringList{u"--db"_s, m_db.path()} + args);
        return {r.status, r.out, r.err};
    }

    std::tuple<int, QString, QString> blue(const QByteArray& file) {
        const QString path = m_db.folder() + u"/蓝球.json"_s;
        if (!test::writeBytes(path, file))
            return {-1, {}, {}};
        return cli({u"blue"_s, u"--controls"_s, path});
    }

    QStringList lqtx() {
        QStringList rows;
        QSqlQuery q(u"SELECT * FROM lqtx ORDER BY 序号"_s, m_db.connection());
        while (q.next()) {
            QStringList cells;
            for (int i = 1; i <= 17; ++i)
                cells.append(q.value(i).toString());
            rows.append(cells.join(u'\t'));
        }
        return rows;
    }

private Q_SLOTS:
    void blueRun() {
        // 10 "有": the numbers whose code digits are neighbours.
        QCOMPARE(blue(blueControlsFileBytes(test::blueControls(u"c9 c15"_s))),
                 std::make_tuple(
                     0, u"2\t5\t7\t10\t12\t15\t\t\t\t\t\t\t\t\t\t\n符合条件的号码共有6注!\n"_s,
                     QString()));
        QCOMPARE(blue(R"({"check": {"2": 1, "13": 1, "14": 1}})"),
                 std::make_tuple(0,
                                 QString(15, u'\t') + u"\n没有符合条件的号码,请重新设置条件!\n"_s,
                                 QString()));
        const auto [status, out, err] = blue(R"({"check": {"11": 1}, "text": {"26": "11"}})");
        QVERIFY2(status == 3 && out.isEmpty() && err.contains(u"第4个框"_s), qPrintable(err));
        const auto [badStatus, badOut, badErr] = blue(R"({"check": {"1": "1"}})");
        QVERIFY2(badStatus == 3 && badOut.isEmpty() && badErr.contains(u"“check”中键“1”"_s),
                 qPrintable(badErr));
    }

    void analyseBlue() {
        QVERIFY(test::addRealDraws(m_db.connection(), u"2023001"_s, 40));
        const QStringList shipped = lqtx();
        // Up to 50 is taken on 40 draws, as the default is; more, or a fraction, is refused.
        for (const QString& n : {u"51"_s, u"7.5"_s}) {
            const auto [status, out, err] = cli({u"analyse"_s, u"blue"_s, u"--window"_s, n});
            QVERIFY2(status == 3 && out.isEmpty() && !err.isEmpty(), qPrintable(err));
            QCOMPARE(lqtx(), shipped);
        }
        const auto [status, out, err] = cli({u"analyse"_s, u"blue"_s, u"--window"_s, u"40"_s});
        QCOMPARE(status, 0);
        QVERIFY(err.isEmpty());
        QCOMPARE(out, lqtx().join(u'\n') + u'\n');
        const QStringList rows = lqtx();
        QVERIFY(rows[1].startsWith(u"最近40期开出次数\t"_s));
        // Fewer than 50 draws: the last 50 are all 40, as are the last 40 and the whole history.
        QCOMPARE(rows[0].section(u'\t', 1), rows[1].section(u'\t', 1));
        QCOMPARE(rows[2].section(u'\t', 1), rows[1].section(u'\t', 1));

        const auto [zeroStatus, zeroOut, zeroErr] =
            cli({u"analyse"_s, u"blue"_s, u"--window"_s, u"0"_s});
        QVERIFY(zeroStatus == 0 && zeroErr == u"您没有输入要查询的期数,程序将默认为50"_s);
        QVERIFY(lqtx()[1].startsWith(u"最近50期开出次数\t"_s));
        QCOMPARE(std::get<0>(cli({u"analyse"_s, u"purple"_s})), 2);
    }
};

QTEST_GUILESS_MAIN(TestBlueCli)
#include "test_blue_cli.moc"

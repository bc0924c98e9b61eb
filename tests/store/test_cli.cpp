// The command-line tool as a script runs it: arguments in, text and exit status out.

#include "store/database.h"

#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(SSQ_CLI_PATH), args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void code() {
        Run r = cli(u"code 1 2 3 4 5 6"_s.split(u' '));
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, u"代码: 1\n代码文本: 0000001\n百万 十万 万位 千位 百位 十位 个位: 0 0 0 0 0 0 1\n"_s);
        r = cli(u"code 28 29 30 31 32 33"_s.split(u' '));
        QVERIFY(r.out.contains(u"代码: 1107568\n"_s) && r.out.contains(u": 1 1 0 7 5 6 8\n"_s));
        // Refusals go to the error stream with a failing status.
        for (const auto& [args, words] : {std::pair{u"code 1 2 3 4 5"_s, u"六个"_s}, {u"code 6 5 4 3 2 1"_s, u"从小到大"_s},
                                          {u"code 1 2 3 4 5 34"_s, u"1到33"_s}, {u"nonsense"_s, u"用法"_s}}) {
            r = cli(args.split(u' '));
            QVERIFY2(r.status > 0 && r.out.isEmpty() && r.err.contains(words), qPrintable(args + r.err));
        }
    }

    void info() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"数据.mdb"_s);
        Run r = cli({u"--db"_s, path, u"info"_s});
        QVERIFY2(r.status == 0 && r.out.contains(path) && r.out.contains(u"开奖记录: 0\n"_s), qPrintable(r.out));
        {
            ssq::Database db(path);
            QVERIFY(db.open(nullptr));
            QVERIFY(QSqlQuery(db.connection()).exec(u"INSERT INTO kjhm (期号) VALUES (7002), (7001)"_s));
        }
        r = cli({u"--db"_s, path, u"info"_s});
        QVERIFY(r.out.contains(u"开奖记录: 2\n最早期号: 7001\n最新期号: 7002\n"_s));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"

// The command-line tool as a script runs it: arguments in, text and exit status out.

#include "store/database.h"

#include <QDir>
#include <QFile>
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
    Run r;
    if (!p.waitForFinished(30000))
        return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void codeOfTheFirstAndLastCombination() {
        Run r = cli({u"code"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, u"代码: 1\n代码文本: 0000001\n百万 十万 万位 千位 百位 十位 个位: 0 0 0 0 0 0 1\n"_s);

        r = cli({u"code"_s, u"28"_s, u"29"_s, u"30"_s, u"31"_s, u"32"_s, u"33"_s});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains(u"代码: 1107568\n"_s));
        QVERIFY(r.out.contains(u": 1 1 0 7 5 6 8\n"_s));
    }

    void badCodeInputIsRefused_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("five") << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s} << u"六个"_s;
        QTest::newRow("descending") << QStringList{u"6"_s, u"5"_s, u"4"_s, u"3"_s, u"2"_s, u"1"_s}
                                    << u"请按从小到大的顺序输入开奖号码"_s;
        QTest::newRow("repeated") << QStringList{u"1"_s, u"1"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s}
                                  << u"请按从小到大的顺序输入开奖号码"_s;
        QTest::newRow("34") << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"34"_s} << u"1到33"_s;
        QTest::newRow("0") << QStringList{u"0"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s} << u"1到33"_s;
        QTest::newRow("text") << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6x"_s} << u"6x"_s;
    }
    void badCodeInputIsRefused() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r = cli(QStringList{u"code"_s} + args);
        QVERIFY(r.status > 0);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
    }

    void infoCreatesAndDescribesTheDatabase() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"数据/ssq.mdb"_s);
        QVERIFY(QDir(dir.path()).mkdir(u"数据"_s));
        Run r = cli({u"--db"_s, path, u"info"_s});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.contains(path), qPrintable(r.out));
        QVERIFY(r.out.contains(u"开奖记录: 0\n"_s));
        QVERIFY(QFile::exists(path));

        {
            ssq::Database db(path);
            QVERIFY(db.open(nullptr));
            QSqlQuery q(db.connection());
            QVERIFY(q.exec(u"INSERT INTO kjhm (期号, H1, H2, H3, H4, H5, H6, L1) VALUES (7002, 1, 2, 3, 4, 5, 6, 1)"_s));
            QVERIFY(q.exec(u"INSERT INTO kjhm (期号, H1, H2, H3, H4, H5, H6, L1) VALUES (7001, 1, 2, 3, 4, 5, 6, 1)"_s));
        }
        r = cli({u"--db"_s, path, u"info"_s});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains(u"开奖记录: 2\n最早期号: 7001\n最新期号: 7002\n"_s));
    }

    void infoRefusesAForeignFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"notes.mdb"_s);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("hello");
        f.close();
        const Run r = cli({u"--db"_s, path, u"info"_s});
        QVERIFY(r.status > 0);
        QVERIFY(r.err.contains(path));
    }

    void unknownCommandsAndOptionsShowTheUsage() {
        for (const QStringList& args : {QStringList{u"nonsense"_s}, QStringList{u"--frobnicate"_s, u"info"_s},
                                        QStringList{}}) {
            const Run r = cli(args);
            QCOMPARE(r.status, 2);
            QVERIFY(r.err.contains(u"用法"_s));
        }
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"

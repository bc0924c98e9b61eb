// ssq-cli check and select --save as a script runs them.

#include "red/condition_set.h"
#include "red/last_draw_check.h"
#include "red/saved_results.h"
#include "store/draw_entry.h"
#include "support/temp_database.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run cli(const QString& db, const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(SSQ_CLI_PATH), QStringList{u"--db"_s, db} + args);
    Run r;
    if (!p.waitForFinished(120000))
        return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

bool writeFile(const QString& path, const QByteArray& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

int hmbcRows(QSqlDatabase db) {
    QSqlQuery q(u"select count(*) from hmbc"_s, db);
    return q.next() ? q.value(0).toInt() : -1;
}

} // namespace

class TestCliCheck : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void checkPrintsMessageAndTicks();
    void selectSaves();
    void selectSaveRefusesAboveFiveThousand();
};

void TestCliCheck::checkPrintsMessageAndTicks() {
    test::TempDatabase t;
    QVERIFY2(t.isValid(), qPrintable(t.error()));
    Run r = cli(t.path(), {u"check"_s});
    QCOMPARE(r.status, 1);
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.err.contains(u"还没有开奖记录"_s), qPrintable(r.err));

    QVERIFY(addDraw(t.connection(), DrawInput{7001, {1, 5, 12, 20, 27, 33}, 8}).written);
    QVERIFY(addDraw(t.connection(), DrawInput{7002, {3, 8, 15, 21, 27, 30}, 9}).written);

    PanelState set;
    set.text1[16] = u"2"_s;   // 1: a banker number that was not drawn
    set.text1[144] = u"27"_s; // 36: a killed number that was drawn
    set.text1[136] = u"6"_s;  // 32: zone one holds 2 of the six, inside 1..6
    set.text1[137] = u"1"_s;
    QVERIFY(saveConditionSet(t.connection(), set).ok);

    r = cli(t.path(), {u"check"_s});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, lastDrawCheckMessage(2) + u"\n1 36\n"_s);

    // Nothing failed: the second line is empty.
    PanelState none;
    QVERIFY(saveConditionSet(t.connection(), none).ok);
    QCOMPARE(cli(t.path(), {u"check"_s}).out, lastDrawCheckMessage(0) + u"\n\n"_s);
}

void TestCliCheck::selectSaves() {
    test::TempDatabase t;
    QVERIFY(t.isValid());
    // Condition 4 (sum) exactly 21 keeps only 1 2 3 4 5 6.
    const QString panel = t.folder() + u"/sum21.ssqpanel.json"_s;
    QVERIFY(writeFile(panel, R"({"text1": {"8": "0000001", "50": "21", "51": "21"},
        "check1": [1,0,0,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]})"));
    const Run r = cli(t.path(), {u"select"_s, u"--panel"_s, panel, u"--save"_s});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.endsWith(u"所选号码保存完毕\n"_s), qPrintable(r.out + r.err));
    QCOMPARE(loadSavedResults(t.connection()).texts, QStringList{u"1 2 3 4 5 6"_s});
    QCOMPARE(hmbcRows(t.connection()), 2);
}

void TestCliCheck::selectSaveRefusesAboveFiveThousand() {
    test::TempDatabase t;
    QVERIFY(t.isValid());
    QVERIFY(
        saveResults(t.connection(), 7, [](int i) { return u"1 2 3 4 5 %1"_s.arg(6 + i); }).saved);
    // No condition at all keeps every combination.
    const QString panel = t.folder() + u"/all.ssqpanel.json"_s;
    QVERIFY(writeFile(panel, R"({"text1": {"8": "0000001"}})"));
    const Run r = cli(t.path(), {u"select"_s, u"--panel"_s, panel, u"--save"_s});
    QCOMPARE(r.status, 3);
    QVERIFY(r.err.contains(u"您所选的号码超过了5000注,本程序拒绝执行此操作"_s));
    QCOMPARE(loadSavedResults(t.connection()).texts.size(), 7);
    QCOMPARE(hmbcRows(t.connection()), 3);
}

QTEST_GUILESS_MAIN(TestCliCheck)
#include "test_cli_check.moc"

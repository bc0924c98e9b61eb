// Killing ssq-cli (SIGKILL) at random moments never damages the database or loses a draw: after
// each kill the file opens, passes SQLite's integrity check, and holds either what it held before
// or everything the finished command writes. Covered: importing the real draws from 2020001,
// saving a selection's results, backup, replace from backup and compaction.

#include "store/database.h"
#include "support/cli_run.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;
using namespace ssq;

namespace {

const QStringList kDrawTables{u"kjhm"_s, u"kjdm"_s, u"kjzb"_s};

QString historyFile() {
    return QDir(QStringLiteral(SSQ_DATA_DIR)).filePath(u"ssq-history.csv"_s);
}

// The condition file of one sum range (condition 4) in zone 1, with a converted last draw.
QByteArray sumPanel(int most, int least) {
    return u"{\"text1\": {\"1\": \"1\", \"2\": \"5\", \"3\": \"12\", \"4\": \"20\", \"5\": \"27\", "
           u"\"6\": \"33\", \"7\": \"8\", \"8\": \"0096810\", \"9\": \"0\", \"10\": \"0\", \"11\": "
           u"\"9\", "
           u"\"12\": \"6\", \"13\": \"8\", \"14\": \"1\", \"15\": \"0\", \"50\": \"%1\", \"51\": "
           u"\"%2\"}, "
           u"\"check1\": [1,0,0,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]}"_s
               .arg(most)
               .arg(least)
               .toUtf8();
}

void removeDatabaseFiles(const QString& path) {
    for (const QString& suffix : {QString(), u"-journal"_s})
        QFile::remove(path + suffix);
}

// Rows of `table` in the main file that the attached file `other` lacks.
int rowsMissingFrom(QSqlDatabase db, const QString& table, const QString& other,
                    const QString& columns = u"*"_s) {
    QSqlQuery q(db);
    if (!q.exec(u"SELECT count(*) FROM (SELECT %1 FROM main.%2 EXCEPT SELECT %1 FROM %3.%2)"_s.arg(
            columns, table, other)) ||
        !q.next())
        return -1;
    return q.value(0).toInt();
}

bool sameRows(QSqlDatabase db, const QString& table, const QString& other) {
    QSqlQuery q(db);
    return rowsMissingFrom(db, table, other) == 0 &&
           q.exec(u"SELECT count(*) FROM (SELECT * FROM %2.%1 EXCEPT SELECT * FROM main.%1)"_s.arg(
               table, other)) &&
           q.next() && q.value(0).toInt() == 0;
}

// What the check of a file after a kill found.
struct Check {
    QString problem; // empty when the file is whole and every draw row is one `reference` holds
    qsizetype draws = -1;
    QStringList hmbcEqual; // the compared files whose saved results the file holds exactly
};

// Opens the file as the program does (rolling back a cut-off write), checks SQLite's integrity,
// that the three draw tables hold the same issues, and that each row is the reference's row.
Check checkFile(const QString& path, const QString& reference, const QStringList& hmbcOf = {}) {
    Check c;
    if (!QFileInfo::exists(path)) {
        c.problem = u"the file is missing"_s;
        return c;
    }
    Database db(path);
    if (!db.open(&c.problem))
        return c;
    QSqlQuery q(db.connection());
    if (!q.exec(u"PRAGMA integrity_check"_s) || !q.next() || q.value(0).toString() != u"ok"_s) {
        c.problem = u"integrity_check: "_s + q.value(0).toString();
        return c;
    }
    const QStringList others = QStringList{reference} + hmbcOf;
    for (int i = 0; i < others.size(); ++i) {
        q.prepare(u"ATTACH DATABASE ? AS f%1"_s.arg(i));
        q.addBindValue(others[i]);
        if (!q.exec()) {
            c.problem = u"attach failed"_s;
            return c;
        }
    }
    for (const QString& t : kDrawTables) {
        if (rowsMissingFrom(db.connection(), t, u"f0"_s) != 0)
            c.problem += u" %1 holds rows a clean import does not;"_s.arg(t);
    }
    for (const QString& t : {u"kjdm"_s, u"kjzb"_s}) {
        QSqlQuery issues(db.connection());
        if (!issues.exec(
                u"SELECT (SELECT count(*) FROM kjhm) = (SELECT count(*) FROM %1) AND NOT EXISTS "
                u"(SELECT 期号 FROM kjhm EXCEPT SELECT 期号 FROM %1) AND NOT EXISTS "
                u"(SELECT 期号 FROM %1 EXCEPT SELECT 期号 FROM kjhm)"_s.arg(t)) ||
            !issues.next() || !issues.value(0).toBool())
            c.problem += u" kjhm and %1 hold different issues;"_s.arg(t);
    }
    c.draws = test::rowCount(db.connection(), u"kjhm"_s);
    for (int i = 0; i < hmbcOf.size(); ++i)
        if (sameRows(db.connection(), u"hmbc"_s, u"f%1"_s.arg(i + 1)))
            c.hmbcEqual.append(hmbcOf[i]);
    return c;
}

QString failure(int kill, const Check& c) {
    return u"kill %1: %2 (%3 draws)"_s.arg(kill).arg(c.problem).arg(c.draws);
}

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QRandomGenerator m_random;
    QString m_reference; // a clean import of the 983 draws from 2020001
    QString m_half;      // the first 400 of them

    QString file(const QString& name) const { return m_dir.filePath(name); }

    // Runs ssq-cli to the end; its exit status, or -1.
    int run(const QStringList& args, const QString& backups = {}) {
        return test::runCli(args,
                            backups.isEmpty() ? QStringList()
                                              : QStringList{u"SSQ_BACKUP_DIR="_s + backups},
                            60000)
            .status;
    }

    struct KillStats {
        int kills = 0;
        int finishedFirst = 0; // the command had ended before the kill
        int journalLeft = 0;   // killed inside a write of the database
        int copyLeft = 0;      // killed while a copy to be swapped in was being made
    };

    // Kills `count` runs of ssq-cli with `args`, each at a random moment within a window that
    // starts a little past how long a whole run takes and follows the machine's load: kills that
    // keep landing before any writing widen it, kills after the end narrow it. `prepare` sets up
    // the files before each run, `check` judges them after the kill.
    KillStats killRepeatedly(int count, const QStringList& args, const QString& backups,
                             const std::function<void()>& prepare,
                             const std::function<void(int kill)>& check) {
        prepare();
        QElapsedTimer clock;
        clock.start();
        if (run(args, backups) != 0)
            qFatal("ssq-cli %s did not run through", qPrintable(args.join(u' ')));
        const double whole = std::max<double>(clock.elapsed(), 20);
        double window = whole * 1.1;

        KillStats stats;
        for (int k = 0; k < count; ++k) {
            prepare();
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(u"SSQ_BACKUP_DIR"_s, backups);
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(SSQ_CLI_PATH), args);
            if (!p.waitForStarted(10000))
                qFatal("ssq-cli did not start");
            QThread::usleep(m_random.bounded(static_cast<quint32>(window * 1000)));
            const bool finished = p.state() == QProcess::NotRunning;
            p.kill(); // SIGKILL
            p.waitForFinished(10000);
            ++stats.kills;
            const QString db = args.value(1);
            const bool journal = QFileInfo::exists(db + u"-journal"_s);
            const QStringList copies{db + u".restore"_s,
                                     QFileInfo(db).dir().filePath(u"ssq28.mdb"_s),
                                     QDir(backups).filePath(u"ssq1.mdb.new"_s)};
            const bool copy =
                std::ranges::any_of(copies, [](const QString& f) { return QFileInfo::exists(f); });
            stats.finishedFirst += finished;
            stats.journalLeft += journal;
            stats.copyLeft += copy;
            if (finished)
                window = std::max(window * 0.8, whole / 2);
            else if (!journal && !copy)
                window = std::min(window * 1.1, whole * 5);
            check(k);
            if (QTest::currentTestFailed())
                return stats;
        }
        qInfo("%s: %d kills, %d inside a write (journal left), %d while making a copy, %d after "
              "the end; a whole run takes %.0f ms",
              qPrintable(args.value(2)), stats.kills, stats.journalLeft, stats.copyLeft,
              stats.finishedFirst, whole);
        return stats;
    }

private Q_SLOTS:
    void initTestCase() {
        const quint32 seed = QRandomGenerator::global()->generate();
        m_random.seed(seed);
        qInfo("random seed %u", seed);
        QVERIFY(m_dir.isValid());
        QFile history(historyFile());
        QVERIFY(history.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = history.readAll().split('\n');
        QByteArray halfLines = lines.value(0) + '\n';
        for (int i = 1, taken = 0; i < lines.size() && taken < 400; ++i) {
            if (lines[i].startsWith("2020") || taken > 0) {
                halfLines += lines[i] + '\n';
                ++taken;
            }
        }
        QVERIFY(test::writeBytes(file(u"half.csv"_s), halfLines));

        m_reference = file(u"reference.mdb"_s);
        m_half = file(u"half.mdb"_s);
        QCOMPARE(
            run({u"--db"_s, m_reference, u"import"_s, historyFile(), u"--from"_s, u"2020001"_s}),
            0);
        QCOMPARE(run({u"--db"_s, m_half, u"import"_s, file(u"half.csv"_s)}), 0);
        QCOMPARE(checkFile(m_reference, m_reference).draws, 983);
        const Check half = checkFile(m_half, m_reference);
        QVERIFY2(half.problem.isEmpty() && half.draws == 400, qPrintable(half.problem));
    }

    // Into an empty database and into one holding the first 400 draws: afterwards the three
    // tables hold the same issues, either the draws held before or all 983, each row as a clean
    // import stores it.
    void importKilled() {
        const QString work = file(u"import.mdb"_s);
        const QString empty = file(u"empty.mdb"_s);
        QVERIFY(Database(empty).open(nullptr));
        bool fromHalf = false;
        const KillStats stats = killRepeatedly(
            50, {u"--db"_s, work, u"import"_s, historyFile(), u"--from"_s, u"2020001"_s},
            file(u"none"_s),
            [&] {
                removeDatabaseFiles(work);
                fromHalf = !fromHalf;
                QVERIFY(QFile::copy(fromHalf ? m_half : empty, work));
            },
            [&](int kill) {
                const Check c = checkFile(work, m_reference);
                QVERIFY2(c.problem.isEmpty() && (c.draws == 983 || c.draws == (fromHalf ? 400 : 0)),
                         qPrintable(failure(kill, c)));
            });
        QCOMPARE(stats.kills, 50);
        // A whole run spends a good part of its time writing; some kills must have landed there.
        QVERIFY(stats.journalLeft > 0);
    }

    // hmbc holds either the results saved before or the new ones, never a mixture or nothing.
    void resultsSaveKilled() {
        const QString work = file(u"save.mdb"_s);
        const QString before = file(u"save-before.mdb"_s);
        const QString after = file(u"save-after.mdb"_s);
        QVERIFY(test::writeBytes(file(u"small.json"_s), sumPanel(38, 21))); // 797 combinations
        QVERIFY(test::writeBytes(file(u"large.json"_s), sumPanel(47, 21))); // 4542
        QVERIFY(QFile::copy(m_half, before));
        const QStringList save{u"select"_s, u"--panel"_s, file(u"large.json"_s), u"--save"_s};
        QCOMPARE(
            run({u"--db"_s, before, u"select"_s, u"--panel"_s, file(u"small.json"_s), u"--save"_s}),
            0);
        QVERIFY(QFile::copy(before, after));
        QCOMPARE(run(QStringList{u"--db"_s, after} + save), 0);
        for (const auto& [path, rows] : {std::pair{before, 1 + 160}, std::pair{after, 1 + 909}}) {
            Database db(path);
            QVERIFY(db.open(nullptr));
            QCOMPARE(test::rowCount(db.connection(), u"hmbc"_s), rows);
        }

        killRepeatedly(
            20, QStringList{u"--db"_s, work} + save, file(u"none"_s),
            [&] {
                removeDatabaseFiles(work);
                QVERIFY(QFile::copy(before, work));
            },
            [&](int kill) {
                const Check c = checkFile(work, m_reference, {before, after});
                QVERIFY2(c.problem.isEmpty() && c.draws == 400 && c.hmbcEqual.size() == 1,
                         qPrintable(failure(kill, c)));
            });
    }

    // ssq.mdb is always there and whole: the old file or the new one. A backup being written is
    // either the old backup or the new one.
    void maintenanceKilled_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("backup") << u"backup"_s;
        QTest::newRow("restore") << u"restore"_s;
        QTest::newRow("compact") << u"compact"_s;
    }
    void maintenanceKilled() {
        QFETCH(QString, command);
        const QString work = file(u"ssq-%1.mdb"_s.arg(command));
        const QString backups = file(u"backups-"_s + command);
        const QString backup = QDir(backups).filePath(u"ssq1.mdb"_s);
        killRepeatedly(
            12, {u"--db"_s, work, command}, backups,
            [&] {
                removeDatabaseFiles(work);
                QDir(backups).removeRecursively();
                QVERIFY(QDir().mkpath(backups));
                QVERIFY(QFile::copy(m_reference, work));
                QVERIFY(QFile::copy(m_half, backup));
            },
            [&](int kill) {
                const Check c = checkFile(work, m_reference);
                QVERIFY2(c.problem.isEmpty() &&
                             (c.draws == 983 || (command == u"restore"_s && c.draws == 400)),
                         qPrintable(failure(kill, c)));
                const Check b = checkFile(backup, m_reference);
                QVERIFY2(b.problem.isEmpty() &&
                             (b.draws == 400 || (command == u"backup"_s && b.draws == 983)),
                         qPrintable(u"backup, "_s + failure(kill, b)));
            });
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "test_crash_safety.moc"

// Killing ssq-cli or the write runner (SIGKILL) at random moments, and at moments inside the write,
// never damages a file or loses a draw: after each kill the file opens, passes SQLite's integrity
// check, and holds exactly one of the states the write goes between. Every write path is covered:
// draw entry, import, saved results, condition sets, analysis and blue tables, condition and blue
// files, export, backup, replace from backup and compaction. Each asserts a share of its kills that
// landed inside the write. Two processes racing (import against maintenance, entry against import)
// never lose a draw reported stored, and never leave a duplicate or a lower issue.

#include "store/database.h"
#include "support/cli_run.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <functional>
#include <optional>
#include <unistd.h>

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

// Empty when the file is whole and `tables` hold exactly what they hold in one of `states`.
QString matchesOneOf(const QString& path, const QStringList& tables, const QStringList& states) {
    Database db(path);
    QString problem;
    if (!db.open(&problem))
        return problem;
    QSqlQuery q(db.connection());
    if (!q.exec(u"PRAGMA integrity_check"_s) || !q.next() || q.value(0).toString() != u"ok"_s)
        return u"integrity_check: "_s + q.value(0).toString();
    for (int i = 0; i < states.size(); ++i) {
        q.prepare(u"ATTACH DATABASE ? AS s%1"_s.arg(i));
        q.addBindValue(states[i]);
        if (!q.exec())
            return u"attach failed"_s;
    }
    const auto count = [&](const QString& table) {
        QSqlQuery n(db.connection());
        return n.exec(u"SELECT count(*) FROM "_s + table) && n.next() ? n.value(0).toInt() : -1;
    };
    for (int i = 0; i < states.size(); ++i) {
        const QString state = u"s%1"_s.arg(i);
        if (std::ranges::all_of(tables, [&](const QString& t) {
                return sameRows(db.connection(), t, state) &&
                       count(u"main."_s + t) == count(state + u'.' + t);
            }))
            return {};
    }
    return u"%1 match none of the states"_s.arg(tables.join(u", "_s));
}

// Empty when kjhm holds each issue once, in rising order as stored.
QString issuesInOrder(QSqlDatabase db) {
    QSqlQuery q(db);
    if (!q.exec(u"SELECT count(*) FROM kjhm a JOIN kjhm b ON a.rowid < b.rowid AND "
                u"a.期号 >= b.期号"_s) ||
        !q.next())
        return u"kjhm cannot be read"_s;
    return q.value(0).toInt() == 0 ? QString() : u"a duplicate or lower issue"_s;
}

// Files SQLite or a save leaves while it writes: a journal, or a temporary copy named after the
// target ("x.txt.AbC123", "ssq.mdb.compact-1a2b3c4d").
bool writingBeside(const QString& target) {
    const QFileInfo info(target);
    return !QDir(info.absolutePath())
                .entryList({info.fileName() + u"*"_s}, QDir::Files | QDir::Hidden)
                .filter(QRegularExpression(u"^"_s + QRegularExpression::escape(info.fileName()) +
                                           u"[-.]"_s))
                .isEmpty();
}

// Rounds of each race: enough to meet both orders and the overlaps, few enough for CI.
constexpr int kRaceRounds = 6;

// Whether process `pid` holds a file open in `folder` that has no name yet: the temporary file a
// save writes before it takes the target's name (an O_TMPFILE file, or one already unlinked).
bool savingInto(qint64 pid, const QString& folder) {
    const QByteArray prefix = QFile::encodeName(folder) + '/';
    char target[4096];
    for (int fd = 3; fd < 64; ++fd) {
        const QByteArray link =
            "/proc/" + QByteArray::number(pid) + "/fd/" + QByteArray::number(fd);
        const ssize_t length = ::readlink(link.constData(), target, sizeof target);
        if (length <= 0)
            continue;
        const QByteArray text(target, length);
        if (text.startsWith(prefix) && text.endsWith(" (deleted)"))
            return true;
    }
    return false;
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

    // One write path under kills: the program and its arguments, how to tell that a kill landed
    // inside the write, and the files' setup and check around each kill.
    struct KillPlan {
        QString program = QStringLiteral(SSQ_CLI_PATH);
        QStringList args;
        QString backups;
        int kills = 10;
        // Whether the process `pid` is inside the write, looked at just before the kill.
        std::function<bool(qint64 pid)> writing;
        std::function<void()> prepare;
        std::function<void(int kill)> check;
    };

    // Every other kill waits until the write is underway and then strikes within a fraction of a
    // millisecond; the others strike at a random moment of a whole run. Returns the kills that
    // landed inside the write.
    int killWrites(const KillPlan& plan) {
        plan.prepare();
        QElapsedTimer clock;
        clock.start();
        // A run to the end (a runner writing forever is given a bounded count) tells how long one
        // takes.
        QStringList once = plan.args;
        if (plan.program != QStringLiteral(SSQ_CLI_PATH))
            once.last() = u"2"_s;
        QProcess whole;
        whole.setProcessEnvironment(environment(plan.backups));
        whole.start(plan.program, once);
        if (!whole.waitForFinished(60000) || whole.exitCode() != 0)
            qFatal("%s %s did not run through: %s", qPrintable(plan.program),
                   qPrintable(once.join(u' ')), whole.readAllStandardError().constData());
        const double span = std::max<double>(clock.elapsed(), 20) * 1.2;

        int inside = 0;
        for (int k = 0; k < plan.kills; ++k) {
            plan.prepare();
            QProcess p;
            p.setProcessEnvironment(environment(plan.backups));
            p.start(plan.program, plan.args);
            if (!p.waitForStarted(10000))
                qFatal("%s did not start", qPrintable(plan.program));
            if (k % 2 == 0) {
                QElapsedTimer waited;
                waited.start();
                while (!plan.writing(p.processId()) && p.state() == QProcess::Running &&
                       waited.elapsed() < 20000)
                    QThread::usleep(20);
                QThread::usleep(m_random.bounded(200u));
            } else {
                QThread::usleep(m_random.bounded(static_cast<quint32>(span * 1000)));
            }
            inside += p.state() == QProcess::Running && plan.writing(p.processId());
            p.kill(); // SIGKILL
            p.waitForFinished(10000);
            plan.check(k);
            if (QTest::currentTestFailed())
                return inside;
        }
        qInfo("%s %s: %d kills, %d inside the write; a whole run takes %.0f ms",
              qPrintable(QFileInfo(plan.program).fileName()), qPrintable(plan.args.value(2)),
              plan.kills, inside, span / 1.2);
        return inside;
    }

    QProcessEnvironment environment(const QString& backups) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"SSQ_BACKUP_DIR"_s, backups.isEmpty() ? file(u"none"_s) : backups);
        return env;
    }

    // Runs the write runner to the end; its exit status.
    int runWriter(const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(SSQ_WRITE_RUNNER_PATH), args);
        return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit ? p.exitCode()
                                                                                  : -1;
    }

    // At least a fifth of the kills must land inside the write, or the test proves little.
    static void expectShareInside(int inside, int kills) {
        QVERIFY2(
            inside * 5 >= kills,
            qPrintable(u"only %1 of %2 kills landed inside the write"_s.arg(inside).arg(kills)));
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
        KillPlan plan;
        plan.args = {u"--db"_s, work, u"import"_s, historyFile(), u"--from"_s, u"2020001"_s};
        plan.kills = 16;
        plan.writing = [&](qint64) { return QFileInfo::exists(work + u"-journal"_s); };
        plan.prepare = [&] {
            removeDatabaseFiles(work);
            fromHalf = !fromHalf;
            QVERIFY(QFile::copy(fromHalf ? m_half : empty, work));
        };
        plan.check = [&](int kill) {
            const Check c = checkFile(work, m_reference);
            QVERIFY2(c.problem.isEmpty() && (c.draws == 983 || c.draws == (fromHalf ? 400 : 0)),
                     qPrintable(failure(kill, c)));
        };
        expectShareInside(killWrites(plan), plan.kills);
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

        KillPlan plan;
        plan.args = QStringList{u"--db"_s, work} + save;
        plan.writing = [&](qint64) { return QFileInfo::exists(work + u"-journal"_s); };
        plan.prepare = [&] {
            removeDatabaseFiles(work);
            QVERIFY(QFile::copy(before, work));
        };
        plan.check = [&](int kill) {
            const Check c = checkFile(work, m_reference, {before, after});
            QVERIFY2(c.problem.isEmpty() && c.draws == 400 && c.hmbcEqual.size() == 1,
                     qPrintable(failure(kill, c)));
        };
        expectShareInside(killWrites(plan), plan.kills);
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
        KillPlan plan;
        plan.args = {u"--db"_s, work, command};
        plan.backups = backups;
        plan.writing = [&](qint64) { return writingBeside(work) || writingBeside(backup); };
        plan.prepare = [&] {
            removeDatabaseFiles(work);
            QDir(backups).removeRecursively();
            for (const QString& stray :
                 QDir(m_dir.path()).entryList({QFileInfo(work).fileName() + u".*"_s}))
                QFile::remove(file(stray));
            QVERIFY(QDir().mkpath(backups));
            QVERIFY(QFile::copy(m_reference, work));
            QVERIFY(QFile::copy(m_half, backup));
        };
        plan.check = [&](int kill) {
            const Check c = checkFile(work, m_reference);
            QVERIFY2(c.problem.isEmpty() &&
                         (c.draws == 983 || (command == u"restore"_s && c.draws == 400)),
                     qPrintable(failure(kill, c)));
            const Check b = checkFile(backup, m_reference);
            QVERIFY2(b.problem.isEmpty() &&
                         (b.draws == 400 || (command == u"backup"_s && b.draws == 983)),
                     qPrintable(u"backup, "_s + failure(kill, b)));
        };
        expectShareInside(killWrites(plan), plan.kills);
    }

    // The write paths of the windows, through the write runner: the database tables or the file
    // hold exactly one of the states the runner goes between.
    void windowWritesKilled_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("tables"); // empty: the path writes the file
        const QStringList draws{u"kjhm"_s, u"kjdm"_s, u"kjzb"_s};
        QTest::newRow("draw entry add and delete") << u"entry-add"_s << draws;
        QTest::newRow("draw entry modify") << u"entry-modify"_s << draws;
        QTest::newRow("condition set") << u"condition-set"_s << QStringList{u"tjbc"_s};
        QTest::newRow("blue option set") << u"blue-option-set"_s << QStringList{u"lqtjbc"_s};
        QTest::newRow("condition file") << u"condition-file"_s << QStringList{};
        QTest::newRow("blue controls file") << u"blue-file"_s << QStringList{};
    }
    void windowWritesKilled() {
        QFETCH(QString, path);
        QFETCH(QStringList, tables);
        const QString work = file(path + u".mdb"_s);
        const QString saved = file(path + u".json"_s);
        const bool toFile = tables.isEmpty();
        // The states: as it starts, after one write and after two.
        QStringList states;
        QList<QByteArray> fileStates;
        for (int writes = 0; writes <= 2; ++writes) {
            const QString state = file(u"%1-state%2.mdb"_s.arg(path).arg(writes));
            QVERIFY(QFile::copy(m_half, state));
            if (writes > 0)
                QCOMPARE(runWriter({path, state, saved, QString::number(writes)}), 0);
            states.append(state);
            if (writes > 0 && toFile)
                fileStates.append(test::bytesOf(saved));
        }
        KillPlan plan;
        plan.program = QStringLiteral(SSQ_WRITE_RUNNER_PATH);
        plan.args = {path, work, saved, u"0"_s};
        plan.writing = [&](qint64 pid) {
            return toFile ? savingInto(pid, m_dir.path()) : QFileInfo::exists(work + u"-journal"_s);
        };
        plan.prepare = [&] {
            removeDatabaseFiles(work);
            for (const QString& stray :
                 QDir(m_dir.path()).entryList({QFileInfo(saved).fileName() + u".*"_s}))
                QFile::remove(file(stray));
            QVERIFY(QFile::copy(m_half, work));
            // A file starts in the state two writes leave, so both of its states are known.
            QVERIFY(!toFile || test::writeBytes(saved, fileStates.value(1)));
        };
        plan.check = [&](int kill) {
            if (toFile) {
                QVERIFY2(fileStates.contains(test::bytesOf(saved)),
                         qPrintable(u"kill %1: the file is neither state"_s.arg(kill)));
                return;
            }
            const QString problem = matchesOneOf(work, tables, states);
            QVERIFY2(problem.isEmpty(), qPrintable(u"kill %1: %2"_s.arg(kill).arg(problem)));
            Database db(work);
            QVERIFY(db.open(nullptr));
            QCOMPARE(issuesInOrder(db.connection()), QString());
        };
        expectShareInside(killWrites(plan), plan.kills);
    }

    // The analysis and blue tables the command line writes: old or new, the pair tables together.
    void analysisTablesKilled_data() {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QStringList>("tables");
        QTest::newRow("pairs") << QStringList{u"analyse"_s, u"pairs"_s}
                               << QStringList{u"rhmtx"_s, u"rlhtx"_s};
        QTest::newRow("hotcold") << QStringList{u"analyse"_s, u"hotcold"_s, u"--window"_s, u"30"_s}
                                 << QStringList{u"hmtx"_s};
        QTest::newRow("blue") << QStringList{u"analyse"_s, u"blue"_s} << QStringList{u"lqtx"_s};
    }
    void analysisTablesKilled() {
        QFETCH(QStringList, command);
        QFETCH(QStringList, tables);
        const QString work = file(u"analysis.mdb"_s);
        const QString after = file(u"analysis-%1.mdb"_s.arg(command.value(1)));
        QVERIFY(QFile::copy(m_reference, after));
        QCOMPARE(run(QStringList{u"--db"_s, after} + command), 0);
        KillPlan plan;
        plan.args = QStringList{u"--db"_s, work} + command;
        plan.writing = [&](qint64) { return QFileInfo::exists(work + u"-journal"_s); };
        plan.prepare = [&] {
            removeDatabaseFiles(work);
            QVERIFY(QFile::copy(m_reference, work));
        };
        plan.check = [&](int kill) {
            const QString problem = matchesOneOf(work, tables, {m_reference, after});
            QVERIFY2(problem.isEmpty(), qPrintable(u"kill %1: %2"_s.arg(kill).arg(problem)));
        };
        expectShareInside(killWrites(plan), plan.kills);
    }

    // An export over an existing file: the old file or the whole new one.
    void exportKilled() {
        QVERIFY(test::writeBytes(file(u"export.json"_s), sumPanel(47, 21)));
        const QString target = file(u"export.txt"_s);
        const QStringList args{
            u"--db"_s,     m_half, u"select"_s, u"--panel"_s,        file(u"export.json"_s),
            u"--export"_s, target, u"--blue"_s, u"1 2 3 4 5 6 7 8"_s};
        QCOMPARE(run(args), 0);
        const QByteArray whole = test::bytesOf(target);
        const QByteArray old = "old tickets\n";
        KillPlan plan;
        plan.args = args;
        plan.writing = [&](qint64 pid) { return savingInto(pid, m_dir.path()); };
        plan.prepare = [&] {
            for (const QString& stray : QDir(m_dir.path()).entryList({u"export.txt*"_s}))
                QFile::remove(file(stray));
            QVERIFY(test::writeBytes(target, old));
        };
        plan.check = [&](int kill) {
            const QByteArray now = test::bytesOf(target);
            QVERIFY2(now == old || now == whole,
                     qPrintable(u"kill %1: %2 bytes, neither state"_s.arg(kill).arg(now.size())));
        };
        expectShareInside(killWrites(plan), plan.kills);
    }

    // Import racing maintenance in another process: a draw import reports stored is in the live
    // file afterwards (or, for restore, in the kept copy of the file it replaced); nothing is
    // doubled or out of order.
    void importRacingMaintenance_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("compact") << u"compact"_s;
        QTest::newRow("restore") << u"restore"_s;
        QTest::newRow("backup") << u"backup"_s;
    }
    void importRacingMaintenance() {
        QFETCH(QString, command);
        const QString work = file(u"race.mdb"_s);
        const QString backups = file(u"race-backups"_s);
        const QStringList import{u"--db"_s,     work,        u"import"_s,
                                 historyFile(), u"--from"_s, u"2020001"_s};
        int stored = 0;
        for (int round = 0; round < kRaceRounds; ++round) {
            removeDatabaseFiles(work);
            QDir(backups).removeRecursively();
            QVERIFY(QDir().mkpath(backups));
            QVERIFY(QFile::copy(m_half, work));
            QVERIFY(QFile::copy(m_half, QDir(backups).filePath(u"ssq1.mdb"_s)));
            QProcess importing;
            QProcess maintaining;
            importing.setProcessEnvironment(environment(backups));
            maintaining.setProcessEnvironment(environment(backups));
            importing.start(QStringLiteral(SSQ_CLI_PATH), import);
            QThread::usleep(m_random.bounded(400000u));
            maintaining.start(QStringLiteral(SSQ_CLI_PATH), {u"--db"_s, work, command});
            QVERIFY(importing.waitForFinished(60000) && maintaining.waitForFinished(60000));
            const bool reported =
                importing.exitCode() == 0 && importing.readAllStandardOutput().contains("导入完毕");
            stored += reported;
            const Check live = checkFile(work, m_reference);
            QVERIFY2(live.problem.isEmpty(), qPrintable(failure(round, live)));
            Database db(work);
            QVERIFY(db.open(nullptr));
            QCOMPARE(issuesInOrder(db.connection()), QString());
            if (reported && live.draws != 983) {
                QCOMPARE(command, u"restore"_s);
                const QStringList kept = QDir(backups).entryList({u"ssq-替换前-*.mdb"_s});
                QCOMPARE(kept.size(), 1);
                QCOMPARE(checkFile(QDir(backups).filePath(kept.front()), m_reference).draws, 983);
            }
        }
        qInfo("%s: %d rounds, import stored its draws in %d", qPrintable(command), kRaceRounds,
              stored);
    }

    // Draw entry in one process against an import in another: whichever comes second refuses
    // or skips; the entered draw is kept when entry says so, and no issue appears twice or out
    // of order.
    void entryRacingImport() {
        const QString work = file(u"race-entry.mdb"_s);
        for (int round = 0; round < kRaceRounds; ++round) {
            removeDatabaseFiles(work);
            QVERIFY(QFile::copy(m_half, work));
            QProcess importing;
            QProcess entering;
            importing.start(
                QStringLiteral(SSQ_CLI_PATH),
                {u"--db"_s, work, u"import"_s, historyFile(), u"--from"_s, u"2020001"_s});
            QThread::usleep(m_random.bounded(400000u));
            entering.start(QStringLiteral(SSQ_WRITE_RUNNER_PATH),
                           {u"entry-add"_s, work, file(u"unused"_s), u"1"_s});
            QVERIFY(importing.waitForFinished(60000) && entering.waitForFinished(60000));
            Database db(work);
            QVERIFY(db.open(nullptr));
            QCOMPARE(issuesInOrder(db.connection()), QString());
            const QList<QVariantList> rows = test::tableRows(db.connection(), u"kjhm"_s);
            if (importing.exitCode() == 0)
                QVERIFY(rows.size() >= 983);
            if (entering.exitCode() == 0) {
                // The runner's draw is 1 2 3 4 5 6 + 16, after the newest it saw.
                const bool kept = std::ranges::any_of(rows, [](const QVariantList& r) {
                    return r.value(1).toInt() == 1 && r.value(6).toInt() == 6 &&
                           r.value(49).toInt() == 16 && r.value(7).isNull();
                });
                QVERIFY(kept);
            }
            for (const QString& t : {u"kjdm"_s, u"kjzb"_s})
                QCOMPARE(test::rowCount(db.connection(), t), rows.size());
        }
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "test_crash_safety.moc"

// Killing ssq-cli or the write runner (SIGKILL) at random moments, and at moments inside the write,
// never damages a file or loses a draw: after each kill the file opens, passes SQLite's integrity
// check, and holds exactly one of the states the write goes between. Every write path is covered,
// each asserting a share of kills that landed inside the write. Two processes racing never lose a
// draw reported stored, and never leave a duplicate or a lower issue.

#include "red/condition_file.h"
#include "store/database.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"
#include "support/panel_text.h"

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
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace ssq;

namespace {

const QStringList kDrawTables{u"kjhm"_s, u"kjdm"_s, u"kjzb"_s};

QString historyFile() {
    return QDir(QStringLiteral(SSQ_DATA_DIR)).filePath(u"ssq-history.csv"_s);
}

QStringList importAll(const QString& db) {
    return {u"--db"_s, db, u"import"_s, historyFile(), u"--from"_s, u"2020001"_s};
}

// The condition file of one sum range (condition 4) in zone 1, with a converted last draw.
QByteArray sumPanel(int most, int least) {
    return conditionFileBytes(
        test::panelOf(u"t1=1 t2=5 t3=12 t4=20 t5=27 t6=33 t7=8 t8=0096810 t9=0 t10=0 t11=9 t12=6 "
                      u"t13=8 t14=1 t15=0 c0 c4 t50=%1 t51=%2"_s.arg(most)
                          .arg(least)),
        {});
}

void removeDatabaseFiles(const QString& path) {
    for (const QString& suffix : {QString(), u"-journal"_s})
        QFile::remove(path + suffix);
}

// Removes what a killed save left beside `target` ("x.txt.AbC123", "ssq.mdb.compact-1a2b").
void removeStrays(const QString& target) {
    const QFileInfo info(target);
    for (const QString& stray : info.dir().entryList({info.fileName() + u".*"_s}))
        QFile::remove(info.dir().filePath(stray));
}

// Whether `table` holds the same rows in the main file and in the attached `other`.
bool sameRows(QSqlDatabase db, const QString& table, const QString& other) {
    QSqlQuery q(db);
    return q.exec(u"SELECT (SELECT count(*) FROM main.%1) = (SELECT count(*) FROM %2.%1) AND NOT "
                  u"EXISTS (SELECT * FROM main.%1 EXCEPT SELECT * FROM %2.%1) AND NOT EXISTS "
                  u"(SELECT * FROM %2.%1 EXCEPT SELECT * FROM main.%1)"_s.arg(table, other)) &&
           q.next() && q.value(0).toBool();
}

// Empty when the file opens as the program opens it (rolling back a cut-off write), passes the
// integrity check, and `tables` hold exactly what they hold in one of `states`.
QString matchesOneOf(const QString& path, const QStringList& tables, const QStringList& states) {
    if (!QFileInfo::exists(path))
        return u"the file is missing"_s;
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
        if (std::ranges::all_of(tables, [&](const QString& t) {
                return sameRows(db.connection(), t, u"s%1"_s.arg(i));
            }))
            return {};
    }
    return u"%1 match none of the states"_s.arg(tables.join(u", "_s));
}

// Empty when kjhm holds each issue once, in rising order as stored.
QString issuesInOrder(const QString& path) {
    Database db(path);
    if (!db.open(nullptr))
        return u"the file does not open"_s;
    QSqlQuery q(db.connection());
    if (!q.exec(u"SELECT count(*) FROM kjhm a JOIN kjhm b ON a.rowid < b.rowid AND "
                u"a.期号 >= b.期号"_s) ||
        !q.next())
        return u"kjhm cannot be read"_s;
    return q.value(0).toInt() == 0 ? QString() : u"a duplicate or lower issue"_s;
}

// Files SQLite or a save leaves while it writes: a journal, or a temporary copy named after the
// target.
bool writingBeside(const QString& target) {
    const QFileInfo info(target);
    return !info.dir()
                .entryList({info.fileName() + u"*"_s}, QDir::Files | QDir::Hidden)
                .filter(QRegularExpression(u"^"_s + QRegularExpression::escape(info.fileName()) +
                                           u"[-.]"_s))
                .isEmpty();
}

// Whether process `pid` holds a file open in `folder` that has no name yet: the temporary file a
// save writes before it takes the target's name (an O_TMPFILE file, or one already unlinked).
bool savingInto(qint64 pid, const QString& folder) {
    const QByteArray prefix = QFile::encodeName(folder) + '/';
    char target[4096];
    for (int fd = 3; fd < 64; ++fd) {
        const QByteArray link =
            "/proc/" + QByteArray::number(pid) + "/fd/" + QByteArray::number(fd);
        const ssize_t length = ::readlink(link.constData(), target, sizeof target);
        const QByteArray text(target, std::max<ssize_t>(length, 0));
        if (text.startsWith(prefix) && text.endsWith(" (deleted)"))
            return true;
    }
    return false;
}

// Rounds of each race: enough to meet both orders and the overlaps, few enough for CI.
constexpr int kRaceRounds = 6;
constexpr int kKills = 10;

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QRandomGenerator m_random;
    QString m_reference; // a clean import of the 983 draws from 2020001
    QString m_half;      // the first 400 of them

    QString file(const QString& name) const { return m_dir.filePath(name); }

    QProcessEnvironment environment(const QString& backups) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"SSQ_BACKUP_DIR"_s, backups.isEmpty() ? file(u"none"_s) : backups);
        return env;
    }

    // Runs a program to the end; its exit status, or -1.
    int run(const QStringList& args, const QString& program = QStringLiteral(SSQ_CLI_PATH),
            const QString& backups = {}) {
        QProcess p;
        p.setProcessEnvironment(environment(backups));
        p.start(program, args);
        return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit ? p.exitCode()
                                                                                  : -1;
    }

    // One write path under kills: the program and its arguments, the database it writes (copied
    // from `start` before each run), how to tell that a kill landed inside the write (by default
    // the database's journal), and the further setup and check around each kill.
    struct KillPlan {
        QString program = QStringLiteral(SSQ_CLI_PATH);
        QStringList args;
        QString work;
        QString start;
        QString backups;
        std::function<bool(qint64 pid)> writing;
        std::function<void()> prepare;
        std::function<void(int kill)> check;
    };

    void prepare(const KillPlan& plan) {
        if (!plan.work.isEmpty()) {
            removeDatabaseFiles(plan.work);
            QVERIFY(QFile::copy(plan.start, plan.work));
        }
        if (plan.prepare)
            plan.prepare();
    }

    // Every other kill waits until the write is underway and then strikes within a fraction of a
    // millisecond; the others strike at a random moment of a whole run. At least a fifth of the
    // kills must land inside the write, or the test proves little.
    void killWrites(const KillPlan& plan) {
        const auto writing = [&](qint64 pid) {
            return plan.writing ? plan.writing(pid) : QFileInfo::exists(plan.work + u"-journal"_s);
        };
        prepare(plan);
        // A run to the end (a runner writing forever is given a bounded count) tells how long one
        // takes.
        QStringList once = plan.args;
        if (plan.program != QStringLiteral(SSQ_CLI_PATH))
            once.last() = u"2"_s;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(run(once, plan.program, plan.backups), 0);
        const double span = std::max<double>(clock.elapsed(), 20) * 1.2;

        int inside = 0;
        for (int k = 0; k < kKills; ++k) {
            prepare(plan);
            QProcess p;
            p.setProcessEnvironment(environment(plan.backups));
            p.start(plan.program, plan.args);
            QVERIFY(p.waitForStarted(10000));
            if (k % 2 == 0) {
                QElapsedTimer waited;
                waited.start();
                while (!writing(p.processId()) && p.state() == QProcess::Running &&
                       waited.elapsed() < 20000)
                    QThread::usleep(20);
                QThread::usleep(m_random.bounded(200u));
            } else {
                QThread::usleep(m_random.bounded(static_cast<quint32>(span * 1000)));
            }
            inside += p.state() == QProcess::Running && writing(p.processId());
            p.kill(); // SIGKILL
            p.waitForFinished(10000);
            plan.check(k);
            if (QTest::currentTestFailed())
                return;
        }
        qInfo("%s %s: %d kills, %d inside the write; a whole run takes %.0f ms",
              qPrintable(QFileInfo(plan.program).fileName()), qPrintable(plan.args.value(2)),
              kKills, inside, span / 1.2);
        QVERIFY2(
            inside * 5 >= kKills,
            qPrintable(u"only %1 of %2 kills landed inside the write"_s.arg(inside).arg(kKills)));
    }

private Q_SLOTS:
    void initTestCase() {
        const quint32 seed = QRandomGenerator::global()->generate();
        m_random.seed(seed);
        qInfo("random seed %u", seed);
        QVERIFY(m_dir.isValid());
        const QStringList lines = test::realHistoryLines();
        const auto first = std::ranges::find_if(
            lines, [](const QString& line) { return line.startsWith(u"2020001,"_s); });
        QVERIFY(test::writeBytes(file(u"half.csv"_s),
                                 lines.mid(first - lines.begin(), 400).join(u'\n').toUtf8()));
        m_reference = file(u"reference.mdb"_s);
        m_half = file(u"half.mdb"_s);
        QCOMPARE(run(importAll(m_reference)), 0);
        QCOMPARE(run({u"--db"_s, m_half, u"import"_s, file(u"half.csv"_s)}), 0);
        for (const auto& [path, draws] : {std::pair{m_reference, 983}, std::pair{m_half, 400}}) {
            Database db(path);
            QVERIFY(db.open(nullptr));
            QCOMPARE(test::rowCount(db.connection(), u"kjhm"_s), draws);
        }
        // The start states of the database writes below.
        QVERIFY(Database(file(u"empty.mdb"_s)).open(nullptr));
        QVERIFY(test::writeBytes(file(u"small.json"_s), sumPanel(38, 21))); // 797 combinations
        QVERIFY(test::writeBytes(file(u"large.json"_s), sumPanel(47, 21))); // 4542
        QVERIFY(QFile::copy(m_half, file(u"saved.mdb"_s)));
        QCOMPARE(run({u"--db"_s, file(u"saved.mdb"_s), u"select"_s, u"--panel"_s,
                      file(u"small.json"_s), u"--save"_s}),
                 0);
    }

    // The database writes of the command line: import (into an empty file and over 400 draws),
    // saved results, and the analysis and blue tables. The tables hold the state before or the
    // one a whole run leaves, never a mixture: the pair tables together, every draw or none.
    void databaseWritesKilled_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QStringList>("tables");
        const QStringList import = importAll({}).mid(2);
        QTest::newRow("import into empty") << u"empty.mdb"_s << import << kDrawTables;
        QTest::newRow("import over 400") << u"half.mdb"_s << import << kDrawTables;
        QTest::newRow("saved results")
            << u"saved.mdb"_s
            << QStringList{u"select"_s, u"--panel"_s, file(u"large.json"_s), u"--save"_s}
            << kDrawTables + QStringList{u"hmbc"_s};
        QTest::newRow("pairs") << u"reference.mdb"_s << QStringList{u"analyse"_s, u"pairs"_s}
                               << QStringList{u"rhmtx"_s, u"rlhtx"_s};
        QTest::newRow("hotcold") << u"reference.mdb"_s
                                 << QStringList{u"analyse"_s, u"hotcold"_s, u"--window"_s, u"30"_s}
                                 << QStringList{u"hmtx"_s};
        QTest::newRow("blue") << u"reference.mdb"_s << QStringList{u"analyse"_s, u"blue"_s}
                              << QStringList{u"lqtx"_s};
    }
    void databaseWritesKilled() {
        QFETCH(QString, start);
        QFETCH(QStringList, command);
        QFETCH(QStringList, tables);
        const QStringList states{file(start), file(u"after.mdb"_s)};
        removeDatabaseFiles(states[1]);
        QVERIFY(QFile::copy(states[0], states[1]));
        QCOMPARE(run(QStringList{u"--db"_s, states[1]} + command), 0);
        QVERIFY2(!matchesOneOf(states[1], tables, {states[0]}).isEmpty(),
                 "the write changes nothing");
        KillPlan plan;
        plan.work = file(u"work.mdb"_s);
        plan.start = states[0];
        plan.args = QStringList{u"--db"_s, plan.work} + command;
        plan.check = [&](int kill) {
            const QString problem = matchesOneOf(plan.work, tables, states);
            QVERIFY2(problem.isEmpty(), qPrintable(u"kill %1: %2"_s.arg(kill).arg(problem)));
        };
        killWrites(plan);
    }

    // ssq.mdb is always there and whole: the old file or the new one. A backup being written is
    // either the old backup or the new one.
    void maintenanceKilled_data() {
        QTest::addColumn<QString>("command");
        for (const QString& command : {u"backup"_s, u"restore"_s, u"compact"_s})
            QTest::newRow(qPrintable(command)) << command;
    }
    void maintenanceKilled() {
        QFETCH(QString, command);
        KillPlan plan;
        plan.work = file(u"ssq-%1.mdb"_s.arg(command));
        plan.start = m_reference;
        plan.backups = file(u"backups-"_s + command);
        plan.args = {u"--db"_s, plan.work, command};
        const QString backup = QDir(plan.backups).filePath(u"ssq1.mdb"_s);
        plan.writing = [&](qint64) { return writingBeside(plan.work) || writingBeside(backup); };
        plan.prepare = [&] {
            QDir(plan.backups).removeRecursively();
            removeStrays(plan.work);
            QVERIFY(QDir().mkpath(plan.backups));
            QVERIFY(QFile::copy(m_half, backup));
        };
        plan.check = [&](int kill) {
            const QString live =
                matchesOneOf(plan.work, kDrawTables,
                             command == u"restore"_s ? QStringList{m_reference, m_half}
                                                     : QStringList{m_reference});
            QVERIFY2(live.isEmpty(), qPrintable(u"kill %1: %2"_s.arg(kill).arg(live)));
            const QString kept = matchesOneOf(
                backup, kDrawTables,
                command == u"backup"_s ? QStringList{m_half, m_reference} : QStringList{m_half});
            QVERIFY2(kept.isEmpty(), qPrintable(u"kill %1, backup: %2"_s.arg(kill).arg(kept)));
        };
        killWrites(plan);
    }

    // The write paths of the windows, through the write runner: the database tables or the file
    // hold exactly one of the states the runner goes between.
    void windowWritesKilled_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("tables"); // empty: the path writes the file
        QTest::newRow("draw entry add and delete") << u"entry-add"_s << kDrawTables;
        QTest::newRow("draw entry modify") << u"entry-modify"_s << kDrawTables;
        QTest::newRow("condition set") << u"condition-set"_s << QStringList{u"tjbc"_s};
        QTest::newRow("blue option set") << u"blue-option-set"_s << QStringList{u"lqtjbc"_s};
        QTest::newRow("condition file") << u"condition-file"_s << QStringList{};
        QTest::newRow("blue controls file") << u"blue-file"_s << QStringList{};
    }
    void windowWritesKilled() {
        QFETCH(QString, path);
        QFETCH(QStringList, tables);
        const QString saved = file(path + u".json"_s);
        const bool toFile = tables.isEmpty();
        const QString runner = QStringLiteral(SSQ_WRITE_RUNNER_PATH);
        // The states: as it starts, after one write and after two.
        QStringList states;
        QList<QByteArray> fileStates;
        for (int writes = 0; writes <= 2; ++writes) {
            states.append(file(u"%1-state%2.mdb"_s.arg(path).arg(writes)));
            QVERIFY(QFile::copy(m_half, states.last()));
            if (writes > 0) {
                QCOMPARE(run({path, states.last(), saved, QString::number(writes)}, runner), 0);
                fileStates.append(test::bytesOf(saved));
            }
        }
        KillPlan plan;
        plan.program = runner;
        plan.work = file(path + u".mdb"_s);
        plan.start = m_half;
        plan.args = {path, plan.work, saved, u"0"_s};
        if (toFile)
            plan.writing = [&](qint64 pid) { return savingInto(pid, m_dir.path()); };
        plan.prepare = [&] {
            removeStrays(saved);
            // A file starts in the state two writes leave, so both of its states are known.
            QVERIFY(!toFile || test::writeBytes(saved, fileStates.value(1)));
        };
        plan.check = [&](int kill) {
            if (toFile) {
                QVERIFY2(fileStates.contains(test::bytesOf(saved)),
                         qPrintable(u"kill %1: the file is neither state"_s.arg(kill)));
                return;
            }
            const QString problem = matchesOneOf(plan.work, tables, states);
            QVERIFY2(problem.isEmpty(), qPrintable(u"kill %1: %2"_s.arg(kill).arg(problem)));
            QCOMPARE(issuesInOrder(plan.work), QString());
        };
        killWrites(plan);
    }

    // An export over an existing file: the old file or the whole new one.
    void exportKilled() {
        const QString target = file(u"export.txt"_s);
        const QByteArray old = "old tickets\n";
        KillPlan plan;
        plan.args = {u"--db"_s,     m_half, u"select"_s, u"--panel"_s,        file(u"large.json"_s),
                     u"--export"_s, target, u"--blue"_s, u"1 2 3 4 5 6 7 8"_s};
        QCOMPARE(run(plan.args), 0);
        const QByteArray whole = test::bytesOf(target);
        plan.writing = [&](qint64 pid) { return savingInto(pid, m_dir.path()); };
        plan.prepare = [&] {
            removeStrays(target);
            QVERIFY(test::writeBytes(target, old));
        };
        plan.check = [&](int kill) {
            const QByteArray now = test::bytesOf(target);
            QVERIFY2(now == old || now == whole,
                     qPrintable(u"kill %1: %2 bytes, neither state"_s.arg(kill).arg(now.size())));
        };
        killWrites(plan);
    }

    // Import racing maintenance in another process: a draw import reports stored is in the live
    // file afterwards (or, for restore, in the kept copy of the file it replaced); nothing is
    // doubled or out of order.
    void importRacingMaintenance_data() {
        QTest::addColumn<QString>("command");
        for (const QString& command : {u"compact"_s, u"restore"_s, u"backup"_s})
            QTest::newRow(qPrintable(command)) << command;
    }
    void importRacingMaintenance() {
        QFETCH(QString, command);
        const QString work = file(u"race.mdb"_s);
        const QString backups = file(u"race-backups"_s);
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
            importing.start(QStringLiteral(SSQ_CLI_PATH), importAll(work));
            QThread::usleep(m_random.bounded(400000u));
            maintaining.start(QStringLiteral(SSQ_CLI_PATH), {u"--db"_s, work, command});
            QVERIFY(importing.waitForFinished(60000) && maintaining.waitForFinished(60000));
            const bool reported =
                importing.exitCode() == 0 && importing.readAllStandardOutput().contains("导入完毕");
            stored += reported;
            const QString live = matchesOneOf(work, kDrawTables, {m_half, m_reference});
            QVERIFY2(live.isEmpty(), qPrintable(u"round %1: %2"_s.arg(round).arg(live)));
            QCOMPARE(issuesInOrder(work), QString());
            if (reported && !matchesOneOf(work, kDrawTables, {m_reference}).isEmpty()) {
                QCOMPARE(command, u"restore"_s);
                const QStringList kept = QDir(backups).entryList({u"ssq-替换前-*.mdb"_s});
                QCOMPARE(kept.size(), 1);
                QCOMPARE(
                    matchesOneOf(QDir(backups).filePath(kept.front()), kDrawTables, {m_reference}),
                    QString());
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
            importing.start(QStringLiteral(SSQ_CLI_PATH), importAll(work));
            QThread::usleep(m_random.bounded(400000u));
            entering.start(QStringLiteral(SSQ_WRITE_RUNNER_PATH),
                           {u"entry-add"_s, work, file(u"unused"_s), u"1"_s});
            QVERIFY(importing.waitForFinished(60000) && entering.waitForFinished(60000));
            QCOMPARE(issuesInOrder(work), QString());
            Database db(work);
            QVERIFY(db.open(nullptr));
            const QList<QVariantList> rows = test::tableRows(db.connection(), u"kjhm"_s);
            if (importing.exitCode() == 0)
                QVERIFY(rows.size() >= 983);
            // The runner's draw is 1 2 3 4 5 6 + 16, after the newest it saw.
            QVERIFY(entering.exitCode() != 0 ||
                    std::ranges::any_of(rows, [](const QVariantList& r) {
                        return r.value(1).toInt() == 1 && r.value(6).toInt() == 6 &&
                               r.value(49).toInt() == 16 && r.value(7).isNull();
                    }));
            for (const QString& t : {u"kjdm"_s, u"kjzb"_s})
                QCOMPARE(test::rowCount(db.connection(), t), rows.size());
        }
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "test_crash_safety.moc"

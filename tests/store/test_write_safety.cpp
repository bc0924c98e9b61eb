// Writes beside other writers and on odd files: maintenance never loses another connection's
// commit, leaves others' files alone, keeps a symbolic link, refuses a read-only file and rolls
// back a cut-off write; draw entry checks under its write lock; issue edits keep tables in step.

#include "store/database.h"
#include "store/draw_entry.h"
#include "store/draw_history.h"
#include "store/maintenance.h"
#include "store/rowid_table_model.h"
#include "store/transaction.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSemaphore>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using namespace ssq;

namespace {

// Another program's writer: on its own connection in its own thread it takes the write lock,
// stores one draw's issue in the three tables, holds the lock for `holdMs` and commits.
class OtherWriter : public QThread {
public:
    OtherWriter(QString path, int issue, int holdMs)
        : m_path(std::move(path)), m_issue(issue), m_holdMs(holdMs) {}

    QSemaphore locked;
    bool committed = false;

protected:
    void run() override {
        Database db(m_path);
        if (!db.open(nullptr)) {
            locked.release();
            return;
        }
        {
            Transaction t(db.connection());
            QSqlQuery q(db.connection());
            bool ok = t.active();
            for (const QString& table : {u"kjhm"_s, u"kjdm"_s, u"kjzb"_s})
                ok = ok && q.exec(u"INSERT INTO %1 (期号) VALUES (%2)"_s.arg(table).arg(m_issue));
            locked.release();
            msleep(m_holdMs);
            committed = ok && t.commit();
        }
    }

private:
    QString m_path;
    int m_issue;
    int m_holdMs;
};

QList<int> issuesOf(const QString& path) {
    Database db(path);
    QList<int> issues;
    if (!db.open(nullptr))
        return issues;
    QSqlQuery q(db.connection());
    q.exec(u"SELECT 期号 FROM kjhm ORDER BY rowid"_s);
    while (q.next())
        issues.append(q.value(0).toInt());
    return issues;
}

} // namespace

class TestWriteSafety : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString file(const QString& name) const { return m_dir->filePath(name); }
    QString backups() const { return file(u"备份"_s); }

    // A database with the first `draws` real draws from 2020001.
    bool makeDatabase(const QString& path, int draws) {
        Database db(path);
        return db.open(nullptr) && test::addRealDraws(db.connection(), u"2020001"_s, draws);
    }

private Q_SLOTS:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // A commit another connection made while maintenance ran is in the file afterwards (compact)
    // or in the kept copy of the replaced file (restore), never lost.
    void otherWritersCommitIsKept_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("compact") << u"compact"_s;
        QTest::newRow("restore") << u"restore"_s;
        QTest::newRow("backup") << u"backup"_s;
    }
    void otherWritersCommitIsKept() {
        QFETCH(QString, command);
        const QString path = file(u"ssq.mdb"_s);
        QVERIFY(makeDatabase(path, 30));
        Database db(path);
        QVERIFY(db.open(nullptr));
        QVERIFY(backupDatabase(db, backups()).ok);

        OtherWriter writer(path, 9001, 400);
        writer.start();
        QVERIFY(writer.locked.tryAcquire(1, 10000));
        Outcome result;
        if (command == u"compact"_s)
            result = compactDatabase(db);
        else if (command == u"restore"_s)
            result = restoreFromBackup(db, backups());
        else
            result = backupDatabase(db, backups());
        QVERIFY(writer.wait(10000));
        QVERIFY2(result.ok, qPrintable(result.message));
        QVERIFY(writer.committed);

        // Where the committed draw must be now.
        QString holder = path;
        if (command == u"restore"_s) {
            const QStringList kept = QDir(backups()).entryList({u"ssq-替换前-*.mdb"_s});
            QCOMPARE(kept.size(), 1);
            holder = QDir(backups()).filePath(kept.front());
            QCOMPARE(issuesOf(path).size(), 30);
        }
        if (command == u"backup"_s)
            holder = backupFilePath(backups());
        QVERIFY2(issuesOf(holder).contains(9001), qPrintable(command));
        QVERIFY(!QFileInfo::exists(path + u"-journal"_s));
    }

    // A database that is a symbolic link stays one: the file it points to is the one replaced.
    // Files carrying the names an older program gave its temporary copies are the user's.
    void maintenanceKeepsTheLinkAndOthersFiles() {
        QVERIFY(QDir().mkpath(file(u"synced"_s)) && QDir().mkpath(backups()));
        const QString target = file(u"synced/ssq.mdb"_s);
        const QString link = file(u"ssq.mdb"_s);
        QVERIFY(makeDatabase(target, 25));
        QVERIFY(QFile::link(target, link));
        const QStringList others{file(u"ssq28.mdb"_s), link + u".restore"_s,
                                 QDir(backups()).filePath(u"ssq1.mdb.new"_s),
                                 file(u"ssq.mdb.compact"_s)};
        for (const QString& other : others)
            QVERIFY(QFile::copy(target, other));
        Database db(link);
        QVERIFY(db.open(nullptr));
        QVERIFY(backupDatabase(db, backups()).ok);
        QVERIFY(test::addRealDraws(db.connection(), u"2020026"_s, 2));
        for (const auto& step : std::initializer_list<std::function<Outcome()>>{
                 [&] { return compactDatabase(db); },
                 [&] { return restoreFromBackup(db, backups()); }}) {
            const Outcome result = step();
            QVERIFY2(result.ok, qPrintable(result.message));
            QCOMPARE(QFileInfo(link).symLinkTarget(), target);
        }
        // The restored backup, reached through the link and in the real file alike.
        QCOMPARE(issuesOf(target).size(), 25);
        QCOMPARE(issuesOf(link).size(), 25);
        for (const QString& other : others)
            QCOMPARE(issuesOf(other).size(), 25);
        // Nothing of this run's own is left behind.
        QCOMPARE(QDir(file(u"synced"_s)).entryList(QDir::Files), QStringList{u"ssq.mdb"_s});
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 4); // the link, three others
    }

    // A read-only database is refused in the common words and stays as it was, permissions too.
    void readOnlyDatabaseIsRefused() {
        const QString path = file(u"ssq.mdb"_s);
        QVERIFY(makeDatabase(path, 25));
        {
            Database db(path);
            QVERIFY(db.open(nullptr) && backupDatabase(db, backups()).ok);
        }
        const QFileDevice::Permissions readOnly =
            QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        QVERIFY(QFile::setPermissions(path, readOnly));
        const QByteArray before = test::bytesOf(path);
        Database db(path);
        for (const auto& step : std::initializer_list<std::function<Outcome()>>{
                 [&] { return compactDatabase(db); },
                 [&] { return restoreFromBackup(db, backups()); }}) {
            const Outcome result = step();
            QVERIFY(!result.ok);
            QVERIFY2(result.message.contains(readOnlyDatabaseMessage(path)),
                     qPrintable(result.message));
            QVERIFY(
                !(QFileInfo(path).permissions() &
                  (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther)));
            QCOMPARE(test::bytesOf(path), before);
        }
        // A copy of it can still be made.
        QVERIFY(backupDatabase(db, backups()).ok);
        QFile::setPermissions(path, readOnly | QFileDevice::WriteOwner);
    }

    // A write cut off part way leaves a hot journal; SQLite rolls it back when the file is opened
    // for writing, and then it is a healthy database, not a damaged one.
    void cutOffWriteIsRecoveredBeforeJudging() {
        const QString path = file(u"ssq.mdb"_s);
        QVERIFY(makeDatabase(path, 30));
        QVERIFY(QDir().mkpath(file(u"backup"_s)) && QDir().mkpath(file(u"compact"_s)));
        const QStringList crashed{file(u"backup/ssq.mdb"_s), file(u"compact/ssq.mdb"_s)};
        {
            Database db(path);
            QVERIFY(db.open(nullptr));
            QSqlQuery q(db.connection());
            // A small cache makes SQLite write changed pages into the file before the commit,
            // with the journal that undoes them beside it: the state a killed write leaves.
            QVERIFY(q.exec(u"PRAGMA cache_size = 2"_s));
            QVERIFY(q.exec(u"BEGIN IMMEDIATE"_s));
            for (const QString& table : {u"rhmtx"_s, u"tjbc"_s, u"kjzb"_s, u"kjhm"_s})
                QVERIFY(q.exec(u"DELETE FROM "_s + table));
            for (const QString& copy : crashed) {
                QVERIFY(QFile::copy(path + u"-journal"_s, copy + u"-journal"_s));
                QVERIFY(QFile::copy(path, copy));
            }
            q.exec(u"ROLLBACK"_s);
        }
        // Looked at without the right to roll back, the file cannot be read.
        QVERIFY(Database::check(crashed[0]) != Database::Failure::None);

        Database first(crashed[0]);
        const Outcome backedUp = backupDatabase(first, backups());
        QVERIFY2(backedUp.ok, qPrintable(backedUp.message));
        QCOMPARE(issuesOf(backupFilePath(backups())).size(), 30);
        Database second(crashed[1]);
        const Outcome compacted = compactDatabase(second);
        QVERIFY2(compacted.ok, qPrintable(compacted.message));
        QCOMPARE(issuesOf(crashed[1]).size(), 30);
    }

    // Another connection stores a newer draw while the entry window adds one: the add waits for
    // the lock and then sees it, so no lower issue (and no duplicate) is stored after it.
    void entryChecksUnderTheWriteLock_data() {
        QTest::addColumn<int>("otherIssue");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("newer") << 3 << u"比数据库中最新的"_s;
        QTest::newRow("same") << 2 << u"已经存在"_s;
    }
    void entryChecksUnderTheWriteLock() {
        QFETCH(int, otherIssue);
        QFETCH(QString, refusal);
        const QString path = file(u"ssq.mdb"_s);
        // 2020001 is stored as issue 1; 25 draws reach issue 25.
        QVERIFY(makeDatabase(path, 25));
        Database db(path);
        QVERIFY(db.open(nullptr));
        const QList<test::HistoryDraw> next = test::realDraws(u"2020026"_s, 1);
        QCOMPARE(next.size(), 1);
        DrawInput draw = next.front().input();
        draw.issue = 26;
        OtherWriter writer(path, otherIssue == 3 ? 27 : 26, 300);
        writer.start();
        QVERIFY(writer.locked.tryAcquire(1, 10000));
        const EntryResult added = addDraw(db.connection(), draw);
        QVERIFY(writer.wait(10000));
        QVERIFY(writer.committed);
        QVERIFY(!added.written);
        QVERIFY2(added.messages.size() == 1 && added.messages.front().text.contains(refusal),
                 qPrintable(added.messages.value(0).text));
        const QList<int> issues = issuesOf(path);
        QCOMPARE(issues.size(), 26);
        QCOMPARE(issues.back(), otherIssue == 3 ? 27 : 26);
    }

    // Editing the issue in one table renumbers the draw in all three, or in none.
    void issueCellEditKeepsTheTablesInStep() {
        const QString path = file(u"ssq.mdb"_s);
        QVERIFY(makeDatabase(path, 25));
        Database db(path);
        QVERIFY(db.open(nullptr));
        RowidTableModel grid(db.connection(), u"kjdm"_s);
        QVERIFY(grid.select());
        QSignalSpy refused(&grid, &RowidTableModel::editRefused);
        // Row 3 holds issue 3; 30 is free and sorts last.
        QVERIFY(grid.setData(grid.index(2, 0), u"30"_s));
        QCOMPARE(refused.count(), 0);
        for (const QString& table : {u"kjhm"_s, u"kjdm"_s, u"kjzb"_s}) {
            QSqlQuery q(db.connection());
            QVERIFY(q.exec(u"SELECT count(*) FROM %1 WHERE 期号 = 3"_s.arg(table)) && q.next());
            QCOMPARE(q.value(0).toInt(), 0);
            QVERIFY(q.exec(u"SELECT count(*) FROM %1 WHERE 期号 = 30"_s.arg(table)) && q.next());
            QCOMPARE(q.value(0).toInt(), 1);
        }
        QCOMPARE(grid.data(grid.index(24, 0)).toInt(), 30);

        // Under another connection's lock the edit fails and no table changes.
        const QList<QList<QVariantList>> before = test::drawTables(db.connection());
        OtherWriter writer(path, 99, 2600);
        writer.start();
        QVERIFY(writer.locked.tryAcquire(1, 10000));
        QVERIFY(!grid.setData(grid.index(0, 0), u"40"_s));
        QVERIFY(writer.wait(10000));
        QCOMPARE(refused.count(), 1);
        QSqlQuery undo(db.connection());
        for (const QString& table : {u"kjhm"_s, u"kjdm"_s, u"kjzb"_s})
            QVERIFY(undo.exec(u"DELETE FROM %1 WHERE 期号 = 99"_s.arg(table)));
        QCOMPARE(test::drawTables(db.connection()), before);
    }
};

QTEST_GUILESS_MAIN(TestWriteSafety)
#include "test_write_safety.moc"

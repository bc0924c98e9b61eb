// Backup, replace from backup and compaction on files in a temporary folder.

#include "store/database.h"
#include "store/database_swap.h"
#include "store/draw_entry.h"
#include "store/maintenance.h"
#include "support/draw_tables.h"
#include "support/temp_database.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace ssq;
using ssq::test::rowCount;
using ssq::test::tableRows;
using ssq::test::TempDatabase;

class TestMaintenance : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDatabase> m_temp;
    std::unique_ptr<QTemporaryDir> m_backupRoot;

    QSqlDatabase db() { return m_temp->connection(); }
    QString backupFolder() { return m_backupRoot->filePath(u"Ravelko数据库备份"_s); }

    void add(int issue) {
        QVERIFY(addDraw(db(), {issue, {1, 2, 3, 4, 5, issue % 27 + 6}, 1}).written);
    }

    // Draws stored in the file at `path`, read through a connection of its own.
    int drawsIn(const QString& path) {
        Database other(path);
        QString error;
        if (!other.open(&error))
            return -1;
        return rowCount(other.connection(), u"kjhm"_s);
    }

private Q_SLOTS:
    void init() {
        m_temp = std::make_unique<TempDatabase>();
        QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
        m_backupRoot = std::make_unique<QTemporaryDir>();
        QVERIFY(m_backupRoot->isValid());
    }
    void cleanup() {
        m_temp.reset();
        m_backupRoot.reset();
    }

    // Two backups leave one file, holding the second copy; the message names the folder.
    void twoBackupsKeepTheSecond() {
        add(1);
        MaintenanceResult r = backupDatabase(m_temp->database(), backupFolder());
        QVERIFY2(r.ok, qPrintable(r.message));
        QCOMPARE(r.message, u"数据库备份完毕（备份文件保存在%1）"_s.arg(
                                QDir::toNativeSeparators(backupFolder())));
        QCOMPARE(drawsIn(backupFilePath(backupFolder())), 1);

        add(2);
        r = backupDatabase(m_temp->database(), backupFolder());
        QVERIFY(r.ok);
        QCOMPARE(drawsIn(backupFilePath(backupFolder())), 2);
        QCOMPARE(QDir(backupFolder()).entryList(QDir::Files), QStringList{u"ssq1.mdb"_s});
        // The database in use was not disturbed.
        add(3);
        QCOMPARE(rowCount(db(), u"kjhm"_s), 3);
    }

    void backupToAnUnusableFolderFails() {
        QFile blocker(m_backupRoot->filePath(u"file"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const MaintenanceResult r =
            backupDatabase(m_temp->database(), blocker.fileName() + u"/sub"_s);
        QVERIFY(!r.ok);
        QVERIFY(r.message.contains(u"无法创建备份文件夹"_s));
    }

    void replaceRestoresTheBackup() {
        add(1);
        add(2);
        QVERIFY(backupDatabase(m_temp->database(), backupFolder()).ok);
        const auto backedUp = tableRows(db(), u"kjzb"_s);

        // Right after a backup, replacing leaves the data as it was.
        QSignalSpy closing(&databaseSwap(), &DatabaseSwap::aboutToClose);
        QSignalSpy reopened(&databaseSwap(), &DatabaseSwap::reopened);
        MaintenanceResult r = restoreFromBackup(m_temp->database(), backupFolder());
        QVERIFY2(r.ok, qPrintable(r.message));
        QCOMPARE(r.message, u"数据库替换完毕"_s);
        QCOMPARE(closing.size(), 1);
        QCOMPARE(reopened.size(), 1);
        QCOMPARE(tableRows(db(), u"kjzb"_s), backedUp);

        // Later changes are undone by the next replace, and the database keeps working.
        add(3);
        QVERIFY(deleteDraw(db(), 1).written);
        QVERIFY(restoreFromBackup(m_temp->database(), backupFolder()).ok);
        QCOMPARE(tableRows(db(), u"kjzb"_s), backedUp);
        add(4);
        QCOMPARE(rowCount(db(), u"kjhm"_s), 3);
        QCOMPARE(QDir(m_temp->folder()).entryList(QDir::Files), QStringList{u"ssq.mdb"_s});
    }

    void missingOrForeignBackupIsRefused() {
        add(1);
        const auto before = tableRows(db(), u"kjhm"_s);
        MaintenanceResult r = restoreFromBackup(m_temp->database(), backupFolder());
        QVERIFY(!r.ok);
        QVERIFY(r.message.startsWith(u"没有找到备份文件"_s));
        QCOMPARE(tableRows(db(), u"kjhm"_s), before);

        QVERIFY(QDir().mkpath(backupFolder()));
        QFile junk(backupFilePath(backupFolder()));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a database at all");
        junk.close();
        r = restoreFromBackup(m_temp->database(), backupFolder());
        QVERIFY(!r.ok);
        QVERIFY(r.message.contains(u"不是本程序的数据库"_s));
        QCOMPARE(tableRows(db(), u"kjhm"_s), before);

        // An SQLite file of some other program is no better.
        QFile::remove(backupFilePath(backupFolder()));
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"foreign"_s);
            other.setDatabaseName(backupFilePath(backupFolder()));
            QVERIFY(other.open());
            QSqlQuery(other).exec(u"CREATE TABLE notes (text TEXT)"_s);
            other.close();
        }
        QSqlDatabase::removeDatabase(u"foreign"_s);
        r = restoreFromBackup(m_temp->database(), backupFolder());
        QVERIFY(!r.ok);
        QCOMPARE(tableRows(db(), u"kjhm"_s), before);
        QCOMPARE(QDir(m_temp->folder()).entryList(QDir::Files), QStringList{u"ssq.mdb"_s});
    }

    void compactKeepsDataAndLeavesNoTemporaryFile() {
        for (int i = 1; i <= 30; ++i)
            add(i);
        for (int i = 1; i <= 20; ++i)
            QVERIFY(deleteDraw(db(), i).written);
        const auto before = tableRows(db(), u"kjzb"_s);
        const qint64 sizeBefore = QFileInfo(m_temp->path()).size();
        // A file left over by an earlier, interrupted run is no obstacle.
        QFile stale(QDir(m_temp->folder()).filePath(u"ssq28.mdb"_s));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("left over");
        stale.close();

        const MaintenanceResult r = compactDatabase(m_temp->database());
        QVERIFY2(r.ok, qPrintable(r.message));
        QCOMPARE(r.message, u"数据库压缩完毕"_s);
        QVERIFY(!QFile::exists(QDir(m_temp->folder()).filePath(u"ssq28.mdb"_s)));
        QCOMPARE(QDir(m_temp->folder()).entryList(QDir::Files), QStringList{u"ssq.mdb"_s});
        QVERIFY(QFileInfo(m_temp->path()).size() <= sizeBefore);
        QCOMPARE(tableRows(db(), u"kjzb"_s), before);
        add(31);
        QCOMPARE(rowCount(db(), u"kjhm"_s), 11);
    }

    // A query still open on the program's connection (a grid showing a long table) neither
    // blocks the backup nor breaks the swap.
    void openQueriesDoNotBlock() {
        for (int i = 1; i <= 5; ++i)
            add(i);
        QSqlQuery pending(db());
        QVERIFY(pending.exec(u"SELECT * FROM kjhm"_s));
        QVERIFY(pending.next());
        QVERIFY(backupDatabase(m_temp->database(), backupFolder()).ok);
        QVERIFY(compactDatabase(m_temp->database()).ok);
        QCOMPARE(rowCount(db(), u"kjhm"_s), 5);
    }
};

QTEST_GUILESS_MAIN(TestMaintenance)
#include "test_maintenance.moc"

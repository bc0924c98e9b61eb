// Opening the database file: creation when missing, refusal of files that are not ours
// (without touching them), read-only and locked files.

#include "store/database.h"
#include "store/record_set.h"
#include "support/temp_database.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using ssq::Database;

namespace {

QByteArray contentsOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs statements on a plain connection of the test's own, as another program would.
void runOn(const QString& path, const QStringList& statements) {
    const QString name = u"test_other"_s;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        for (const QString& s : statements)
            QVERIFY2(q.exec(s), qPrintable(s));
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

class TestDatabaseOpen : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // Opening `path` fails, the message names the file and contains `words`, and the bytes
    // of the file are the same as before.
    void expectRefusal(const QString& path, const QString& words) {
        const QByteArray before = contentsOf(path);
        Database db(path);
        QString error;
        QVERIFY(!db.open(&error));
        QVERIFY(!db.isOpen());
        QVERIFY2(error.contains(path), qPrintable(error));
        QVERIFY2(error.contains(words), qPrintable(error));
        QCOMPARE(contentsOf(path), before);
        QCOMPARE(QDir(m_dir.path()).entryList({QFileInfo(path).fileName() + u"*"_s}, QDir::Files),
                 QStringList{QFileInfo(path).fileName()});
    }

private Q_SLOTS:
    void createsAMissingFileAndOpensItAgain() {
        const QString path = m_dir.filePath(u"new.mdb"_s);
        {
            Database db(path);
            QString error;
            QVERIFY2(db.open(&error), qPrintable(error));
            QVERIFY(db.isOpen());
        }
        QVERIFY(QFile::exists(path));
        QCOMPARE(QDir(m_dir.path()).entryList({u"new.mdb*"_s}, QDir::Files), QStringList{u"new.mdb"_s});
        Database again(path);
        QString error;
        QVERIFY2(again.open(&error), qPrintable(error));
    }

    void missingFolderIsReported() {
        const QString path = m_dir.filePath(u"no-such-folder/ssq.mdb"_s);
        Database db(path);
        QString error;
        QVERIFY(!db.open(&error));
        QVERIFY(error.contains(u"no-such-folder"_s));
        QVERIFY(!QFile::exists(path));
    }

    void refusesATextFile() {
        const QString path = m_dir.filePath(u"text.mdb"_s);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("7001,1,2,3,4,5,6,7\n");
        f.close();
        expectRefusal(path, u"不是本程序的数据库"_s);
    }

    void refusesAnEmptyFile() {
        const QString path = m_dir.filePath(u"empty.mdb"_s);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        expectRefusal(path, u"不是本程序的数据库"_s);
    }

    void refusesAnSqliteFileWithOtherTables() {
        const QString path = m_dir.filePath(u"other.mdb"_s);
        runOn(path, {u"CREATE TABLE customers (id INTEGER, name TEXT)"_s,
                     u"INSERT INTO customers VALUES (1, 'x')"_s});
        expectRefusal(path, u"缺少表 kjhm"_s);
    }

    void refusesOurTablesWithAnotherShape() {
        ssq::test::TempDatabase temp;
        QVERIFY(temp.isValid());
        const QString path = m_dir.filePath(u"narrow.mdb"_s);
        QVERIFY(QFile::copy(temp.path(), path));
        runOn(path, {u"DROP TABLE kjdm"_s, u"CREATE TABLE kjdm (期号 NUMERIC, a NUMERIC)"_s});
        expectRefusal(path, u"kjdm"_s);
    }

    void refusesAnUnknownSchemaVersion() {
        ssq::test::TempDatabase temp;
        QVERIFY(temp.isValid());
        const QString path = m_dir.filePath(u"future.mdb"_s);
        QVERIFY(QFile::copy(temp.path(), path));
        runOn(path, {u"PRAGMA user_version = 7"_s});
        expectRefusal(path, u"版本"_s);
    }

    void refusesAReadOnlyFile() {
        ssq::test::TempDatabase temp;
        QVERIFY(temp.isValid());
        const QString path = m_dir.filePath(u"readonly.mdb"_s);
        QVERIFY(QFile::copy(temp.path(), path));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        expectRefusal(path, u"只读"_s);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void refusesALockedFile() {
        ssq::test::TempDatabase temp;
        QVERIFY(temp.isValid());
        const QString path = m_dir.filePath(u"locked.mdb"_s);
        QVERIFY(QFile::copy(temp.path(), path));
        const QString name = u"test_locker"_s;
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
            other.setDatabaseName(path);
            QVERIFY(other.open());
            QSqlQuery q(other);
            QVERIFY(q.exec(u"BEGIN EXCLUSIVE"_s));
            Database db(path);
            QString error;
            QVERIFY(!db.open(&error));
            QVERIFY2(error.contains(u"锁定"_s) && error.contains(path), qPrintable(error));
            QVERIFY(q.exec(u"ROLLBACK"_s));
            QVERIFY2(db.open(&error), qPrintable(error));
        }
        QSqlDatabase::removeDatabase(name);
    }

    void recoversFromAnInterruptedWrite() {
        // A copy taken in the middle of a large write is a file with a hot journal, as a
        // crash would leave it; opening it rolls the write back and keeps the draws.
        ssq::test::TempDatabase temp;
        QVERIFY(temp.isValid());
        {
            QSqlQuery q(temp.connection());
            QVERIFY(q.exec(u"INSERT INTO kjhm (期号, H1) VALUES (7001, 1)"_s));
            QVERIFY(q.exec(u"PRAGMA cache_size = 1"_s));
            QVERIFY(q.exec(u"BEGIN"_s));
            for (int i = 0; i < 3000; ++i)
                QVERIFY(q.exec(u"INSERT INTO kjhm (期号, H2) VALUES (%1, 2)"_s.arg(8000 + i)));
        }
        const QString path = m_dir.filePath(u"crashed.mdb"_s);
        QVERIFY(QFile::exists(temp.path() + u"-journal"_s));
        QVERIFY(QFile::copy(temp.path(), path));
        QVERIFY(QFile::copy(temp.path() + u"-journal"_s, path + u"-journal"_s));
        QSqlQuery(temp.connection()).exec(u"ROLLBACK"_s);

        Database db(path);
        QString error;
        QVERIFY2(db.open(&error), qPrintable(error));
        ssq::RecordSet rs(db.connection());
        QVERIFY(rs.open(u"select* from kjhm order by 期号 "_s));
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.value(0), u"7001"_s);
    }
};

QTEST_GUILESS_MAIN(TestDatabaseOpen)
#include "test_database_open.moc"

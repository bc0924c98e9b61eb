// The database file: a new file's tables, refusal of files that are not ours, backup, replace
// and compaction; record sets over its tables: navigation, writes, which queries are writable.

#include "store/database.h"
#include "store/draw_entry.h"
#include "store/maintenance.h"
#include "store/query_text.h"
#include "store/record_set.h"
#include "store/transaction.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"
#include "support/temp_database.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace ssq;
using namespace ssq::test;

class TestDatabase : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDatabase> m_temp;

    QSqlDatabase db() { return m_temp->connection(); }
    void add(int issue) {
        QVERIFY(addDraw(db(), {issue, {1, 2, 3, 4, 5, issue % 27 + 6}, 1}).written);
    }
    QString backups() { return m_temp->folder() + u"/备份"_s; }
    QStringList files() { return QDir(m_temp->folder()).entryList(QDir::Files); }
    QString stored(const QString& sql) {
        QSqlQuery q(db());
        return q.exec(sql) && q.next() ? q.value(0).toString() : u"<none>"_s;
    }
    // kjhm rows of reds 1..6 and blue 1; adding the next row stores the one before.
    void addRows(const QList<int>& issues) {
        RecordSet rs(db());
        QVERIFY(rs.open(u"select* from kjhm order by 期号 "_s));
        for (int issue : issues) {
            rs.addNew();
            rs.setValue(0, QString::number(issue));
            for (int k : {1, 2, 3, 4, 5, 6, 34})
                rs.setValue(k, QString::number(k % 33));
        }
        QVERIFY(rs.update());
    }

    // Opening fails with a message naming the file, and the file is exactly as it was.
    void expectRefusal(const QString& path, const QString& words) {
        const QByteArray before = bytesOf(path);
        Database db(path);
        QString error;
        QVERIFY(!db.open(&error));
        QVERIFY2(error.contains(path) && error.contains(words), qPrintable(error));
        QCOMPARE(bytesOf(path), before);
        const QString name = QFileInfo(path).fileName();
        QCOMPARE(QFileInfo(path).dir().entryList({name + u"*"_s}, QDir::Files), QStringList{name});
    }

private Q_SLOTS:
    void init() { m_temp = std::make_unique<TempDatabase>(); }

    void refusesWhatIsNotOurs_data() {
        QTest::addColumn<QByteArray>("bytes"); // else a new database changed by `statement`
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("words");
        QTest::newRow("empty") << QByteArray("") << QString() << u"不是本程序的数据库"_s;
        QTest::newRow("other tables") << QByteArray() << u"DROP TABLE kjhm"_s << u"缺少表 kjhm"_s;
        QTest::newRow("narrow kjdm")
            << QByteArray() << u"ALTER TABLE kjdm DROP COLUMN 个位9"_s << u"kjdm"_s;
        QTest::newRow("other version") << QByteArray() << u"PRAGMA user_version = 7"_s << u"版本"_s;
    }
    void refusesWhatIsNotOurs() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, statement);
        QFETCH(QString, words);
        TempDatabase source;
        QVERIFY(QSqlQuery(source.connection()).exec(statement) || !bytes.isNull());
        const QString path = m_temp->folder() + u"/copy.mdb"_s;
        QVERIFY(bytes.isNull() ? QFile::copy(source.path(), path) : writeBytes(path, bytes));
        expectRefusal(path, words);
    }

    // Extended codes are read by their low byte, except those with a text of their own.
    void errorTextsByCode() {
        const auto text = [](const char* code) {
            return storeErrorText(QSqlError(u"disk I/O error"_s, {}, QSqlError::StatementError,
                                            QString::fromLatin1(code)));
        };
        QCOMPARE(text("1544"),
                 u"数据库文件所在的文件夹是只读的，无法在其中建立日志文件，因此无法写入"_s);
        QCOMPARE(text("778"), u"写入数据库文件时出错（磁盘已满，或文件超过了系统允许的大小）"_s);
        QCOMPARE(text("10"), u"读写数据库文件时出错，请检查磁盘（SQLite 错误码 10）"_s);
    }

    // A pipe or a device under the database's name is refused at once, never read or waited on.
    void refusesPipesAndDevices() {
        const QString fifo = m_temp->folder() + u"/pipe.mdb"_s;
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        for (const QString& path : {fifo, u"/dev/null"_s}) {
            Database db(path);
            QString error;
            QVERIFY(!db.open(&error));
            QVERIFY2(error.contains(path) && error.contains(u"不是普通文件"_s), qPrintable(error));
        }
        QVERIFY(!QFileInfo(fifo).isFile());
    }

    // (A locked file is the recovery test's: it is reported, never offered for replacing.)
    void refusesReadOnlyFiles() {
        const QString path = m_temp->folder() + u"/copy.mdb"_s;
        QVERIFY(QFile::copy(m_temp->path(), path));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
        expectRefusal(path, u"只读"_s);
    }

    // Replacing without a backup changes nothing; replacing undoes later changes, keeps the
    // replaced file beside the backups and the reopened database keeps working.
    void backupAndReplace() {
        add(1);
        const Outcome missing = restoreFromBackup(m_temp->database(), backups());
        QVERIFY(!missing.ok && missing.message.startsWith(u"没有找到备份文件"_s));
        QCOMPARE(rowCount(db(), u"kjhm"_s), 1);
        add(2);
        QVERIFY(backupDatabase(m_temp->database(), backups()).ok);
        const auto backedUp = tableRows(db(), u"kjzb"_s);
        add(3);
        QVERIFY(deleteDraw(db(), 1).written);
        const auto replaced = tableRows(db(), u"kjzb"_s);
        const QString message = restoreFromBackup(m_temp->database(), backups()).message;
        QCOMPARE(tableRows(db(), u"kjzb"_s), backedUp);
        const QStringList kept = QDir(backups()).entryList({u"ssq-替换前-*.mdb"_s}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(message, u"数据库替换完毕（替换前的数据库已保存为%1）"_s.arg(
                              QDir::toNativeSeparators(QDir(backups()).filePath(kept[0]))));
        {
            Database old(QDir(backups()).filePath(kept[0]));
            QVERIFY(old.open(nullptr));
            QCOMPARE(tableRows(old.connection(), u"kjzb"_s), replaced);
        }
        add(4);
        QCOMPARE(rowCount(db(), u"kjhm"_s), 3);
        QCOMPARE(files(), QStringList{u"ssq.mdb"_s});
    }

    // Seven backups on seven days: the newest five stay, listed newest first; any can be chosen.
    void backupsKeepTheNewestFew() {
        const QDateTime day1(QDate::currentDate().addDays(-40), QTime(20, 30, 0));
        const auto line = [&day1](int place, int day) {
            const QDateTime made = day1.addDays(day - 1);
            return u"%1. %2  ssq-备份-%3.mdb"_s.arg(place).arg(
                made.toString(u"yyyy-MM-dd HH:mm:ss"_s), made.toString(u"yyyyMMdd-HHmmss"_s));
        };
        for (int n = 1; n <= 7; ++n) {
            add(n);
            if (QFile older(backupFilePath(backups())); older.open(QIODevice::ReadWrite)) {
                QVERIFY(older.setFileTime(day1.addDays(n - 2), QFileDevice::FileModificationTime));
                older.close();
            }
            const Outcome made = backupDatabase(m_temp->database(), backups());
            QVERIFY(made.ok);
            QCOMPARE(made.message.endsWith(u"份备份，更早的1份已删除"_s), n > kBackupsKept);
        }
        const QList<BackupFile> kept = listBackups(backups());
        QCOMPARE(QDir(backups()).entryList(QDir::Files).size(), kBackupsKept);
        QCOMPARE(kept[0].path, QFileInfo(backupFilePath(backups())).absoluteFilePath());
        QCOMPARE(numberedBackupLines(kept)[4], line(5, 3));

        // A place in the list, typed as players type it; other answers replace nothing.
        QString error;
        QCOMPARE(chosenBackup(kept, u" ３ "_s, &error), kept[2].path);
        for (const QString& answer : {u"0"_s, u"6"_s, u"2.5"_s}) {
            QVERIFY(chosenBackup(kept, answer, &error).isEmpty());
            QVERIFY2(error.endsWith(u"（请输入1到5），数据库没有替换。"_s), qPrintable(error));
        }
        QVERIFY(chosenBackup({}, u"1"_s, &error).isEmpty());
        QCOMPARE(error, u"备份文件夹中没有备份，数据库没有替换。请先备份数据库。"_s);
        QVERIFY(restoreFromBackupFile(m_temp->database(), kept[2].path).ok);
        QCOMPARE(rowCount(db(), u"kjhm"_s), 5);

        // A copy named for a day to come is listed but pushes no real backup out.
        const QString future = QDir(backups()).filePath(u"ssq-备份-20991231-235959.mdb"_s);
        QVERIFY(QFile::copy(kept[1].path, future));
        QVERIFY(
            backupDatabase(m_temp->database(), backups()).message.endsWith(u"更早的1份已删除"_s));
        QCOMPARE(listBackups(backups()).size(), kBackupsKept + 1);
        QVERIFY(QFile::exists(future));
    }

    // A query still open (a grid showing a long table) is no obstacle; no copy is left.
    void compactKeepsDataAndLeavesNoTemporaryFile() {
        for (int i = 1; i <= 30; ++i)
            add(i);
        for (int i = 1; i <= 20; ++i)
            QVERIFY(deleteDraw(db(), i).written);
        const auto before = tableRows(db(), u"kjzb"_s);
        QSqlQuery pending(db());
        QVERIFY(pending.exec(u"SELECT * FROM kjhm"_s) && pending.next());

        QCOMPARE(compactDatabase(m_temp->database()).message, u"数据库压缩完毕"_s);
        QCOMPARE(files(), QStringList{u"ssq.mdb"_s});
        QCOMPARE(tableRows(db(), u"kjzb"_s), before);
        add(31);
        QCOMPARE(rowCount(db(), u"kjhm"_s), 11);
    }

    void navigationAndRemove() {
        RecordSet rs(db());
        QVERIFY(rs.open(u"select* from kjhm  "_s));
        QVERIFY(rs.bof() && rs.eof() && !rs.moveFirst() && !rs.remove());
        rs.setValue(0, u"7001"_s); // no current row: the write cannot be kept
        QVERIFY(!rs.update() && !rs.lastError().isEmpty());

        addRows({7003, 7001, 7002});
        QVERIFY(rs.open(u"select* from kjhm order by 期号 "_s));
        QCOMPARE(rs.recordCount(), 3);
        QCOMPARE(rs.value(0), u"7001"_s);
        QVERIFY(rs.moveNext() && rs.moveNext() && !rs.moveNext() && rs.eof());
        QVERIFY(rs.value(0).isEmpty() && rs.movePrevious());
        QCOMPARE(rs.value(0), u"7003"_s);
        QVERIFY(rs.moveFirst() && !rs.movePrevious() && rs.bof() && !rs.eof());
        QVERIFY(rs.moveLast() && rs.value(7).isEmpty() && rs.value(99).isEmpty());

        // After a remove there is no current row; the next move goes to the following one.
        QVERIFY(rs.moveFirst() && rs.moveNext() && rs.remove());
        QCOMPARE(rs.position(), -1);
        QVERIFY(rs.moveNext());
        QCOMPARE(rs.value(0), u"7003"_s);
        QCOMPARE(stored(u"select count(*) from kjhm"_s), u"2"_s);
    }

    void onlyOneTableQueriesAreWritable() {
        addRows({7018});
        const QString blues =
            u"select 期号,L1,L2,L3,L4,L5,L6,L7,L8,L9,L10,L11,L12,L13,L14,L15,L16 from kjhm order by 期号 "_s;
        RecordSet rs(db());
        for (const QString& text : {u"select* from hmbc where 编号>=1 and 编号<=150"_s, blues})
            QVERIFY2(rs.open(text) && rs.isWritable(), qPrintable(text));
        QCOMPARE(writableForm(blues)->table, u"kjhm"_s);
        for (const QString& text : {u"select * from kjhm, kjdm"_s,
                                    u"select * from kjhm where 期号 in (select 期号 from kjdm)"_s})
            QVERIFY2(!writableForm(text), qPrintable(text));
        QVERIFY(rs.open(u"select count(*) from kjhm"_s));
        rs.setValue(0, u"5"_s);
        QVERIFY(!rs.update() && !rs.remove());
        QCOMPARE(stored(u"select count(*) from kjhm"_s), u"1"_s);
    }

    // Number columns hold numbers (a digit 0 is not an empty cell); text columns keep their text.
    void valuesKeepTheirTypes() {
        RecordSet rs(db());
        QVERIFY(rs.open(u"select* from kjdm order by 期号 "_s));
        rs.addNew();
        rs.setValue(0, u"07018"_s);
        rs.setValue(1, u"0"_s);
        QVERIFY(rs.update() && rs.requery());
        QCOMPARE(stored(u"select typeof(期号) || typeof(百万0) || typeof(百万1) from kjdm"_s),
                 u"integerintegernull"_s);
        QCOMPARE(rs.value(0) + u"|"_s + rs.value(1) + u"|"_s + rs.value(2), u"7018|0|"_s);
        rs.setValue(1, QString());
        QVERIFY(rs.update());
        QCOMPARE(stored(u"select 百万0 is null from kjdm"_s), u"1"_s);
        QVERIFY(rs.open(u"select* from kjzb order by 期号 "_s));
        rs.addNew();
        rs.setValue(2, u"0000001"_s);
        rs.setValue(25, u"-17"_s);
        QVERIFY(rs.update() && rs.requery());
        QCOMPARE(rs.value(2) + rs.value(25), u"0000001-17"_s);
    }

    // Moving off a changed row stores it; all of it inside one transaction.
    void changedRowsAreStoredOnMove() {
        Transaction t(db());
        RecordSet rs(db());
        QVERIFY(rs.open(u"select* from rhmtx order by 序号 "_s));
        for (int p = 1; p <= 528; ++p, rs.moveNext())
            rs.setValue(3, QString::number(p % 7));
        QVERIFY(rs.eof() && rs.update() && t.commit());
        QCOMPARE(stored(u"select sum(累计开出) || ' ' || count(*) from rhmtx"_s), u"1581 528"_s);
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"

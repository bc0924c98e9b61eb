// The database file going wrong under the program: locked by another connection that holds a
// write transaction, deleted or replaced by a foreign file while the program runs, and a
// full disk (a size-limited file system mounted for the test). Each gives a clear message, or
// ssq-cli a failing status with the message on standard error, and loses nothing stored before.

#include "red/condition_file.h"
#include "red/saved_results.h"
#include "store/database.h"
#include "store/draw_entry.h"
#include "store/history_import.h"
#include "store/maintenance.h"
#include "store/rowid_table_model.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"
#include "support/file_size_limit.h"
#include "support/panel_text.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;
using namespace ssq;

namespace {

using Tables = QList<QList<QVariantList>>;

QString historyFile() {
    return QDir(QStringLiteral(SSQ_DATA_DIR)).filePath(u"ssq-history.csv"_s);
}

// The message of a refused write; "stored" when it was stored.
QString refusal(const EntryResult& r) {
    return r.written ? u"stored"_s : r.messages.value(r.messages.size() - 1).text;
}
QString refusal(const Outcome& r) {
    return r.ok ? u"stored"_s : r.message;
}
QString refusal(const ImportReport& r) {
    return r.ok ? u"stored"_s : r.message;
}
QString refusal(const std::pair<int, QString>& run) {
    return run.first == 1 ? run.second : u"status %1"_s.arg(run.first);
}

template <typename Result> void expectRefused(const Result& result, const QString& words) {
    const QString message = refusal(result);
    QVERIFY2(message.contains(words), qPrintable(message));
}

// A condition file that keeps a few thousand combinations: more than the size limit holds.
QByteArray widePanel() {
    return conditionFileBytes(
        test::panelOf(u"t1=1 t2=5 t3=12 t4=20 t5=27 t6=33 t7=8 t8=0096810 t9=0 t10=0 t11=9 t12=6 "
                      u"t13=8 t14=1 t15=0 c0 c4 t50=47 t51=21"_s),
        {});
}

const QString kNotADatabase = u"This is a note, not a database.\n"_s;

// Not a multiple of SQLite's page size, so a page write that crosses it is cut short and SQLite
// reports a full disk, as it would on one.
constexpr qint64 kSizeLimit = 1000;

} // namespace

class TestFaults : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QList<test::HistoryDraw> m_draws; // the real draws from 2020001

    QString file(const QString& name) const { return m_dir->filePath(name); }

    // A history file of the first `count` real draws from 2020001.
    QString historyOf(int count) {
        const QStringList lines = test::realHistoryLines();
        const QString path = file(u"first-%1.csv"_s.arg(count));
        const QStringList taken =
            lines.mid(lines.indexOf(QRegularExpression(u"2020001,.*"_s)), count);
        return test::writeBytes(path, taken.join(u'\n').toUtf8()) ? path : QString();
    }

    // An open database at `path` holding the first `count` real draws.
    std::unique_ptr<Database> filled(const QString& path, int count) {
        auto db = std::make_unique<Database>(path);
        if (!db->open(nullptr) || !importHistoryFile(db->connection(), historyOf(count), {}).ok)
            return nullptr;
        return db;
    }

    // ssq-cli to the end with `backups` as its backup folder, under a file-size limit of
    // `limitBytes` when not 0: status (-1 when a signal ended it), standard error (or, with
    // `output`, standard output), trimmed.
    std::pair<int, QString> cli(const QStringList& args, const QString& backups = {},
                                bool output = false, qint64 limitBytes = 0) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"SSQ_BACKUP_DIR"_s, backups.isEmpty() ? file(u"no-backups"_s) : backups);
        p.setProcessEnvironment(env);
        if (limitBytes > 0)
            p.setChildProcessModifier(
                [limitBytes] { test::FileSizeLimit::applyInChild(limitBytes); });
        p.start(QStringLiteral(SSQ_CLI_PATH), args);
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
            return {-1, QString::fromUtf8(p.readAllStandardError())};
        return {p.exitCode(),
                QString::fromUtf8(output ? p.readAllStandardOutput() : p.readAllStandardError())
                    .trimmed()};
    }
    static QStringList importAll(const QString& db) {
        return {u"--db"_s, db, u"import"_s, historyFile(), u"--from"_s, u"2020001"_s};
    }

    EntryResult addNext(Database& db, int stored) {
        return addDraw(db.connection(), m_draws[stored].input());
    }
    Outcome saveSome(Database& db) {
        return saveResults(db.connection(), 4000, [](int) { return u"1 2 3 4 5 6"_s; });
    }

private Q_SLOTS:
    void initTestCase() {
        m_draws = test::realDraws(u"2020001"_s, 983);
        QCOMPARE(m_draws.size(), 983);
    }
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    // The maintenance commands: a missing database is not backed up (and not created), the
    // old backup stays; then backup, replace and compact print their closing messages.
    void cliMaintenance() {
        const QString path = file(u"ssq.mdb"_s);
        const QString backups = file(u"备份"_s);
        QVERIFY(filled(path, 30));
        const auto on = [&](const QStringList& args, bool output = false) {
            return cli(QStringList{u"--db"_s, path} + args, backups, output);
        };
        QCOMPARE(on({u"backup"_s}, true),
                 std::make_pair(
                     0, u"数据库备份完毕（备份文件保存在%1）\n"
                        u"备份文件夹中保留最近的5份备份"_s.arg(QDir::toNativeSeparators(backups))));
        const QByteArray backup = test::bytesOf(backupFilePath(backups));
        QVERIFY(QFile::rename(path, file(u"moved.mdb"_s)));
        QCOMPARE(on({u"backup"_s}),
                 std::make_pair(
                     1, u"数据库没有备份。数据库文件“%1”不存在。原有的备份文件没有改动。"_s.arg(
                            QDir::toNativeSeparators(path))));
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(test::bytesOf(backupFilePath(backups)), backup);
        QVERIFY(QFile::rename(file(u"moved.mdb"_s), path));
        const auto [restored, said] = on({u"restore"_s}, true);
        QCOMPARE(restored, 0);
        QVERIFY2(said.startsWith(u"数据库替换完毕（替换前的数据库已保存为%1"_s.arg(
                     QDir::toNativeSeparators(backups + u"/ssq-替换前-"_s))),
                 qPrintable(said));
        QCOMPARE(on({u"compact"_s}, true), std::make_pair(0, u"数据库压缩完毕"_s));

        // A second backup keeps the first under its date: --list numbers them newest first,
        // --backup 2 restores the older one, a number not listed replaces nothing.
        const auto draws = [&path] {
            Database db(path);
            return db.open(nullptr) ? test::rowCount(db.connection(), u"kjhm"_s) : -1;
        };
        {
            Database db(path);
            QVERIFY(db.open(nullptr) && addNext(db, 30).written);
        }
        QCOMPARE(on({u"backup"_s}).first, 0);
        const auto [listed, lines] = on({u"restore"_s, u"--list"_s}, true);
        QCOMPARE(listed, 0);
        const QStringList rows = lines.split(u'\n');
        QCOMPARE(rows.size(), 2);
        QVERIFY2(rows[0].startsWith(u"1. "_s) && rows[0].endsWith(u"  ssq1.mdb"_s),
                 qPrintable(lines));
        QVERIFY2(rows[1].startsWith(u"2. "_s) && rows[1].contains(u"  ssq-备份-"_s),
                 qPrintable(lines));
        QCOMPARE(on({u"restore"_s, u"--backup"_s, u"3"_s}),
                 std::make_pair(1, u"没有序号为“3”的备份（请输入1到2），数据库没有替换。"_s));
        QCOMPARE(draws(), 31);
        QCOMPARE(on({u"restore"_s, u"--backup"_s, u"2"_s}, true).first, 0);
        QCOMPARE(draws(), 30);
    }

    // Another program holds a write transaction: every write says the file is locked and
    // changes nothing; once it lets go, writing works again.
    void lockedByAnotherConnection() {
        const QString path = file(u"ssq.mdb"_s);
        std::unique_ptr<Database> db = filled(path, 40);
        QVERIFY(db);
        const Tables before = test::drawTables(db->connection());
        Database other(path);
        QVERIFY(other.open(nullptr));
        QSqlQuery hold(other.connection());
        QVERIFY(hold.exec(u"BEGIN IMMEDIATE"_s));
        QVERIFY(hold.exec(u"UPDATE tjbc SET 编号 = 编号"_s));

        expectRefused(addNext(*db, 40), u"已锁定"_s);
        expectRefused(saveSome(*db), u"已锁定"_s);
        expectRefused(cli(importAll(path)), u"锁定"_s);

        QVERIFY(hold.exec(u"ROLLBACK"_s));
        QCOMPARE(test::drawTables(db->connection()), before);
        QVERIFY(addNext(*db, 40).written);
    }

    // Deleted under the running program: nothing is written into the vanished file as if it
    // were stored, and no empty file takes its place.
    void deletedWhileRunning() {
        const QString path = file(u"ssq.mdb"_s);
        const QString backups = file(u"备份"_s);
        std::unique_ptr<Database> db = filled(path, 40);
        QVERIFY(db && backupDatabase(*db, backups).ok);
        const QByteArray backup = test::bytesOf(backupFilePath(backups));
        RowidTableModel grid(db->connection(), u"kjhm"_s);
        QVERIFY(grid.select());
        QSignalSpy refused(&grid, &RowidTableModel::editRefused);
        QVERIFY(QFile::remove(path));

        const QString gone = u"已经不存在"_s;
        expectRefused(addNext(*db, 40), gone);
        expectRefused(saveSome(*db), gone);
        expectRefused(importHistoryFile(db->connection(), historyFile(), u"2020001"_s), gone);
        QVERIFY(!grid.setData(grid.index(0, 5), u"5"_s));
        QVERIFY(refused.size() == 1 && refused[0][0].toString().contains(gone));
        expectRefused(backupDatabase(*db, backups), u"不存在"_s);
        QCOMPARE(test::bytesOf(backupFilePath(backups)), backup);
        QVERIFY(!QFileInfo::exists(path));
    }

    // Replaced by a file that is not a database, overwritten in place or moved over it: writes
    // are refused with a message and the foreign file is left exactly as it is.
    void replacedByAForeignFile_data() {
        QTest::addColumn<bool>("inPlace");
        QTest::addColumn<QString>("words");
        QTest::newRow("overwritten") << true << u"已损坏，或已被换成了别的文件"_s;
        QTest::newRow("moved over it") << false << u"被换成了另一个文件"_s;
    }
    void replacedByAForeignFile() {
        QFETCH(bool, inPlace);
        QFETCH(QString, words);
        const QString path = file(u"ssq.mdb"_s);
        std::unique_ptr<Database> db = filled(path, 40);
        QVERIFY(db);
        const QByteArray foreign = kNotADatabase.toUtf8().repeated(200);
        if (inPlace) {
            QVERIFY(test::writeBytes(path, foreign));
        } else {
            QVERIFY(test::writeBytes(file(u"note.txt"_s), foreign));
            QVERIFY(::rename(QFile::encodeName(file(u"note.txt"_s)).constData(),
                             QFile::encodeName(path).constData()) == 0);
        }
        expectRefused(addNext(*db, 40), words);
        QVERIFY(!saveSome(*db).ok);
        QCOMPARE(test::bytesOf(path), foreign);
        QVERIFY(!QFileInfo::exists(path + u"-journal"_s));
    }

    // A full disk: each write says so, the file stays whole with every draw, the old backup stays,
    // no half-written copy is left; with room again writing works. Where a small file system
    // cannot be mounted, a file-size limit (RLIMIT_FSIZE, SIGXFSZ ignored) stops the writes the
    // same way, so the case runs on every machine.
    void fullDisk() {
        const QString mount = file(u"mnt"_s);
        QVERIFY(QDir().mkpath(mount));
        QProcess mounting;
        mounting.start(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=6m"_s, u"tmpfs"_s, mount});
        const bool mounted = mounting.waitForFinished(10000) &&
                             mounting.exitStatus() == QProcess::NormalExit &&
                             mounting.exitCode() == 0;
        const auto unmount = qScopeGuard([&] {
            if (mounted)
                QProcess::execute(u"umount"_s, {u"-l"_s, mount});
        });
        if (!mounted)
            qInfo("no small file system can be mounted here; a file-size limit stands in for it");

        const QString path = QDir(mount).filePath(u"ssq.mdb"_s);
        const QString backups = QDir(mount).filePath(u"备份"_s);
        {
            std::unique_ptr<Database> db = filled(path, 400);
            QVERIFY(db && backupDatabase(*db, backups).ok);
            const Tables before = test::drawTables(db->connection());
            const QByteArray backup = test::bytesOf(backupFilePath(backups));

            QFile filler(QDir(mount).filePath(u"filler"_s));
            std::optional<test::FileSizeLimit> limit;
            if (mounted) {
                QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
                for (const qsizetype chunk :
                     {qsizetype(64 * 1024), qsizetype(4096), qsizetype(512)}) {
                    const QByteArray block(chunk, 'x');
                    while (filler.write(block) == chunk) {
                    }
                }
                filler.close();
            } else {
                limit.emplace(kSizeLimit);
            }

            const QString full = u"磁盘已满"_s;
            expectRefused(addNext(*db, 400), full);
            expectRefused(saveSome(*db), full);
            expectRefused(cli(importAll(path), backups, false, mounted ? 0 : kSizeLimit), full);
            expectRefused(backupDatabase(*db, backups), u"原有的备份文件没有改动"_s);
            expectRefused(compactDatabase(*db), u"数据库没有改动"_s);
            limit.reset();

            QCOMPARE(test::bytesOf(backupFilePath(backups)), backup);
            QCOMPARE(QDir(backups).entryList(QDir::Files), QStringList{u"ssq1.mdb"_s});
            QStringList expected{u"ssq.mdb"_s};
            if (mounted)
                expected.prepend(u"filler"_s);
            QCOMPARE(QDir(mount).entryList(QDir::Files), expected);
            QSqlQuery check(db->connection());
            QVERIFY(check.exec(u"PRAGMA integrity_check"_s) && check.next());
            QCOMPARE(check.value(0).toString(), u"ok"_s);
            QCOMPARE(test::drawTables(db->connection()), before);

            QVERIFY(!mounted || filler.remove());
            QVERIFY(addNext(*db, 400).written);
        }
    }

    // Past a file-size limit an export and an import end with a message of their own instead of
    // being killed by SIGXFSZ, and leave no part-written file under the target's name.
    void fileSizeLimit() {
        const QString path = file(u"ssq.mdb"_s);
        QVERIFY(filled(path, 30));
        QVERIFY(test::writeBytes(file(u"panel.json"_s), widePanel()));
        const QString target = file(u"out.txt"_s);
        expectRefused(cli({u"--db"_s, path, u"select"_s, u"--panel"_s, file(u"panel.json"_s),
                           u"--export"_s, target},
                          {}, false, kSizeLimit),
                      u"文件超过了系统允许的大小"_s);
        QVERIFY(!QFileInfo::exists(target));
        expectRefused(cli(importAll(path), {}, false, kSizeLimit), u"磁盘已满"_s);
        Database db(path);
        QVERIFY(db.open(nullptr));
        QCOMPARE(test::rowCount(db.connection(), u"kjhm"_s), 30);
    }

    // Wherever the limit stops an import into a new file (making the file, writing the rows,
    // committing), the player reads why in Chinese.
    void sizeLimitAtEveryStageIsReportedInChinese() {
        for (qint64 limit = 40 * 1024; limit <= 200 * 1024; limit += 8 * 1024) {
            const auto run = cli(importAll(file(u"limit-%1.mdb"_s.arg(limit))), {}, false, limit);
            expectRefused(run, u"文件超过了系统允许的大小"_s);
            QVERIFY2(!run.second.contains(u"error"_s, Qt::CaseInsensitive), qPrintable(run.second));
        }
    }
};

QTEST_GUILESS_MAIN(TestFaults)
#include "test_faults.moc"

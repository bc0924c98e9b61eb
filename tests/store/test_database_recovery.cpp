// A missing, damaged or foreign ssq.mdb: backup and compaction refuse it; start-up offers a
// backup, a new database with the bad file moved aside, or quitting. Its dialog clicked.

#include "store/database.h"
#include "store/database_recovery.h"
#include "store/maintenance.h"
#include "store/widgets/database_recovery_dialog.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"
#include "support/widget_actions.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ssq;

class TestDatabaseRecovery : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString path() const { return m_dir->filePath(u"ssq.mdb"_s); }
    QString backups() const { return m_dir->filePath(u"备份"_s); }
    // A database holding `draws` real draws, backed up when asked; its bytes.
    QByteArray makeDatabase(int draws, bool backUp) {
        Database db(path());
        if (!db.open(nullptr) || !test::addRealDraws(db.connection(), u"2020001"_s, draws))
            return {};
        if (backUp && !backupDatabase(db, backups()).ok)
            return {};
        db.close();
        return test::bytesOf(path());
    }
    QStringList files(const QString& folder, const QString& pattern) const {
        return QDir(folder).entryList({pattern}, QDir::Files);
    }

private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void backupAndCompactRefuseWhatCannotBeCopied() {
        QVERIFY(!makeDatabase(3, true).isEmpty());
        const QByteArray backup = test::bytesOf(backupFilePath(backups()));
        QVERIFY(QFile::remove(path()));
        Database db(path());
        for (const auto& [bytes, words] :
             {std::pair{QByteArray(), u"不存在"_s},
              std::pair{QByteArray("7001,1,2,3,4,5,6,7\n"), u"不是本程序的数据库"_s}}) {
            QVERIFY(bytes.isNull() || test::writeBytes(path(), bytes));
            const Outcome backedUp = backupDatabase(db, backups());
            QVERIFY2(!backedUp.ok && backedUp.message.contains(words) &&
                         backedUp.message.endsWith(u"原有的备份文件没有改动。"_s),
                     qPrintable(backedUp.message));
            const Outcome compacted = compactDatabase(db);
            QVERIFY2(!compacted.ok && compacted.message.contains(words),
                     qPrintable(compacted.message));
            QCOMPARE(test::bytesOf(backupFilePath(backups())), backup);
            QCOMPARE(test::bytesOf(path()), bytes);
            QCOMPARE(files(m_dir->path(), u"*"_s),
                     bytes.isNull() ? QStringList{} : QStringList{u"ssq.mdb"_s});
        }
    }

    void startUp_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("backup");
        QTest::addColumn<int>("choice");
        QTest::newRow("damaged, restore")
            << u"damaged"_s << true << int(RecoveryChoice::RestoreBackup);
        QTest::newRow("damaged, no backup, new")
            << u"damaged"_s << false << int(RecoveryChoice::StartEmpty);
        QTest::newRow("empty file, quit") << u"empty"_s << true << int(RecoveryChoice::Quit);
    }
    void startUp() {
        QFETCH(QString, kind);
        QFETCH(bool, backup);
        QFETCH(int, choice);
        QByteArray good = makeDatabase(4, backup);
        QVERIFY(!good.isEmpty());
        QByteArray bad; // damaged: the header kept, the rest of the first page gone
        if (kind == u"damaged"_s)
            bad = good.left(100) + QByteArray(4096 - 100, '\xff') + good.mid(4096);
        QVERIFY(test::writeBytes(path(), bad));

        Database db(path());
        QList<RecoveryOffer> offers;
        QStringList told;
        const bool opened = openWithRecovery(
            db, backups(),
            [&](const RecoveryOffer& offer) {
                offers.append(offer);
                return RecoveryChoice(choice);
            },
            [&](const QString& message, bool) { told.append(message); });

        QCOMPARE(offers.size(), 1);
        QCOMPARE(offers[0].canRestore, backup);
        QVERIFY(offers[0].canStartEmpty);
        QVERIFY2(offers[0].reason.contains(QDir::toNativeSeparators(path())),
                 qPrintable(offers[0].reason));
        // The dialog gives the reason in Chinese: no English of SQLite's beyond its name.
        {
            DatabaseRecoveryDialog dialog(offers[0]);
            dialog.show();
            QString shown = test::textOf(&dialog, u"Label1"_s);
            QVERIFY(shown.contains(offers[0].reason));
            shown.remove(QDir::toNativeSeparators(path()))
                .remove(QDir::toNativeSeparators(offers[0].backupPath))
                .remove(u"SQLite"_s);
            static const QRegularExpression english(u"[A-Za-z]{3,}"_s);
            QVERIFY2(!english.match(shown).hasMatch(), qPrintable(shown));
        }
        QCOMPARE(opened, choice != int(RecoveryChoice::Quit));
        QCOMPARE(db.isOpen(), opened);
        switch (RecoveryChoice(choice)) {
        case RecoveryChoice::Quit:
            QVERIFY(told.isEmpty());
            QCOMPARE(test::bytesOf(path()), bad);
            QCOMPARE(files(m_dir->path(), u"*"_s), QStringList{u"ssq.mdb"_s});
            break;
        case RecoveryChoice::RestoreBackup:
        case RecoveryChoice::StartEmpty: {
            const bool restore = RecoveryChoice(choice) == RecoveryChoice::RestoreBackup;
            QCOMPARE(test::rowCount(db.connection(), u"kjzb"_s), restore ? 4 : 0);
            const QStringList aside = files(m_dir->path(), u"ssq-无法使用-*.mdb"_s);
            QCOMPARE(aside.size(), 1);
            QCOMPARE(test::bytesOf(m_dir->filePath(aside[0])), bad);
            QVERIFY2(told.value(0).contains(aside[0]) &&
                         told.value(0).startsWith(restore ? u"数据库替换完毕"_s
                                                          : u"原来的数据库文件已改名"_s),
                     qPrintable(told.value(0)));
            break;
        }
        }
    }

    // A locked file is not bad: it is reported and nothing is offered.
    void lockedFileIsOfferedNothing() {
        QVERIFY(!makeDatabase(1, true).isEmpty());
        Database holder(path());
        QVERIFY(holder.open(nullptr));
        QSqlQuery lock(holder.connection());
        QVERIFY(lock.exec(u"BEGIN EXCLUSIVE"_s));
        Database db(path());
        bool asked = false;
        QStringList told;
        QVERIFY(!openWithRecovery(
            db, backups(),
            [&](const RecoveryOffer&) {
                asked = true;
                return RecoveryChoice::StartEmpty;
            },
            [&](const QString& message, bool) { told.append(message); }));
        QVERIFY(!asked);
        QVERIFY2(told.value(0).contains(u"锁定"_s), qPrintable(told.value(0)));
        QVERIFY(lock.exec(u"ROLLBACK"_s));
        QCOMPARE(files(m_dir->path(), u"*.mdb"_s), QStringList{u"ssq.mdb"_s});
    }

    void dialogOffersWhatIsThere() {
        RecoveryOffer offer;
        offer.reason = u"数据库文件“x”已损坏"_s;
        offer.canStartEmpty = true;
        DatabaseRecoveryDialog dialog(offer);
        dialog.show();
        QVERIFY(!dialog.findChild<QPushButton*>(u"Command1"_s)->isEnabled());
        test::click(&dialog, u"Command1"_s);
        QVERIFY(dialog.isVisible());
        test::click(&dialog, u"Command2"_s);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.choice(), RecoveryChoice::StartEmpty);
    }
};

QTEST_MAIN(TestDatabaseRecovery)
#include "test_database_recovery.moc"

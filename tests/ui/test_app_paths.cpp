// Where the data lives: beside a program in a folder it can write to, in the player's data
// folder when the program is installed or its folder is read-only.

#include "ui/app_paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

class TestAppPaths : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decision_data() {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("dataFolder");
        QTest::addColumn<QString>("shippedFolder");

        QTest::newRow("writable folder") << true << false << u"/opt/ssq"_s << u"/opt/ssq"_s;
        // A read-only copy still reads its own shipped files but writes to the player's folder.
        QTest::newRow("read-only folder")
            << false << false << u"/home/p/.local/share/ravelko"_s << u"/opt/ssq"_s;
        QTest::newRow("installed")
            << false << true << u"/home/p/.local/share/ravelko"_s << u"/usr/share/ravelko"_s;
        // Root can write to /usr/bin; an installed program still never writes there.
        QTest::newRow("installed, run by root")
            << true << true << u"/home/p/.local/share/ravelko"_s << u"/usr/share/ravelko"_s;
    }

    void decision() {
        QFETCH(bool, writable);
        QFETCH(bool, installed);
        QFETCH(QString, dataFolder);
        QFETCH(QString, shippedFolder);
        ssq::AppPathFacts facts;
        facts.programFolder = u"/opt/ssq"_s;
        facts.programFolderWritable = writable;
        facts.packageShareFolder = installed ? u"/usr/share/ravelko"_s : QString();
        facts.playerDataFolder = u"/home/p/.local/share/ravelko"_s;
        const ssq::AppPaths paths = ssq::decideAppPaths(facts);
        QCOMPARE(paths.dataFolder, dataFolder);
        QCOMPARE(paths.shippedFolder, shippedFolder);
        QCOMPARE(paths.inPlayerFolder, dataFolder != facts.programFolder);
    }

    // The facts from real folders: <prefix>/bin beside <prefix>/share/ravelko, and writability.
    void factsFromFolders() {
        QTemporaryDir prefix;
        QVERIFY(prefix.isValid());
        const QString bin = prefix.filePath(u"bin"_s);
        QVERIFY(QDir().mkpath(bin));
        const QString player = prefix.filePath(u"home/.local/share/ravelko"_s);

        ssq::AppPathFacts facts = ssq::appPathFacts(bin, player);
        QVERIFY(facts.programFolderWritable);
        QVERIFY(facts.packageShareFolder.isEmpty());
        QCOMPARE(facts.playerDataFolder, player);

        QVERIFY(QDir().mkpath(prefix.filePath(u"share/ravelko"_s)));
        facts = ssq::appPathFacts(bin, player);
        QCOMPARE(facts.packageShareFolder, prefix.filePath(u"share/ravelko"_s));

        // Read-only for everyone but root, whom the permission bits do not stop.
        QVERIFY(QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner));
        QCOMPARE(ssq::appPathFacts(bin, player).programFolderWritable, geteuid() == 0);
        QVERIFY(QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

        QVERIFY(!ssq::folderIsWritable(prefix.filePath(u"missing"_s)));
        QFile file(prefix.filePath(u"a-file"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(!ssq::folderIsWritable(file.fileName()));
    }
};

QTEST_GUILESS_MAIN(TestAppPaths)
#include "test_app_paths.moc"

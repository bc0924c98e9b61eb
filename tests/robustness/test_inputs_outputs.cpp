// What the user points the program at: loaders refuse devices and pipes and read huge files in
// bounded memory; save and export refuse the database (or any SQLite file) as a target; messages
// quote at most a bounded, printable part of a bad field; commands that only read refuse a missing
// database instead of creating one; analysis writes are whole and say why they failed.

#include "blue/blue_controls_file.h"
#include "red/condition_file.h"
#include "red/selection_result.h"
#include "store/database.h"
#include "store/history_file.h"
#include "store/small_file.h"
#include "support/cli_run.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"
#include "support/panel_text.h"
#include "tickets/ticket_export.h"
#include "tickets/ticket_line.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace ssq;

namespace {

// Largest resident size of this process so far, in bytes.
qint64 peakMemory() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<qint64>(usage.ru_maxrss) * 1024;
}

// AddressSanitizer keeps freed blocks in a quarantine (256 MB by default) instead of reusing
// them, so a line-at-a-time reader grows by that much there; reading a whole 100 MB file
// still shows.
#if defined(__SANITIZE_ADDRESS__)
constexpr qint64 kFreedMemoryHeld = 256LL * 1024 * 1024;
#else
constexpr qint64 kFreedMemoryHeld = 0;
#endif

// The loaders of the files a person points the program at; true when the file was read.
const QList<std::pair<const char*, std::function<bool(const QString&, QString*)>>> kLoaders{
    {"condition file",
     [](const QString& p, QString* e) { return loadConditionFile(p, e).has_value(); }},
    {"blue controls file",
     [](const QString& p, QString* e) { return loadBlueControlsFile(p, e).has_value(); }},
    {"ticket file", [](const QString& p, QString* e) { return readTicketFile(p, e).has_value(); }},
    {"history file",
     [](const QString& p, QString* e) { return readHistoryFile(p, e).has_value(); }},
};

} // namespace

class TestInputsOutputs : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const QString& name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // A device or a pipe is refused at once: no endless read of /dev/zero, no wait for a writer.
    void loadersRefuseDevicesAndPipes_data() {
        QTest::addColumn<int>("loader");
        QTest::addColumn<QString>("kind");
        for (int i = 0; i < kLoaders.size(); ++i)
            for (const QString& kind : {u"device"_s, u"fifo"_s})
                QTest::addRow("%s, %s", kLoaders[i].first, qPrintable(kind)) << i << kind;
    }
    void loadersRefuseDevicesAndPipes() {
        QFETCH(int, loader);
        QFETCH(QString, kind);
        const QString path = file(u"%1-%2"_s.arg(kind).arg(loader));
        if (kind == u"device"_s)
            QVERIFY(QFile::link(u"/dev/zero"_s, path));
        else
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QString error;
        const qint64 before = peakMemory();
        QVERIFY(!kLoaders[loader].second(path, &error));
        QVERIFY2(error.contains(path), qPrintable(error));
        QVERIFY(peakMemory() - before < 64 * 1024 * 1024);
    }

    // A 100 MB ticket or history file is read a line at a time; a line longer than any of ours
    // stops the reading with its line number.
    void hugeFilesInBoundedMemory() {
        const QString huge = file(u"huge.txt"_s);
        {
            QFile out(huge);
            QVERIFY(out.open(QIODevice::WriteOnly));
            const QByteArray comment = "# " + QByteArray(97, 'x') + '\n';
            QByteArray block;
            for (int i = 0; i < 10000; ++i)
                block += comment;
            for (int i = 0; i < 100; ++i)
                QCOMPARE(out.write(block), block.size());
        }
        QString error;
        const qint64 before = peakMemory();
        QVERIFY(readTicketFile(huge, &error).has_value());
        QVERIFY(readHistoryFile(huge, &error).has_value());
        const qint64 grown = peakMemory() - before;
        QVERIFY2(grown < 64 * 1024 * 1024 + kFreedMemoryHeld, qPrintable(QString::number(grown)));
        QFile::remove(huge);

        const QString longLine = file(u"long.txt"_s);
        const QByteArray tooLong = QByteArray(20000, '1') + '\n';
        QVERIFY(test::writeBytes(longLine, "01 02 03 04 05 06 + 07\n" + tooLong));
        QVERIFY(!readTicketFile(longLine, &error));
        QVERIFY2(error.startsWith(u"第2行太长"_s), qPrintable(error));
        QVERIFY(test::writeBytes(longLine, "2020001,1,2,3,4,5,6,7\n" + tooLong));
        QVERIFY(!readHistoryFile(longLine, &error));
        QVERIFY2(error.startsWith(u"第2行太长"_s), qPrintable(error));
    }

    // A bad field is quoted in a few dozen printable characters, whatever its length or bytes.
    void badFieldsAreQuotedBriefly_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shown");
        QTest::newRow("short") << u"7O18"_s << u"7O18"_s;
        QTest::newRow("nul and control") << u"7\u00000\u00011"_s << u"7 0 1"_s;
        QTest::newRow("long") << u"1"_s + QString(1000, u'x') << u"1"_s + QString(31, u'x') + u'…';
        QTest::newRow("surrogate at the cut")
            << u"1"_s + QString(30, u'x') + u"😀yy"_s << u"1"_s + QString(30, u'x') + u'…';
    }
    void badFieldsAreQuotedBriefly() {
        QFETCH(QString, field);
        QFETCH(QString, shown);
        QCOMPARE(quotedField(field), shown);
        // Through a loader: a 30 MB field is not echoed.
        const QString path = file(u"bad.csv"_s);
        QVERIFY(test::writeBytes(path, (field + u",1,2,3,4,5,6,7\n"_s).toUtf8()));
        QString error;
        QVERIFY(!readHistoryFile(path, &error));
        QVERIFY2(error.contains(u"“%1”"_s.arg(shown)) && error.size() < 200, qPrintable(error));
        QVERIFY(!error.contains(QChar(0)));
    }

    // The database, under any name, and any SQLite file are never save or export targets; they
    // stay byte for byte. Nor is a journal's name beside a database: SQLite would take the file
    // for its journal. An ordinary file is replaced as asked.
    void databaseIsNeverAnOutputTarget() {
        const QString path = file(u"ex/ssq.mdb"_s);
        QVERIFY(QDir().mkpath(file(u"ex"_s)));
        Database db(path);
        QVERIFY(db.open(nullptr));
        QVERIFY(test::addRealDraws(db.connection(), u"2020001"_s, 3));
        const QString hardLink = file(u"ex/tickets.txt"_s);
        QCOMPARE(
            ::link(QFile::encodeName(path).constData(), QFile::encodeName(hardLink).constData()),
            0);
        const QString otherDb = file(u"ex/other.sqlite"_s);
        QVERIFY(QFile::copy(path, otherDb));
        const QByteArray bytes = test::bytesOf(path);

        SelectionResult result;
        result.codes = {0, 1, 2};
        // Both writers refuse `target` with a message holding `words`; the messages, else empty.
        const auto refused = [&](const QString& target, const QString& words) {
            QString exported;
            QString saved;
            const bool both =
                !writeTicketExport(target, result, {}, ExportFormat::Text, {}, &exported) &&
                !saveSmallFile(target, "{}", u"无法保存“%1”"_s, &saved);
            return both && exported.contains(words) && saved.contains(words)
                       ? QString()
                       : exported + u" / "_s + saved;
        };
        for (const QString& target : {path, hardLink, otherDb}) {
            QCOMPARE(refused(target, u"是数据库文件"_s), QString());
            QCOMPARE(test::bytesOf(target), bytes);
        }
        for (const QString& journal : {path + u"-journal"_s, otherDb + u"-wal"_s}) {
            QCOMPARE(refused(journal, u"是数据库的日志文件名"_s), QString());
            QVERIFY(!QFileInfo::exists(journal));
        }
        // Nor a device, a pipe or a folder, also behind a link: they stay what they are.
        const QString fifo = file(u"ex/pipe"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(QFile::link(fifo, file(u"ex/to-pipe.txt"_s)));
        for (const QString& special : {fifo, file(u"ex/to-pipe.txt"_s), file(u"ex"_s)})
            QCOMPARE(refused(special, u"不是普通文件"_s), QString());
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
        const QString ordinary = file(u"ex/old.txt"_s);
        QVERIFY(test::writeBytes(ordinary, "old\n"));
        QString error;
        QVERIFY2(writeTicketExport(ordinary, result, {}, ExportFormat::Text, {}, &error),
                 qPrintable(error));
        QCOMPARE(test::fileLines(ordinary).size(), 3);
        db.close();

        // The command line, exporting onto the database it opened.
        const QString panel = file(u"sum.json"_s);
        QVERIFY(test::writeBytes(
            panel, conditionFileBytes(test::panelOf(u"t1=1 t2=5 t3=12 t4=20 t5=27 "
                                                    u"t6=33 t7=8 t8=0096810 c0 c4 t50=38 t51=21"_s),
                                      {})));
        const test::CliRun run =
            test::runCli({u"--db"_s, path, u"select"_s, u"--panel"_s, panel, u"--export"_s, path});
        QVERIFY2(run.status != 0 && run.err.contains(u"是数据库文件"_s), qPrintable(run.err));
        QCOMPARE(test::bytesOf(path), bytes);
    }

    // "analyse pairs" writes rhmtx and rlhtx together: when rlhtx cannot take its rows, rhmtx
    // keeps its old ones too.
    void pairTablesAreWrittenTogether() {
        const QString path = file(u"pairs.mdb"_s);
        {
            Database db(path);
            QVERIFY(db.open(nullptr));
            QVERIFY(test::addRealDraws(db.connection(), u"2020001"_s, 30));
            QVERIFY(QSqlQuery(db.connection())
                        .exec(u"DELETE FROM rlhtx WHERE rowid = (SELECT max(rowid) FROM rlhtx)"_s));
        }
        const auto rhmtx = [&] {
            Database db(path);
            return db.open(nullptr) ? test::tableRows(db.connection(), u"rhmtx"_s)
                                    : QList<QVariantList>();
        };
        const QList<QVariantList> before = rhmtx();
        const test::CliRun run = test::runCli({u"--db"_s, path, u"analyse"_s, u"pairs"_s});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(u"rlhtx"_s), qPrintable(run.err));
        QCOMPARE(rhmtx(), before);
    }
};

QTEST_GUILESS_MAIN(TestInputsOutputs)
#include "test_inputs_outputs.moc"

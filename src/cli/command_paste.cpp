#include "cli/commands.h"

#include "store/database.h"
#include "store/database_decade.h"
#include "store/draw_answer.h"
#include "store/draw_batch.h"
#include "store/draw_fetcher.h"
#include "store/update_settings.h"

#include <QFile>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace ssq::cli {

namespace {

// Checks the draws against the database, prints them and stores the new ones.
int checkAndStore(const CliContext& context, const std::vector<SourceDraw>& found,
                  const std::vector<DrawPrizes>& prizes, bool dryRun) {
    const std::unique_ptr<Database> db = openDatabase(context);
    if (!db)
        return kExitFailure;
    QString error;
    const std::vector<StoredDraw> stored = loadDraws(db->connection(), &error);
    if (!error.isEmpty()) {
        err() << u"无法读取数据库：%1"_s.arg(error) << Qt::endl;
        return kExitFailure;
    }
    DrawBatch batch = checkDraws(found, stored, databaseDecade(db->connection()));
    batch.prizes = prizes;

    int storedCount = 0;
    int status = kExitOk;
    if (batch.problems > 0) {
        status = kExitRefused;
    } else if (!dryRun && batch.newCount > 0) {
        const BatchStoreReport report = storeNewDraws(db->connection(), batch);
        if (!report.ok) {
            err() << report.message << Qt::endl;
            status = kExitFailure;
        }
        storedCount = report.stored;
    }
    QTextStream& stream = out();
    for (const BatchLine& line : batch.lines)
        stream << line.issueText << u'\t' << batchNumbersText(line) << u'\t' << statusText(line)
               << u'\n';
    stream << u"合计\t"_s << batch.newCount << u'\t' << storedCount << u'\t' << batch.problems
           << u'\n';
    stream.flush();
    if (batch.problems > 0)
        err() << u"有%1期有误或与数据库中的不同，没有保存任何开奖数据。"_s.arg(batch.problems)
              << Qt::endl;
    return status;
}

} // namespace

int runPaste(const CliContext& context, const QStringList& args) {
    const QString usage = u"用法: ssq-cli [--db 数据库文件] paste 文件|- [--dry-run]"_s;
    QString file;
    bool dryRun = false;
    for (const QString& a : args) {
        if (a == u"--dry-run"_s) {
            dryRun = true;
        } else if (file.isEmpty() && (a == u"-"_s || !a.startsWith(u"--"_s))) {
            file = a;
        } else {
            err() << usage << Qt::endl;
            return kExitUsage;
        }
    }
    if (file.isEmpty()) {
        err() << usage << Qt::endl;
        return kExitUsage;
    }
    QFile input;
    const bool opened = file == u"-"_s ? input.open(stdin, QIODevice::ReadOnly)
                                       : (input.setFileName(file), input.open(QIODevice::ReadOnly));
    if (!opened) {
        err() << u"无法读取文件“%1”：%2"_s.arg(file, input.errorString()) << Qt::endl;
        return kExitFailure;
    }
    const std::vector<SourceDraw> found = parseDrawSource(QString::fromUtf8(input.readAll()));
    return checkAndStore(context, found, {}, dryRun);
}

int runUpdate(const CliContext& context, const QStringList& args) {
    const QString usage = u"用法: ssq-cli [--db 数据库文件] update [--source 网址] [--dry-run]"_s;
    UpdateSettings settings = loadUpdateSettings(context.dbPath);
    bool dryRun = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == u"--dry-run"_s) {
            dryRun = true;
        } else if (args[i] == u"--source"_s && i + 1 < args.size()) {
            settings.source = args[++i];
        } else {
            err() << usage << Qt::endl;
            return kExitUsage;
        }
    }
    QString refusal;
    const std::optional<QUrl> source = drawSourceUrl(settings.source, &refusal);
    if (!source) {
        err() << refusal << Qt::endl;
        return kExitUsage;
    }
    const FetchOutcome fetched = fetchDrawSource(*source, settings.timeoutMs);
    if (!fetched.ok) {
        err() << fetched.message << Qt::endl;
        return kExitFailure;
    }
    const DrawAnswer answer = readDrawAnswer(fetched.body);
    if (!answer.ok) {
        err() << answer.message << Qt::endl;
        return kExitFailure;
    }
    return checkAndStore(context, answer.draws, answer.prizes, dryRun);
}

} // namespace ssq::cli

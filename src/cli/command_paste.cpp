#include "cli/commands.h"

#include "store/database.h"
#include "store/database_decade.h"
#include "store/draw_answer.h"
#include "store/draw_batch.h"
#include "store/draw_fetcher.h"
#include "store/draw_source_parser.h"
#include "store/small_file.h"
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
    // A file is read only when it is a regular one (a device or a pipe could feed it without
    // end); from either, one byte past the limit tells a text too large to be pasted draws.
    const QString tooLarge = u"“%1”超过"_s + QString::number(kMaxDrawSourceBytes >> 20) +
                             u"MB，不是复制的开奖文字，没有读取。"_s;
    QByteArray text;
    if (file == u"-"_s) {
        QFile input;
        if (!input.open(stdin, QIODevice::ReadOnly)) {
            err() << u"无法读取标准输入：%1"_s.arg(input.errorString()) << Qt::endl;
            return kExitFailure;
        }
        // A pipe hands over what it holds at each read; read on until its end or past the limit.
        while (text.size() <= kMaxDrawSourceBytes) {
            const QByteArray chunk = input.read(kMaxDrawSourceBytes + 1 - text.size());
            if (chunk.isEmpty())
                break;
            text += chunk;
        }
        if (text.size() > kMaxDrawSourceBytes) {
            err() << tooLarge.arg(u"标准输入"_s) << Qt::endl;
            return kExitFailure;
        }
    } else {
        QString error;
        std::optional<QByteArray> bytes =
            loadSmallFile(file, {kMaxDrawSourceBytes, u"无法读取文件“%1”"_s, tooLarge}, &error);
        if (!bytes) {
            err() << error << Qt::endl;
            return kExitFailure;
        }
        text = *std::move(bytes);
    }
    const std::vector<SourceDraw> found = parseDrawSource(QString::fromUtf8(text));
    const int status = checkAndStore(context, found, {}, dryRun);
    if (status == kExitOk && found.empty()) {
        // Text without a single draw is most likely the wrong file or an empty clipboard.
        err() << u"文字中没有找到开奖号码（每期一行：期号，然后6个红球和1个蓝球）。"_s << Qt::endl;
        return kExitRefused;
    }
    return status;
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

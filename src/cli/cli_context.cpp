#include "cli/cli_context.h"

#include "cli/console.h"
#include "store/database.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ssq::cli {

std::unique_ptr<Database> openDatabase(const CliContext& context) {
    auto db = std::make_unique<Database>(context.dbPath);
    QString error;
    if (!db->open(&error)) {
        err() << error << Qt::endl;
        return nullptr;
    }
    return db;
}

std::unique_ptr<Database> openExistingDatabase(const CliContext& context, int* status) {
    *status = kExitFailure;
    if (!QFileInfo::exists(context.dbPath)) {
        err() << u"数据库文件“%1”不存在。"_s.arg(QDir::toNativeSeparators(
                     QFileInfo(context.dbPath).absoluteFilePath()))
              << Qt::endl;
        *status = kExitRefused;
        return nullptr;
    }
    return openDatabase(context);
}

} // namespace ssq::cli

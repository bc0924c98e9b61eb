#include "cli/cli_context.h"

#include "cli/console.h"
#include "store/database.h"

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

} // namespace ssq::cli

#include "shell/widgets/first_start.h"

#include "store/database.h"
#include "store/draw_history.h"
#include "store/widgets/history_import_window.h"
#include "store/shipped_history.h"
#include "ui/prompter.h"

using namespace Qt::StringLiterals;

namespace ssq {

void offerShippedHistory(Database& db, QWidget* parent) {
    QString error;
    if (newestDraw(db.connection(), &error) || !error.isEmpty())
        return;
    const std::optional<ShippedHistory> shipped = readShippedHistory(shippedHistoryPath(), &error);
    if (!shipped)
        return;
    const QString question =
        u"数据库中还没有开奖数据。\n\n本软件带有历年的真实开奖数据，是否现在导入最新一个年代的开奖数据"
        u"（%1期至%2期，共%3期）？\n\n选“否”则数据库保持为空，以后可以用“数据操作 → 导入开奖数据文件”"
        u"导入，或在“数据操作 → 数据添加、删除、修改”里逐期录入。"_s.arg(shipped->fromIssue,
                                                                      shipped->lastIssue)
            .arg(shipped->drawCount);
    if (!prompter().question(parent, question))
        return;
    if (HistoryImportWindow* window = HistoryImportWindow::openWithShippedHistory(db))
        window->startImport();
}

} // namespace ssq

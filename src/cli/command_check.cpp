#include "cli/command_check.h"

#include "cli/console.h"
#include "red/last_draw_check_run.h"
#include "store/database.h"

using namespace Qt::StringLiterals;

namespace ssq::cli {

int runCheck(const CliContext& context, const QStringList& args) {
    if (!args.isEmpty()) {
        err() << u"check 命令不带参数"_s << Qt::endl;
        return kExitUsage;
    }
    int status = kExitFailure;
    const std::unique_ptr<Database> db = openExistingDatabase(context, &status);
    if (!db)
        return status;
    PanelState panel;
    const LastDrawCheckRun run = runLastDrawCheck(db->connection(), panel);
    if (!run.ok) {
        err() << run.message << Qt::endl;
        return kExitFailure;
    }
    QStringList failed;
    for (int k = 1; k <= 40; ++k) {
        if (run.check.ticked[k])
            failed.append(QString::number(k));
    }
    out() << run.message << u'\n' << failed.join(u' ') << u'\n';
    out().flush();
    return kExitOk;
}

} // namespace ssq::cli

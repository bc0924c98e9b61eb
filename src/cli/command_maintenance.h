#pragma once
// backup, restore and compact: the maintenance items of the main window's menu, on the same
// logic, for scripts. The backup folder is the program's (SSQ_BACKUP_DIR overrides it).

#include "cli/cli_context.h"

#include <QStringList>

namespace ssq::cli {

int runBackup(const CliContext& context, const QStringList& args);
int runRestore(const CliContext& context, const QStringList& args);
int runCompact(const CliContext& context, const QStringList& args);

} // namespace ssq::cli

#pragma once
// ssq-cli [--db PATH] paste FILE|- [--dry-run]: the draws found in a text, one line each,
//   ISSUE\tR1 R2 R3 R4 R5 R6+B\tSTATUS, oldest first, then 合计\tNEW\tSTORED\tPROBLEMS. The new
//   ones are stored unless --dry-run or there are problems (then nothing is, exit 3).
// ssq-cli [--db PATH] update [--source URL] [--dry-run]: the same for the draws the update
//   source gives (the settings file's address, or --source).

#include "cli/cli_context.h"

#include <QStringList>

namespace ssq::cli {

int runPaste(const CliContext& context, const QStringList& args);
int runUpdate(const CliContext& context, const QStringList& args);

} // namespace ssq::cli

#pragma once

#include "cli/cli_context.h"

#include <QStringList>

namespace ssq::cli {

// ssq-cli [--db PATH] prize --tickets FILE [--issue ISSUE]: checks the tickets of a file against
// a stored draw (the newest unless ISSUE is given) and prints the count of each level
// "一等奖\tN" .. "六等奖\tN", then "固定奖金\tAMOUNT" and "投注\tTICKETS\tCOST". A malformed line
// is refused naming its line number (exit status 3) and nothing is checked.
int runPrize(const CliContext& context, const QStringList& args);

} // namespace ssq::cli

#pragma once

#include "cli/cli_context.h"

#include <QStringList>

namespace ssq::cli {

// ssq-cli [--db PATH] analyse blue [--window N]: "蓝球号码分析" with N as the answer to its
// prompt (no answer, or one not above 0, means 50, said on standard error). Writes lqtx rows
// 1..4 and prints them, one a line: the row's label and the 16 counts, separated by tabs.
// An answer above the number of draws or not a whole number is refused (status 3) and nothing
// is written. `args` are the arguments after "blue".
int runAnalyseBlue(const CliContext& context, const QStringList& args);

} // namespace ssq::cli

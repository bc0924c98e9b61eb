#pragma once
// ssq-cli trend --last N [--grid]: the statistics rows of the number trend chart, or its grid
// of omissions.

#include "cli/cli_context.h"

#include <QStringList>

namespace ssq::cli {

int runTrend(const CliContext& context, const QStringList& args);

} // namespace ssq::cli

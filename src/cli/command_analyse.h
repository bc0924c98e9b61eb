#pragma once

#include "cli/cli_context.h"

#include <QStringList>

namespace ssq::cli {

// ssq-cli [--db PATH] analyse <subcommand> [arguments...]: the analyses of the number
// characteristics window, writing the same tables.
int runAnalyse(const CliContext& context, const QStringList& args);

} // namespace ssq::cli

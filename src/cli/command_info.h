#pragma once

#include "cli/cli_context.h"

#include <QStringList>

namespace ssq::cli {

// ssq-cli [--db PATH] info: opens (or creates) the database and tells what it holds.
int runInfo(const CliContext& context, const QStringList& args);

} // namespace ssq::cli

#pragma once

#include "cli/cli_context.h"

#include <QStringList>

namespace ssq::cli {

// ssq-cli [--db PATH] import FILE [--from ISSUE]: adds the draws of a history file, each stored
// as adding it by hand would store it; all of them or, on any problem, none.
int runImport(const CliContext& context, const QStringList& args);

} // namespace ssq::cli

#pragma once

#include "cli/cli_context.h"

#include <QStringList>

namespace ssq::cli {

// ssq-cli code R1 R2 R3 R4 R5 R6: the red code, the code text and the seven code digits.
int runCode(const CliContext& context, const QStringList& args);

} // namespace ssq::cli

#pragma once

#include "cli/cli_context.h"

#include <QStringList>

namespace ssq::cli {

// ssq-cli [--db PATH] check: "上期条件查错" on the saved condition set in tjbc and the newest
// draw. Prints the check's message, then the numbers of the failed conditions separated by
// blanks (an empty line when none failed).
int runCheck(const CliContext& context, const QStringList& args);

} // namespace ssq::cli

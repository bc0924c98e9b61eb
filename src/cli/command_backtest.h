#pragma once

#include "cli/cli_context.h"

#include <QStringList>

namespace ssq::cli {

// ssq-cli [--db PATH] backtest --panel FILE --last N [--hotcold-from-history]: the panel of a
// condition file judged against each of the last N stored draws, oldest first, one line each:
// ISSUE<TAB>保留|淘汰<TAB>KEPT_COUNT<TAB>FAILED (the failed condition numbers, comma-separated),
// then SUMMARY<TAB>kept draws<TAB>targets<TAB>average kept count (one decimal). The file's
// hot/cold table serves every target unless --hotcold-from-history gives each target the
// values over the draws before it. With --by-condition one line per condition in use follows, in
// condition order: CONDITION<TAB>CAPTION<TAB>ALONE_FAILED<TAB>FAILED_DRAWS<TAB>N.
// A refusal goes to standard error with exit status 3.
int runBacktest(const CliContext& context, const QStringList& args);

} // namespace ssq::cli

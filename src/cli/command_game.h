#pragma once

#include "cli/cli_context.h"

#include <QStringList>

namespace ssq::cli {

// ssq-cli game --pick "R1 … R7 B" --draws N [--seed S]: fourteen lines R<TAB>H<TAB>COUNT for
// R = 0..6 reds hit and H = 0/1 blue missed/hit.
// ssq-cli game --pick "…" --until R H [--seed S]: the number of draws it took, then the draw
// that met the target (six reds in draw order, then the blue).
// A bad pick or target: message on standard error, exit status 3.
int runGame(const CliContext& context, const QStringList& args);

} // namespace ssq::cli

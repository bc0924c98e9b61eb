#pragma once

#include "cli/cli_context.h"

#include <QStringList>

namespace ssq::cli {

// ssq-cli blue --controls FILE: runs "蓝球选号" on the inputs of a blue controls file. Prints
// Text29..Text44 on one line separated by tabs (empty fields where there is no number), then
// Text45. A bad file or a strict-list box that names no condition 0..10 is refused (status 3).
int runBlue(const CliContext& context, const QStringList& args);

} // namespace ssq::cli

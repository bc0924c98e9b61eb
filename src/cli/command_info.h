#pragma once

#include "cli/cli_context.h"

#include <QStringList>

namespace ssq::cli {

// ssq-cli [--db PATH] info: opens (or creates) the database and tells what it holds.
int runInfo(const CliContext& context, const QStringList& args);

// ssq-cli [--db PATH] drawn R1 R2 R3 R4 R5 R6: "往期开出查询" for six different reds 1..33 in
// any order; prints the window's answer ("您要查询的号已经在第7002期开出过了" or
// "您要查询的数据未曾开出"). Other numbers are refused with the window's message (exit status 3).
int runDrawn(const CliContext& context, const QStringList& args);

} // namespace ssq::cli

#pragma once

#include "cli/cli_context.h"
#include "tickets/wheel.h"

#include <QStringList>
#include <QTextStream>

namespace ssq::cli {

// ssq-cli wheel --pool "R R R …" --guarantee M:G [--bankers "R …"] [--seed S]: the tickets of a
// pool wheel, one a line "R1 R2 R3 R4 R5 R6" in ascending order, then "旋转\tTICKETS\t已验证".
// A pool outside 7..20, a guarantee outside 中3..6 保2..M, a banker not in the pool or a
// repeated number is refused (exit status 3). Needs no database.
int runWheel(const CliContext& context, const QStringList& args);

// The tickets one a line, as wheel and select --cover print them.
void printTickets(QTextStream& stream, const std::vector<RedCombo>& tickets);

// Reads a --seed value; false when it is no whole number >= 0.
bool readSeed(const QString& text, std::uint64_t* seed);

} // namespace ssq::cli

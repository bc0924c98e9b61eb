#pragma once
// A draw history file: one draw per line, oldest first, "issue r1..r6 blue [anything]" with
// commas, tabs or blanks between the fields. Issues are the program's four-character form
// (7018) or year + sequence (2007018, read as 7018).

#include "model/red_code.h"

#include <QString>

#include <optional>
#include <vector>

namespace ssq {

struct HistoryLine {
    int lineNumber = 0; // 1-based line of the file
    QString issueText;  // as written in the file
    int issue = 0;      // the stored four-character issue value
    // year * 1000 + sequence for a seven-digit issue; 0 for the four-character form, which
    // cannot tell decades apart.
    int fullIssue = 0;
    RedCombo red{};
    int blue = 0;
};

// The first draw of the decade of a seven-digit issue: 2026096 -> "2020001". A database holds
// one decade, because the four-character issue repeats every ten years.
QString decadeStart(int fullIssue);
// The stored issue of "7018" or "2007018" (7018); nullopt for any other text.
std::optional<int> storedIssueOf(const QString& text);

// Parses the whole text. The first bad line stops it: nullopt, and *error names the line
// number and the reason.
std::optional<std::vector<HistoryLine>> parseHistory(const QString& text, QString* error);

// Reads and parses a UTF-8 file line by line, in bounded memory: a file that is not a regular
// file, a line longer than any draw line, or more than 100000 draws are refused.
std::optional<std::vector<HistoryLine>> readHistoryFile(const QString& path, QString* error);

// The draws to import: those from the first line whose issue reaches `fromIssue` (empty: from
// the first line), checked to rise line by line. A file that crosses into the next decade is
// refused with the line where the order breaks and the issue to start from instead.
std::optional<std::vector<HistoryLine>> drawsToImport(const std::vector<HistoryLine>& lines,
                                                      const QString& fromIssue, QString* error);

} // namespace ssq

#pragma once
// Finds the draws in text a player copied from a web page, a results table or a message, and in
// the plain-text answers of a draw service. A draw is its issue (seven digits "2026097", also
// written "2026-097", five "26097" or the stored four "6097", with or without 第…期), then the
// six reds in any order and the blue. A date (2026-12-07, 12月07日, 12-07, 12/07), a weekday
// and a time between them are skipped, and whatever follows the blue (sales, prize figures) is
// ignored, up to another draw on the same line: an issue marked 第…期, or a seven-digit issue
// followed by seven balls. Full-width digits and punctuation read as their plain forms. A line
// without an issue is not a draw.

#include "model/red_code.h"

#include <QString>

#include <vector>

namespace ssq {

struct SourceDraw {
    int lineNumber = 0; // 1-based
    int fullIssue = 0;  // year * 1000 + sequence; 0 when the line gave the four-character form
    int storedIssue = 0;
    RedCombo red{}; // ascending
    int blue = 0;
    std::vector<int> balls; // the numbers as the line gave them, at most seven
    QString problem;        // why the line is not a valid draw; empty when it is
};

// The most text the draws are looked for in (a service's answer, a pasted file): a draw notice
// is a few kilobytes and the whole history as text a few hundred, so anything far larger is not
// one.
constexpr qint64 kMaxDrawSourceBytes = 4 * 1024 * 1024;

// The draws of every line of `text` that names an issue, in the order of the text.
std::vector<SourceDraw> parseDrawSource(const QString& text);

// The draws of one line, usually one; none when the line names no issue.
std::vector<SourceDraw> parseDrawLine(const QString& line, int lineNumber);

} // namespace ssq

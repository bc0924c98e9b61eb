#pragma once
// One line of a ticket file: "01 05 12 20 27 33 + 08" is one ticket; 7..20 reds and/or 2..16
// blues make a 复式 ticket, which stands for every single ticket it covers. A line without
// "+" carries no blue of its own. A 胆拖 line, "01 05 # 12 20 27 33 + 08" or
// "胆：01 05 拖：12 20 27 33 蓝：08", puts its 1..5 bankers on every ticket and fills each ticket
// up with drags.

#include "model/red_code.h"
#include "tickets/blue_list.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace ssq {

constexpr int kTicketPrice = 2; // 元 a single ticket
constexpr int kMaxTicketReds = 20;

struct TicketLine {
    int lineNumber = 0;       // 1-based line of its file; 0 when it did not come from one
    std::vector<int> reds;    // 6..20, ascending; the drags of a 胆拖 line
    std::vector<int> blues;   // empty (no blue of its own) or 1..16 of them, ascending
    std::vector<int> bankers; // empty, or the 1..5 bankers of a 胆拖 line, ascending
};

// Reds then optionally "+" and blues, separated by blanks, tabs or commas; every number in
// one or two digits. nullopt with the reason when the line is malformed.
std::optional<TicketLine> parseTicketLine(const QString& text, QString* reason);

// Every line of a file's text; empty lines and lines starting with "#" are skipped. The first
// malformed line stops it: nullopt, and *error names its line number.
std::optional<std::vector<TicketLine>> parseTicketText(const QString& text, QString* error);
// The same for a file read as UTF-8 line by line in bounded memory: one that is not a regular
// file, a line longer than any ticket line, or more than 200000 lines are refused. *unreadable
// (when given) tells a file that could not be opened from one with a bad line.
std::optional<std::vector<TicketLine>> readTicketFile(const QString& path, QString* error,
                                                      bool* unreadable = nullptr);

// The blues a line is checked with: its own, else `otherwise` (which may be empty: no blue).
const BlueList& bluesOf(const TicketLine& line, const BlueList& otherwise);

// Single tickets the line covers: C(reds, 6 - bankers) times its blues (at least one).
qint64 singleTicketCount(const TicketLine& line, const BlueList& otherwise = {});

// Calls `visit` with every single ticket of the line (blue 0 when there is none), reds in
// combination order, each red combination with every blue.
void forEachSingleTicket(const TicketLine& line, const BlueList& otherwise,
                         const std::function<void(const RedCombo&, int blue)>& visit);

// "01 05 12 20 27 33 + 08"; without " + 08" for blue 0.
QString singleTicketText(const RedCombo& red, int blue);

} // namespace ssq

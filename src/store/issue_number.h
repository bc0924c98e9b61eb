#pragma once
// The seven-digit issue a player knows (2026097: year 2026, draw 097) and the program's stored
// four-character issue (6097). The stored form repeats every ten years, so a database holds one
// decade; knowing that decade turns one form into the other.

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

namespace ssq {

// No year has had more draws than this; a sequence number above it is a typo.
constexpr int kMaxDrawsPerYear = 160;
// Years with draws of this game.
constexpr int kFirstDrawYear = 2003;
constexpr int kLastDrawYear = 2099;

// 2026 -> 2020.
int decadeOf(int year);
// year * 1000 + sequence: 2026097 -> year 2026, sequence 97.
int yearOfFullIssue(int fullIssue);
int sequenceOfFullIssue(int fullIssue);
// 2026097 -> 6097.
int storedIssueOfFull(int fullIssue);
// 6097 in the decade 2020 -> 2026097; 0 for a stored issue outside 0..9999.
int fullIssueOf(int storedIssue, int decadeYear);
// "2026097", or the stored issue as the program writes it when it has no seven-digit form.
QString fullIssueText(int storedIssue, int decadeYear);
// "2020—2029"
QString decadeRangeText(int decadeYear);
// What the player is told about a seven-digit issue of another decade.
QString otherDecadeMessage(int decadeYear);

// The decade of a database whose newest stored issue is `newestStored` (nullopt: none stored):
// the latest decade in which that issue's year is not after today's year, or today's decade.
int inferDecade(std::optional<int> newestStored, const QDate& today);

// An issue as a player types it: the four-character form (taken as it is) or seven digits of
// the database's decade, both turned into the stored issue. Blanks around it are ignored.
// nullopt for an empty text or one of neither form (*error empty) and for a seven-digit issue
// of another decade (*error names the database's decade).
std::optional<int> typedIssue(const QString& text, int decadeYear, QString* error);

// The question asked before storing `issue` after `newestStored`: it is more than a few draws
// ahead, or its sequence number is one no year reaches. Empty when the issue is plausible.
// `shown` writes an issue the way the player typed it.
QString implausibleIssueQuestion(int issue, std::optional<int> newestStored,
                                 const std::function<QString(int)>& shown);

} // namespace ssq

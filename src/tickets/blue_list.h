#pragma once
// A list of blue balls the player adds to red combinations: typed ("8 12", "08,12") or taken
// from the blue-ball window's result.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ssq {

// Blue balls 1..16, each once, in the order given.
using BlueList = std::vector<int>;

// Numbers separated by blanks, commas or "、"; empty text is an empty list. A number outside
// 1..16, a repeated one or anything that is not a number is refused with a message.
std::optional<BlueList> parseBlueList(const QString& text, QString* error);

// "08 12"
QString blueListText(const BlueList& blues);

// The blue balls among the texts of a result's boxes, each read by its leading number; empty
// boxes, numbers that are no blue ball and repeats are skipped.
BlueList blueListOfTexts(const QStringList& texts);

} // namespace ssq

#pragma once
// "导出选号结果": every kept combination (not only the first 5000) as tickets in a file, one a
// line, "01 05 12 20 27 33" or, with a blue list, one line per combination and blue
// "01 05 12 20 27 33 + 08"; or as CSV with a header. The file appears whole or not at all.

#include "red/selection_result.h"
#include "tickets/blue_list.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace ssq {

enum class ExportFormat { Text, Csv };

// Lines the clipboard takes at most.
constexpr int kMaxClipboardLines = 5000;

// .csv names CSV, anything else text.
ExportFormat exportFormatOf(const QString& path);

// Tickets the export writes: a result whose tickets carry their own blue (a random pick) is
// written as it is; otherwise every combination with every listed blue, or alone without one.
qint64 exportTicketCount(const SelectionResult& result, const BlueList& blues);
// "共37000注，金额74000元"
QString exportSummary(qint64 tickets);

// Told the tickets written so far and the total; returns false to give up (nothing is left).
using ExportProgress = std::function<bool(qint64 done, qint64 total)>;

// Writes through a temporary file renamed over `path` at the end. False with a message when
// it failed or was given up; `path` is then as it was before.
bool writeTicketExport(const QString& path, const SelectionResult& result, const BlueList& blues,
                       ExportFormat format, const ExportProgress& progress, QString* error);

// The text lines of the export for the clipboard; empty when there are more than `limit`.
QStringList exportLines(const SelectionResult& result, const BlueList& blues,
                        int limit = kMaxClipboardLines);

} // namespace ssq

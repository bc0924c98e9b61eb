#pragma once
// The real draw history that ships with the program, and the part of it a new database
// starts with: the newest decade in the file.

#include <QString>

#include <optional>

namespace ssq {

struct ShippedHistory {
    QString path;
    QString fromIssue; // the first draw of the newest decade, "2020001"
    QString lastIssue; // the newest draw in the file, "2026096"
    int drawCount = 0; // draws from fromIssue to lastIssue
};

// ssq-history.csv in the shipped files' folder (the program's, or the package's share folder).
QString shippedHistoryPath();

// Reads the history file at `path`; nullopt with *error when it is missing or unreadable, or
// when its newest draw has no seven-digit issue to tell its decade by.
std::optional<ShippedHistory> readShippedHistory(const QString& path, QString* error);

} // namespace ssq

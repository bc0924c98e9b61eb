#pragma once
// Reading the three draw tables back in tests, and lines of the real draw history.

#include "model/red_code.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace ssq::test {

// Every row of a table in issue order (equal issues in stored order), cells as stored.
QList<QVariantList> tableRows(QSqlDatabase db, const QString& table);
int rowCount(QSqlDatabase db, const QString& table);

// The draw lines of the real history file (no header), oldest first; empty when missing.
QStringList realHistoryLines();

struct HistoryDraw {
    QString issueText; // as in the file: 2020001
    int issue = 0;     // the four-character value: 1
    RedCombo red{};
    int blue = 0;
};

// Parsed independently of the program's importer: "2020001,r1..r6,blue,date".
HistoryDraw parseRealLine(const QString& line);
// The real draws from the line whose issue is `fromIssue` on; at most `count`.
QList<HistoryDraw> realDraws(const QString& fromIssue, int count);

} // namespace ssq::test

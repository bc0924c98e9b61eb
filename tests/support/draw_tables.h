#pragma once
// Filling and reading back the three draw tables in tests, and lines of the real draw history.

#include "model/red_code.h"
#include "store/draw_rows.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace ssq::test {

// Every row of a table in issue order (equal issues in stored order), cells as stored.
QList<QVariantList> tableRows(QSqlDatabase db, const QString& table);
int rowCount(QSqlDatabase db, const QString& table);
// The rows of kjhm, kjdm and kjzb, to compare before and after a write.
QList<QList<QVariantList>> drawTables(QSqlDatabase db);

// The draw lines of the real history file (no header), oldest first; empty when missing.
QStringList realHistoryLines();

struct HistoryDraw {
    QString issueText; // as in the file: 2020001
    int issue = 0;     // the four-character value: 1
    RedCombo red{};
    int blue = 0;

    DrawInput input() const { return {issue, red, blue}; }
};

// The real draws from the line whose issue is `fromIssue` on, at most `count`, parsed
// independently of the program's importer.
QList<HistoryDraw> realDraws(const QString& fromIssue, int count);

// Adds the draws in order through draw entry; false at the first one not written.
bool addDraws(QSqlDatabase db, const QList<DrawInput>& draws);
// Adds `count` real draws from `fromIssue` on; false unless all of them were there and written.
bool addRealDraws(QSqlDatabase db, const QString& fromIssue, int count);

} // namespace ssq::test

#pragma once
// Histories for the analysis tests: slices of the real history imported through the program's
// importer, hand-made draws, and the statistics tables read back as text.

#include "store/history_import.h"
#include "support/draw_tables.h"
#include "support/temp_database.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace ssq::test {

// `count` real draws from `fromIssue` on; false unless all were imported.
inline bool importRealDraws(TempDatabase& temp, const QString& fromIssue, int count) {
    QStringList lines;
    for (const QString& line : realHistoryLines()) {
        if (!lines.isEmpty() || line.startsWith(fromIssue + u','))
            lines.append(line);
        if (lines.size() == count)
            break;
    }
    QFile file(temp.folder() + QStringLiteral("/slice.csv"));
    if (lines.size() != count || !file.open(QIODevice::WriteOnly))
        return false;
    file.write(lines.join(u'\n').toUtf8());
    file.close();
    const ImportReport report = importHistoryFile(temp.connection(), file.fileName(), {});
    return report.ok && report.imported == count;
}

// Draw i of `count` hand-made draws holds six numbers of 1..30 in turn, so 31, 32 and 33 are
// never drawn; issues 1001 on.
inline QList<DrawInput> rotatingDraws(int count) {
    QList<DrawInput> draws;
    for (int i = 0; i < count; ++i) {
        RedCombo red{};
        for (int k = 0; k < 6; ++k)
            red[k] = (6 * i + k) % 30 + 1;
        std::sort(red.begin(), red.end());
        draws.append({1001 + i, red, 1 + i % 16});
    }
    return draws;
}

// Every cell of a table in 序号 order, as text.
inline QList<QStringList> statisticsRows(QSqlDatabase db, const QString& table) {
    QList<QStringList> rows;
    QSqlQuery q(db);
    q.exec(QStringLiteral("select * from %1 order by 序号").arg(table));
    while (q.next()) {
        QStringList row;
        for (int c = 0; c < q.record().count(); ++c)
            row.append(q.value(c).toString());
        rows.append(row);
    }
    return rows;
}

} // namespace ssq::test

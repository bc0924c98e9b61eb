#include "support/draw_tables.h"

#include "store/draw_entry.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq::test {

QList<QVariantList> tableRows(QSqlDatabase db, const QString& table) {
    QList<QVariantList> rows;
    QSqlQuery q(db);
    if (!q.exec(u"SELECT * FROM %1 ORDER BY 期号, rowid"_s.arg(table)))
        return rows;
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < q.record().count(); ++i)
            row.append(q.value(i));
        rows.append(row);
    }
    return rows;
}

int rowCount(QSqlDatabase db, const QString& table) {
    QSqlQuery q(db);
    if (!q.exec(u"SELECT count(*) FROM %1"_s.arg(table)) || !q.next())
        return -1;
    return q.value(0).toInt();
}

QList<QList<QVariantList>> drawTables(QSqlDatabase db) {
    return {tableRows(db, QStringLiteral("kjhm")), tableRows(db, QStringLiteral("kjdm")),
            tableRows(db, QStringLiteral("kjzb"))};
}

QStringList realHistoryLines() {
    QFile file(QDir(QStringLiteral(SSQ_DATA_DIR)).filePath(u"ssq-history.csv"_s));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    if (!lines.isEmpty())
        lines.removeFirst();
    return lines;
}

namespace {

// "2020001,r1..r6,blue,date"
HistoryDraw parseRealLine(const QString& line) {
    const QStringList f = line.split(u',');
    HistoryDraw d;
    d.issueText = f.value(0);
    d.issue = d.issueText.right(4).toInt();
    for (int i = 0; i < 6; ++i)
        d.red[i] = f.value(1 + i).toInt();
    d.blue = f.value(7).toInt();
    return d;
}

} // namespace

QList<HistoryDraw> realDraws(const QString& fromIssue, int count) {
    QList<HistoryDraw> draws;
    bool started = false;
    for (const QString& line : realHistoryLines()) {
        started = started || line.startsWith(fromIssue + u',');
        if (started && draws.size() < count)
            draws.append(parseRealLine(line));
    }
    return draws;
}

bool addDraws(QSqlDatabase db, const QList<DrawInput>& draws) {
    return std::ranges::all_of(draws, [&](const DrawInput& d) { return addDraw(db, d).written; });
}

bool addRealDraws(QSqlDatabase db, const QString& fromIssue, int count) {
    QList<DrawInput> inputs;
    for (const HistoryDraw& d : realDraws(fromIssue, count))
        inputs.append(d.input());
    return inputs.size() == count && addDraws(db, inputs);
}

} // namespace ssq::test

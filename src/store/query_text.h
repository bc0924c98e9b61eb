#pragma once
// Reading a record set's query text: which table it reads, and the same query with the row
// identity added so that rows can be written back.

#include <QString>

#include <optional>

namespace ssq {

struct WritableQuery {
    QString table;
    // The query with "rowid AS __rowid," as its first result column.
    QString withRowid;
};

// A plain one-table query ("select* from kjhm order by 期号 ", "select 期号,L1 from kjhm",
// "select *from lqtjbc where 编号>=1") gives its writable form; joins, grouping, DISTINCT,
// compound queries and anything not starting with select give nullopt.
std::optional<WritableQuery> writableForm(const QString& queryText);

} // namespace ssq

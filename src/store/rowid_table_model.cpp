#include "store/rowid_table_model.h"

#include "store/schema.h"

#include <QSqlField>
#include <QSqlIndex>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace ssq {

RowidTableModel::RowidTableModel(QSqlDatabase db, const QString& table, QObject* parent)
    : QSqlTableModel(parent, db) {
    setEditStrategy(QSqlTableModel::OnFieldChange);
    setTable(table);
    QSqlIndex key(table, u"rowid"_s);
    key.append(QSqlField(u"rowid"_s, QMetaType(QMetaType::LongLong), table));
    setPrimaryKey(key);
    m_tableColumns = db.record(table).count();
}

Qt::ItemFlags RowidTableModel::flags(const QModelIndex& index) const {
    if (index.isValid() && index.column() >= m_tableColumns)
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    return QSqlTableModel::flags(index);
}

// The filter is how the base class reads back one row after storing an edit.
QString RowidTableModel::selectStatement() const {
    const QString where = filter().isEmpty() ? QString() : u" WHERE "_s + filter();
    return u"SELECT *, rowid AS rowid FROM %1%2 ORDER BY \"%3\", rowid"_s.arg(tableName(), where,
                                                                              schema::kIssue);
}

} // namespace ssq

#include "store/rowid_table_model.h"

#include "store/cell_edit_rule.h"
#include "store/database.h"
#include "store/draw_entry.h"
#include "store/schema.h"

#include <QSqlError>

#include <QSqlField>
#include <QSqlIndex>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

bool isDrawTable(const QString& table) {
    return table == schema::kKjhm || table == schema::kKjdm || table == schema::kKjzb;
}

} // namespace

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

bool RowidTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() >= m_tableColumns)
        return QSqlTableModel::setData(index, value, role);
    QString problem =
        cellEditProblem(tableName(), index.column(), index.row() + 1, value.toString());
    if (problem.isEmpty())
        problem = databaseFileProblem(database());
    if (!problem.isEmpty()) {
        Q_EMIT editRefused(problem);
        return false;
    }
    const QString text = value.toString().trimmed();
    const QVariant stored =
        text.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
    if (index.column() == 0 && isDrawTable(tableName())) {
        QString why;
        if (!changeDrawIssue(database(), tableName(),
                             record(index.row()).value(u"rowid"_s).toLongLong(), stored, &why)) {
            Q_EMIT editRefused(u"修改没有保存：%1"_s.arg(why));
            return false;
        }
        // The row moves to its new place in issue order.
        select();
        return true;
    }
    if (QSqlTableModel::setData(index, stored, role))
        return true;
    const QString why = storeErrorText(lastError());
    // The base class keeps the refused value as a pending change; the grid shows the file again.
    revertAll();
    Q_EMIT editRefused(u"修改没有保存：%1"_s.arg(why));
    return false;
}

// The filter is how the base class reads back one row after storing an edit.
QString RowidTableModel::selectStatement() const {
    const QString where = filter().isEmpty() ? QString() : u" WHERE "_s + filter();
    return u"SELECT *, rowid AS rowid FROM %1%2 ORDER BY \"%3\", rowid"_s.arg(tableName(), where,
                                                                              schema::kIssue);
}

} // namespace ssq

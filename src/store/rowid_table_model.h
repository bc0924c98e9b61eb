#pragma once
// An editable grid model over one draw table, in issue order. The draw tables have no key, so
// rows are found by SQLite's rowid (selected as a last, read-only column): editing or deleting
// one of two identical rows touches only that one. Each edit is stored at once; an edit the
// column cannot hold, or one the file does not take, is refused and told through editRefused.
// An edit of 期号 renumbers the draw in kjhm, kjdm and kjzb together (changeDrawIssue).

#include <QSqlTableModel>

namespace ssq {

class RowidTableModel : public QSqlTableModel {
    Q_OBJECT
public:
    RowidTableModel(QSqlDatabase db, const QString& table, QObject* parent = nullptr);

    // The columns of the table itself; the rowid column follows them.
    int tableColumnCount() const { return m_tableColumns; }

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // The message for the user; the file is unchanged.
    void editRefused(const QString& message);

protected:
    QString selectStatement() const override;

private:
    int m_tableColumns = 0;
};

} // namespace ssq

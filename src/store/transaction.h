#pragma once
// Makes a group of writes all-or-nothing: rolls back unless commit() succeeded. It holds the
// write lock from the start (BEGIN IMMEDIATE), so checks made inside it stay true until the
// commit. It does not begin when the database file is no longer the one that was opened
// (deleted or replaced while the program runs), because SQLite would go on writing into the
// vanished file.

#include <QSqlDatabase>
#include <QString>

namespace ssq {

class Transaction {
public:
    explicit Transaction(QSqlDatabase db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool active() const { return m_active; }
    bool commit();
    // Why the transaction did not begin or commit, for the user.
    QString failure() const { return m_failure; }

private:
    QSqlDatabase m_db;
    bool m_active = false;
    QString m_failure;
};

} // namespace ssq

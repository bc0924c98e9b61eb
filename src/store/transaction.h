#pragma once
// Makes a group of writes all-or-nothing: rolls back unless commit() succeeded.

#include <QSqlDatabase>

namespace ssq {

class Transaction {
public:
    explicit Transaction(QSqlDatabase db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool active() const { return m_active; }
    bool commit();

private:
    QSqlDatabase m_db;
    bool m_active = false;
};

} // namespace ssq

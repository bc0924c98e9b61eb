#include "store/transaction.h"

namespace ssq {

Transaction::Transaction(QSqlDatabase db) : m_db(db) {
    m_active = m_db.isOpen() && m_db.transaction();
}

Transaction::~Transaction() {
    if (m_active)
        m_db.rollback();
}

bool Transaction::commit() {
    if (!m_active)
        return false;
    if (!m_db.commit())
        return false;
    m_active = false;
    return true;
}

} // namespace ssq

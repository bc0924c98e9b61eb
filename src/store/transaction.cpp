#include "store/transaction.h"

#include "store/database.h"

using namespace Qt::StringLiterals;

namespace ssq {

Transaction::Transaction(QSqlDatabase db) : m_db(db) {
    m_failure = databaseFileProblem(m_db);
    if (!m_failure.isEmpty())
        return;
    if (!m_db.isOpen()) {
        m_failure = u"数据库没有打开"_s;
        return;
    }
    m_active = m_db.transaction();
    if (!m_active)
        m_failure = storeErrorText(m_db.lastError());
}

Transaction::~Transaction() {
    if (m_active)
        m_db.rollback();
}

bool Transaction::commit() {
    if (!m_active)
        return false;
    if (!m_db.commit()) {
        m_failure = storeErrorText(m_db.lastError());
        return false;
    }
    m_active = false;
    return true;
}

} // namespace ssq

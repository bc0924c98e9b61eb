#include "store/transaction.h"

#include "store/database.h"

#include <QSqlError>
#include <QSqlQuery>

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
    // The write lock is taken at the start, so what the caller reads inside the transaction is
    // what it writes against: no other connection can commit in between.
    QSqlQuery begin(m_db);
    if (!begin.exec(u"BEGIN IMMEDIATE"_s)) {
        m_failure = storeErrorText(begin.lastError());
        return;
    }
    m_active = true;
    // Maintenance swaps the file while holding this lock; a connection that waited for it is
    // still on the old file, and whatever it wrote there would be lost.
    m_failure = databaseFileProblem(m_db);
    if (!m_failure.isEmpty()) {
        m_db.rollback();
        m_active = false;
    }
}

Transaction::~Transaction() {
    if (m_active)
        m_db.rollback();
}

bool Transaction::commit() {
    if (!m_active)
        return false;
    // COMMIT as a statement: its error carries SQLite's code (the driver's own commit gives only
    // an English text).
    QSqlQuery commit(m_db);
    if (!commit.exec(u"COMMIT"_s)) {
        m_failure = storeErrorText(commit.lastError());
        return false;
    }
    m_active = false;
    return true;
}

} // namespace ssq

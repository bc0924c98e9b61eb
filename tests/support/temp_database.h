#pragma once
// A fresh ssq.mdb in its own temporary folder, opened, for one test; gone with the object.

#include "store/database.h"

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace ssq::test {

class TempDatabase {
public:
    TempDatabase();

    // False when the folder or the database could not be made; error() says why.
    bool isValid() const { return m_db != nullptr && m_db->isOpen(); }
    QString error() const { return m_error; }

    QString folder() const { return m_dir.path(); }
    QString path() const;
    Database& database() { return *m_db; }
    QSqlDatabase connection() const { return m_db->connection(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
    QString m_error;
};

} // namespace ssq::test

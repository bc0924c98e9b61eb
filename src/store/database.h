#pragma once
// The database file ssq.mdb: opens it, creates it with every table and its shipped rows when
// it is missing, and refuses a file that is not a database of this program without touching it.

#include <QSqlDatabase>
#include <QString>

namespace ssq {

class Database {
public:
    explicit Database(QString path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The program's folder (the executable's) + "/ssq.mdb".
    static QString defaultPath();

    // Opens (creating when missing). On failure returns false and sets a Chinese message that
    // names the file.
    bool open(QString* error);
    void close();
    bool isOpen() const;

    QString path() const { return m_path; }
    QSqlDatabase connection() const;

private:
    QString m_path;
    QString m_connectionName;
};

} // namespace ssq

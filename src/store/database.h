#pragma once
// The database file ssq.mdb: opens it, creates it with every table and its shipped rows when
// it is missing, and refuses a file that is not a database of this program without touching it.

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

namespace ssq {

class Database {
public:
    // Why a file could not be opened; decides what the user is offered at start-up.
    enum class Failure {
        None,
        Missing,      // no such file (only from check())
        CannotCreate, // missing, and it could not be made
        Foreign,      // not a database of this program
        Damaged,      // an SQLite file that cannot be read
        Unreadable,   // a folder, or no permission to read
        Locked,       // another program holds it
        ReadOnly,     // readable, not writable
    };

    explicit Database(QString path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // ssq.mdb in the data folder appPaths() decides: the program's folder, or the player's
    // data folder when the program is installed.
    static QString defaultPath();

    // Opens (creating when missing). On failure returns false and sets a Chinese message that
    // names the file.
    bool open(QString* error);
    // Why the last open() failed; None after a successful one.
    Failure failure() const { return m_failure; }

    // Judges an existing file read-only, without creating, repairing or locking it for writing:
    // None when it is a complete database of this program.
    static Failure check(const QString& path, QString* error = nullptr);
    // The same judgement through SQLite alone, for a file this process holds a lock on: closing
    // a plain handle on the file would drop every lock the process holds on it.
    static Failure checkLocked(const QString& path, QString* error = nullptr);
    void close();
    bool isOpen() const;

    QString path() const { return m_path; }
    QSqlDatabase connection() const;

private:
    QString m_path;
    QString m_connectionName;
    Failure m_failure = Failure::None;
};

// Whether `path` is (by identity, whatever the name) the file or the journal of a database the
// program has open.
bool isOpenDatabaseFile(const QString& path);

// Whether the file begins as every SQLite database does.
bool hasSqliteHeader(const QString& path);

// The refusal of a database file that is read-only, naming it.
QString readOnlyDatabaseMessage(const QString& path);

// Empty while the file a connection of Database was opened on is still at its path; otherwise
// what happened to it (deleted, moved, replaced), for the user. Empty for other connections.
QString databaseFileProblem(const QSqlDatabase& connection);

// What a failure of the store means for the user, in their words: a locked file, a full disk,
// a file that was replaced or damaged. Other failures keep SQLite's own text.
QString storeErrorText(const QSqlError& error);

// A field of the user's input as an error message quotes it: at most a few dozen characters, then
// "…", control characters (a NUL byte included) shown as blanks, so a huge or binary field
// cannot flood the message.
QString quotedField(const QString& text);

} // namespace ssq

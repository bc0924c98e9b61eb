#pragma once
// Reading the files a user picks (draw histories, ticket lists) in bounded memory: only a regular
// file is opened (a device or a pipe may never end, and opening a pipe waits for a writer), it is
// read one line at a time, and a line longer than any line of ours stops the reading.

#include <QFile>
#include <QString>

namespace ssq {

// Opens `path` for reading when it is a regular file. False otherwise, with *error set from
// `cannotOpen` (%1 the path) and the reason.
bool openRegularFile(QFile& file, const QString& path, const QString& cannotOpen, QString* error);

class TextFileLines {
public:
    // Longer lines are refused; every line of our formats is far shorter.
    static constexpr qint64 kMaxLineBytes = 4096;

    // Opens the file as openRegularFile() does.
    bool open(const QString& path, const QString& cannotOpen, QString* error);

    // The next line as UTF-8 text without its line end; false at the end of the file, after a
    // line that is too long, or when reading fails (then *error is set, naming the line).
    bool next(QString* line, QString* error);
    // 1-based number of the line next() gave last.
    int lineNumber() const { return m_lineNumber; }

private:
    QFile m_file;
    int m_lineNumber = 0;
};

} // namespace ssq

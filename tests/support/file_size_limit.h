#pragma once
// A full disk on any machine: a limit on the size of the files this process (or a child) writes.
// With SIGXFSZ ignored, a write past it fails with EFBIG, and one that crosses it is cut short,
// which SQLite reports as a full disk.

#include <QtGlobal>

namespace ssq::test {

class FileSizeLimit {
public:
    // Limits this process's writes until the object goes.
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // For QProcess::setChildProcessModifier: limits the child before it runs, with SIGXFSZ back
    // to its default so the program itself has to handle it.
    static void applyInChild(qint64 bytes);

private:
    void (*m_handler)(int) = nullptr;
    quint64 m_previous = 0;
    bool m_set = false;
};

} // namespace ssq::test

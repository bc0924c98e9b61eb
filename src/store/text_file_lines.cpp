#include "store/text_file_lines.h"

#include "store/output_target.h"

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace ssq {

bool openRegularFile(QFile& file, const QString& path, const QString& cannotOpen, QString* error) {
#ifdef Q_OS_UNIX
    // Without blocking, so opening a FIFO does not wait for a writer; then only a regular file
    // is taken.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const QString systemReason = QString::fromLocal8Bit(std::strerror(errno));
        // Qt words the reason in the user's language: the same open fails again through QFile.
        file.setFileName(path);
        const QString reason = file.open(QIODevice::ReadOnly) ? systemReason : file.errorString();
        file.close();
        if (error)
            *error = u"%1：%2"_s.arg(cannotOpen.arg(path), fileErrorText(reason));
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        if (error)
            *error = u"%1：它不是普通文件"_s.arg(cannotOpen.arg(path));
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        if (error)
            *error = u"%1：%2"_s.arg(cannotOpen.arg(path), file.errorString());
        return false;
    }
    return true;
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = u"%1：%2"_s.arg(cannotOpen.arg(path), file.errorString());
        return false;
    }
    return true;
#endif
}

bool TextFileLines::open(const QString& path, const QString& cannotOpen, QString* error) {
    m_lineNumber = 0;
    return openRegularFile(m_file, path, cannotOpen, error);
}

bool TextFileLines::next(QString* line, QString* error) {
    if (!m_file.isOpen() || m_file.atEnd())
        return false;
    QByteArray bytes = m_file.readLine(kMaxLineBytes + 2);
    ++m_lineNumber;
    if (bytes.isEmpty() && m_file.error() != QFileDevice::NoError) {
        *error = u"读取第%1行时出错：%2"_s.arg(m_lineNumber).arg(m_file.errorString());
        return false;
    }
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    else if (bytes.size() > kMaxLineBytes) {
        *error = u"第%1行太长（超过%2个字节），这不是本程序能读的文件"_s.arg(m_lineNumber)
                     .arg(kMaxLineBytes);
        return false;
    }
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    *line = QString::fromUtf8(bytes);
    return true;
}

} // namespace ssq

#include "store/store_error.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq {

QString storeErrorText(const QSqlError& error) {
    bool isNumber = false;
    // Extended result codes keep the primary code in their low byte.
    const int extended = error.nativeErrorCode().toInt(&isNumber);
    const int code = extended & 0xff;
    const QString detail = error.text().trimmed();
    if (!isNumber)
        return detail.isEmpty() ? u"数据库操作失败"_s : detail;
    switch (code) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return u"数据库文件正被其他程序使用（已锁定），请关闭使用它的程序后再试"_s;
    case 8: // SQLITE_READONLY
        return u"数据库文件是只读的，无法写入"_s;
    case 10: // SQLITE_IOERR
        // A write the system refused: on a local file a full disk or a file-size limit (EFBIG).
        if (extended == 778) // SQLITE_IOERR_WRITE
            return u"写入数据库文件时出错（磁盘已满，或文件超过了系统允许的大小）"_s;
        return u"读写数据库文件时出错（%1）"_s.arg(detail);
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return u"数据库文件已损坏，或已被换成了别的文件（%1）"_s.arg(detail);
    case 13: // SQLITE_FULL
        return u"磁盘已满，数据库文件无法写入"_s;
    case 14: // SQLITE_CANTOPEN
        return u"无法打开数据库文件（%1）"_s.arg(detail);
    default:
        return detail.isEmpty() ? u"数据库操作失败"_s : detail;
    }
}

QString quotedField(const QString& text) {
    constexpr qsizetype kMaxShown = 32;
    qsizetype length = std::min(text.size(), kMaxShown);
    if (length < text.size() && text[length - 1].isHighSurrogate())
        --length;
    QString shown = text.left(length);
    for (QChar& c : shown) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u' ';
    }
    if (length < text.size())
        shown += u'…';
    return shown;
}

} // namespace ssq

#include "store/store_error.h"

using namespace Qt::StringLiterals;

namespace ssq {

QString storeErrorText(const QSqlError& error) {
    bool isNumber = false;
    // Extended result codes keep the primary code in their low byte.
    const int code = error.nativeErrorCode().toInt(&isNumber) & 0xff;
    const QString detail = error.text().trimmed();
    if (!isNumber)
        return detail.isEmpty() ? u"数据库操作失败"_s : detail;
    // SQLite's own texts are English: the player reads what the code means, and the code.
    const QString numbered = u"（SQLite 错误码 %1）"_s.arg(code);
    switch (code) {
    case 1: // SQLITE_ERROR: a statement the file's tables cannot run; its text names them
        return detail.isEmpty() ? u"数据库语句执行出错"_s + numbered
                                : u"数据库语句执行出错（%1）"_s.arg(detail);
    case 2: // SQLITE_INTERNAL
        return u"数据库程序内部出错"_s + numbered;
    case 3:  // SQLITE_PERM
    case 23: // SQLITE_AUTH
        return u"没有访问数据库文件的权限"_s + numbered;
    case 4: // SQLITE_ABORT
    case 9: // SQLITE_INTERRUPT
        return u"数据库操作被中止"_s + numbered;
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return u"数据库文件正被其他程序使用（已锁定），请关闭使用它的程序后再试"_s;
    case 7: // SQLITE_NOMEM
        return u"内存不足，数据库操作无法完成"_s + numbered;
    case 8: // SQLITE_READONLY
        return u"数据库文件是只读的，无法写入"_s;
    case 10: // SQLITE_IOERR
        return u"读写数据库文件时出错，请检查磁盘"_s + numbered;
    case 11: // SQLITE_CORRUPT
        return u"数据库文件已损坏，或已被换成了别的文件（文件内容不完整）"_s + numbered;
    case 26: // SQLITE_NOTADB
        return u"数据库文件已损坏，或已被换成了别的文件（不是数据库文件）"_s + numbered;
    case 13: // SQLITE_FULL
        return u"磁盘已满，数据库文件无法写入"_s;
    case 14: // SQLITE_CANTOPEN
        return u"无法打开数据库文件，请检查文件和文件夹是否存在、能否访问"_s + numbered;
    case 15: // SQLITE_PROTOCOL
        return u"数据库文件的锁定出错，请稍后再试"_s + numbered;
    case 17: // SQLITE_SCHEMA
        return u"数据库的表结构在操作中被改动了，请再试一次"_s + numbered;
    case 18: // SQLITE_TOOBIG
        return u"数据太大，数据库无法保存"_s + numbered;
    case 19: // SQLITE_CONSTRAINT
        return u"数据不符合数据库的约束（例如重复的记录）"_s + numbered;
    case 20: // SQLITE_MISMATCH
        return u"数据类型与数据库的列不符"_s + numbered;
    default:
        return u"数据库操作失败"_s + numbered;
    }
}

} // namespace ssq

#include "store/database_recovery.h"

#include "store/database.h"
#include "store/maintenance.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

} // namespace

RecoveryOffer recoveryOffer(const Database& db, const QString& error, const QString& backupFolder) {
    RecoveryOffer offer;
    offer.reason = error;
    const Database::Failure failure = db.failure();
    if (failure != Database::Failure::Foreign && failure != Database::Failure::Damaged)
        return offer;
    offer.canStartEmpty = true;
    offer.backupPath = backupFilePath(backupFolder);
    offer.canRestore = Database::check(offer.backupPath) == Database::Failure::None;
    return offer;
}

QString moveAside(const QString& path, QString* error) {
    const QFileInfo info(path);
    const QString stem = u"%1-无法使用-%2"_s.arg(
        info.completeBaseName(), QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s));
    QString target = info.dir().filePath(stem + u".mdb"_s);
    for (int n = 2; QFileInfo::exists(target) || QFileInfo::exists(target + u"-journal"_s); ++n)
        target = info.dir().filePath(u"%1-%2.mdb"_s.arg(stem).arg(n));
    // The journal goes first: left behind, it would be played back into the new file.
    const QString journal = path + u"-journal"_s;
    if ((QFileInfo::exists(journal) && !QFile::rename(journal, target + u"-journal"_s)) ||
        !QFile::rename(path, target)) {
        *error = u"无法把“%1”改名为“%2”"_s.arg(shown(path), shown(target));
        return {};
    }
    return target;
}

RecoveryStep recover(Database& db, RecoveryChoice choice, const QString& backupFolder) {
    switch (choice) {
    case RecoveryChoice::Quit:
        return {};
    case RecoveryChoice::RestoreBackup: {
        // The bad file steps aside first, so the restore never replaces it.
        QString error;
        const QString kept = moveAside(db.path(), &error);
        if (kept.isEmpty())
            return {false, error + u"，数据库没有替换。"_s};
        const Outcome restored = restoreFromBackup(db, backupFolder);
        if (!restored.ok) {
            db.close();
            if (!QFileInfo::exists(db.path()))
                QFile::rename(kept, db.path());
            return {false, restored.message};
        }
        return {db.isOpen(),
                u"%1。原来的数据库文件已改名为“%2”保存。"_s.arg(restored.message, shown(kept))};
    }
    case RecoveryChoice::StartEmpty: {
        QString error;
        const QString kept = moveAside(db.path(), &error);
        if (kept.isEmpty())
            return {false, error + u"，程序没有新建数据库。"_s};
        if (!db.open(&error))
            return {false, u"原来的数据库文件已改名为“%1”，但无法新建数据库：%2"_s.arg(shown(kept),
                                                                                       error)};
        return {true,
                u"原来的数据库文件已改名为“%1”保存，程序已新建一个空的数据库。"_s.arg(shown(kept))};
    }
    }
    return {};
}

bool openWithRecovery(Database& db, const QString& backupFolder, const RecoveryChooser& choose,
                      const RecoveryTeller& tell) {
    QString error;
    while (!db.open(&error)) {
        const RecoveryOffer offer = recoveryOffer(db, error, backupFolder);
        if (!offer.any()) {
            tell(error, true);
            return false;
        }
        const RecoveryChoice choice = choose(offer);
        if (choice == RecoveryChoice::Quit)
            return false;
        const RecoveryStep step = recover(db, choice, backupFolder);
        tell(step.message, !step.opened);
        if (step.opened)
            return true;
    }
    return true;
}

} // namespace ssq

#include "store/backup_folder.h"

#include "model/leading_number_text.h"
#include "ui/app_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace ssq {

QString defaultBackupFolder() {
    const QString name = u"Ravelko数据库备份"_s;
    if (appPaths().inPlayerFolder)
        return QDir(appPaths().dataFolder).filePath(name);
#ifdef Q_OS_WIN
    return u"e:\\"_s + name;
#else
    return QDir::home().filePath(name);
#endif
}

namespace {

QString& chosenBackupFolder() {
    static QString folder;
    return folder;
}

} // namespace

QString backupFolder() {
    if (!chosenBackupFolder().isEmpty())
        return chosenBackupFolder();
    const QString fromEnvironment = qEnvironmentVariable("SSQ_BACKUP_DIR");
    return fromEnvironment.isEmpty() ? defaultBackupFolder() : fromEnvironment;
}

void setBackupFolder(const QString& folder) {
    chosenBackupFolder() = folder;
}

QString backupFilePath(const QString& folder) {
    return QDir(folder).filePath(u"ssq1.mdb"_s);
}

namespace {

const QString kDatedPrefix = u"ssq-备份-"_s;
const QString kDateFormat = u"yyyyMMdd-HHmmss"_s;

// The time a dated backup's name gives, and its place among backups of the same second (the
// "-2" of a second one); an invalid time for any other file.
std::pair<QDateTime, int> datedBackupTime(const QString& fileName) {
    if (!fileName.startsWith(kDatedPrefix) || !fileName.endsWith(u".mdb"_s))
        return {};
    const QString stamp = fileName.mid(kDatedPrefix.size(), kDateFormat.size());
    const QString rest = fileName.mid(kDatedPrefix.size() + kDateFormat.size());
    int place = 1;
    if (rest != u".mdb"_s) {
        bool ok = false;
        place = rest.startsWith(u'-') ? rest.mid(1, rest.size() - 5).toInt(&ok) : 0;
        if (!ok)
            return {};
    }
    return {QDateTime::fromString(stamp, kDateFormat), place};
}

} // namespace

QString datedBackupPath(const QString& folder, const QDateTime& made) {
    const QString stem = kDatedPrefix + made.toString(kDateFormat);
    QString path = QDir(folder).filePath(stem + u".mdb"_s);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(folder).filePath(u"%1-%2.mdb"_s.arg(stem).arg(n));
    return path;
}

int pruneBackups(const QString& folder) {
    // A name dated after now (a clock once wrong, a copy from another machine) would count as
    // the newest for ever and push every real backup out; such a file is neither counted nor
    // removed.
    const QDateTime now = QDateTime::currentDateTime().addSecs(60);
    const QString newest = QFileInfo(backupFilePath(folder)).absoluteFilePath();
    int kept = 0;
    int removed = 0;
    for (const BackupFile& backup : listBackups(folder)) {
        if (backup.path == newest || backup.made > now || kept < kBackupsKept) {
            kept += backup.made > now ? 0 : 1;
            continue;
        }
        // Only dated backups made by this program come this far (listBackups reads their
        // names).
        removed += QFile::remove(backup.path) ? 1 : 0;
        QFile::remove(backup.path + u"-journal"_s);
    }
    return removed;
}

QList<BackupFile> listBackups(const QString& folder) {
    QList<std::pair<BackupFile, int>> found;
    const QDir dir(folder);
    for (const QFileInfo& file : dir.entryInfoList({kDatedPrefix + u"*.mdb"_s}, QDir::Files)) {
        const auto [made, place] = datedBackupTime(file.fileName());
        if (made.isValid())
            found.append({{file.absoluteFilePath(), made}, place});
    }
    // Newest first; of two made in one second the later ("-2") first.
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first.made != b.first.made ? a.first.made > b.first.made : a.second > b.second;
    });
    QList<BackupFile> dated;
    for (const auto& [backup, place] : found)
        dated.append(backup);
    const QFileInfo newest(backupFilePath(folder));
    if (newest.exists())
        dated.prepend({newest.absoluteFilePath(), newest.lastModified()});
    return dated;
}

QStringList numberedBackupLines(const QList<BackupFile>& backups) {
    QStringList lines;
    for (qsizetype i = 0; i < backups.size(); ++i)
        lines.append(u"%1. %2"_s.arg(i + 1).arg(backupLine(backups[i])));
    return lines;
}

QString chosenBackup(const QList<BackupFile>& backups, const QString& answer, QString* error) {
    if (backups.isEmpty()) {
        *error = u"备份文件夹中没有备份，数据库没有替换。请先备份数据库。"_s;
        return {};
    }
    bool ok = false;
    const int n = normalizedDigits(answer).trimmed().toInt(&ok);
    if (!ok || n < 1 || n > backups.size()) {
        *error = u"没有序号为“%1”的备份（请输入1到%2），数据库没有替换。"_s.arg(answer.trimmed())
                     .arg(backups.size());
        return {};
    }
    return backups[n - 1].path;
}

QString backupLine(const BackupFile& backup) {
    return backup.made.toString(u"yyyy-MM-dd HH:mm:ss"_s) + u"  "_s +
           QFileInfo(backup.path).fileName();
}

} // namespace ssq

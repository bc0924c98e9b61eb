#include "ui/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// The package's name: its share folder and the player's data folder are named after it. Both
// programs use it, whatever their executables are called.
QString packageName() {
    return u"ravelko"_s;
}

} // namespace

AppPaths decideAppPaths(const AppPathFacts& facts) {
    const bool installed = !facts.packageShareFolder.isEmpty();
    AppPaths paths;
    paths.inPlayerFolder = installed || !facts.programFolderWritable;
    paths.dataFolder = paths.inPlayerFolder ? facts.playerDataFolder : facts.programFolder;
    paths.shippedFolder = installed ? facts.packageShareFolder : facts.programFolder;
    return paths;
}

bool folderIsWritable(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

AppPathFacts appPathFacts(const QString& programFolder, const QString& playerDataFolder) {
    AppPathFacts facts;
    facts.programFolder = programFolder;
    facts.programFolderWritable = folderIsWritable(programFolder);
    const QString share =
        QDir::cleanPath(QDir(programFolder).filePath(u"../share/"_s + packageName()));
    if (QFileInfo(share).isDir())
        facts.packageShareFolder = share;
    facts.playerDataFolder = playerDataFolder;
    return facts;
}

const AppPaths& appPaths() {
    static const AppPaths paths = [] {
        const QString playerFolder =
            QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
                .filePath(packageName());
        const AppPaths decided =
            decideAppPaths(appPathFacts(QCoreApplication::applicationDirPath(), playerFolder));
        // Created on first start; when that fails, opening the database says so by name.
        if (decided.inPlayerFolder)
            QDir().mkpath(decided.dataFolder);
        return decided;
    }();
    return paths;
}

} // namespace ssq

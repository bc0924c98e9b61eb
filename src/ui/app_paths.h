#pragma once
// Where the program keeps its files; both programs ask here.
//
// Run from a folder it can write to (the build folder, a copied folder), everything stays beside
// the executable: ssq.mdb, the shipped history, the help pages, the animation. Installed (the
// executable in <prefix>/bin with <prefix>/share/ravelko beside it) or in a folder it cannot
// write to, the database and its backup folder live in the player's data folder
// (~/.local/share/ravelko), and the shipped files are read from the package's share folder.
// An installed program never writes beside itself, even when run by root, who could.

#include <QString>

namespace ssq {

// What the decision depends on, gathered from the running program or given by a test.
struct AppPathFacts {
    QString programFolder; // the executable's folder
    bool programFolderWritable = false;
    QString packageShareFolder; // <programFolder>/../share/ravelko when it exists, else empty
    QString playerDataFolder;   // ~/.local/share/ravelko
};

struct AppPaths {
    QString dataFolder;          // ssq.mdb
    QString shippedFolder;       // ssq-history.csv, help/, ssq.gif
    bool inPlayerFolder = false; // the data lives in the player's folder, not the program's
};

AppPaths decideAppPaths(const AppPathFacts& facts);

// The facts about a program in `programFolder` whose player's data folder is `playerDataFolder`.
AppPathFacts appPathFacts(const QString& programFolder, const QString& playerDataFolder);

// Whether files can be created in `folder` (as the current user: root can write almost anywhere).
bool folderIsWritable(const QString& folder);

// The running program's paths, decided once; the player's data folder is created when chosen.
const AppPaths& appPaths();

} // namespace ssq

#pragma once
// Saving and loading the small settings files the user keeps (conditions, blue controls): a save
// replaces the file whole or not at all, and a load refuses a file too large to be one of ours
// before reading it into memory.

#include <QByteArray>
#include <QString>

#include <optional>

namespace ssq {

// Writes bytes to path through a temporary file. A database file is never a target (see
// outputTargetProblem). On failure the old file stays as it was and *error (when given) is
// `failure` with %1 replaced by the path and %2, when it has one, by the system's reason in the
// user's words; without %2 the reason follows only when the disk or a size limit stopped it.
bool saveSmallFile(const QString& path, const QByteArray& bytes, const QString& failure,
                   QString* error);

struct SmallFileLimits {
    qint64 maxBytes = 0;
    QString cannotOpen; // %1 is the path
    QString tooLarge;   // %1 is the path
};

// The whole content of path; nullopt with *error (when given) set from `limits` when it cannot be
// opened or is not a regular file (a device or a pipe), with the reason after a colon, or is
// larger than limits.maxBytes. At most one byte past the limit is read.
std::optional<QByteArray> loadSmallFile(const QString& path, const SmallFileLimits& limits,
                                        QString* error);

} // namespace ssq

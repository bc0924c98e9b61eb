#include "store/small_file.h"

#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace ssq {

bool saveSmallFile(const QString& path, const QByteArray& bytes, const QString& failure,
                   QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = failure.contains(u"%2"_s) ? failure.arg(path, file.errorString())
                                               : failure.arg(path);
        return false;
    }
    return true;
}

std::optional<QByteArray> loadSmallFile(const QString& path, const SmallFileLimits& limits,
                                        QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = limits.cannotOpen.arg(path);
        return std::nullopt;
    }
    if (file.size() > limits.maxBytes) {
        if (error)
            *error = limits.tooLarge.arg(path);
        return std::nullopt;
    }
    return file.readAll();
}

} // namespace ssq

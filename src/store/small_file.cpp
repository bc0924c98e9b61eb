#include "store/small_file.h"

#include "store/output_target.h"
#include "store/text_file_lines.h"

#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace ssq {

bool saveSmallFile(const QString& path, const QByteArray& bytes, const QString& failure,
                   QString* error) {
    const QString problem = outputTargetProblem(path);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = failure.contains(u"%2"_s)
                         ? failure.arg(path, fileErrorText(file.errorString()))
                         : writeFailureText(failure.arg(path), file.errorString());
        return false;
    }
    return true;
}

std::optional<QByteArray> loadSmallFile(const QString& path, const SmallFileLimits& limits,
                                        QString* error) {
    QFile file;
    if (!openRegularFile(file, path, limits.cannotOpen, error))
        return std::nullopt;
    // One byte past the limit tells a file that grew after it was measured.
    QByteArray bytes = file.read(limits.maxBytes + 1);
    if (bytes.size() > limits.maxBytes) {
        if (error)
            *error = limits.tooLarge.arg(path);
        return std::nullopt;
    }
    return bytes;
}

} // namespace ssq

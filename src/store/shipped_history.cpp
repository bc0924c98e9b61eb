#include "store/shipped_history.h"

#include "store/history_file.h"
#include "ui/app_paths.h"

#include <QDir>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq {

QString shippedHistoryPath() {
    return QDir(appPaths().shippedFolder).filePath(u"ssq-history.csv"_s);
}

std::optional<ShippedHistory> readShippedHistory(const QString& path, QString* error) {
    QString ignored;
    QString& message = error ? *error : ignored;
    const std::optional<std::vector<HistoryLine>> lines = readHistoryFile(path, &message);
    if (!lines)
        return std::nullopt;
    if (lines->empty() || lines->back().fullIssue == 0) {
        message = u"开奖数据文件“%1”中没有七位期号的开奖数据，无法确定最新的年代。"_s.arg(
            QDir::toNativeSeparators(path));
        return std::nullopt;
    }
    const HistoryLine& newest = lines->back();
    ShippedHistory shipped;
    shipped.path = path;
    shipped.fromIssue = decadeStart(newest.fullIssue);
    shipped.lastIssue = newest.issueText;
    const int from = shipped.fromIssue.toInt();
    shipped.drawCount =
        int(std::count_if(lines->begin(), lines->end(),
                          [from](const HistoryLine& l) { return l.fullIssue >= from; }));
    return shipped;
}

} // namespace ssq

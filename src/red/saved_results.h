#pragma once
// The saved selection results in hmbc: five combination texts per row under the result number
// of the row's first one (1, 6, 11, ...), after a first row that is always kept.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

namespace ssq {

constexpr int kMaxSavedResults = 5000;
constexpr int kResultsPerRow = 5;

// Text of kept combination i, 0-based.
using ResultText = std::function<QString(int)>;

struct SaveOutcome {
    bool saved = false;
    QString message; // for the user, success or not
};

// Shown before saving starts.
QString savePreparationMessage();

// Replaces every saved row of hmbc by `count` results in one transaction: more than 5000 are
// refused, and a failure leaves hmbc as it was.
SaveOutcome saveResults(QSqlDatabase db, int count, const ResultText& textAt);

struct SavedResults {
    QStringList texts;   // the saved combinations in result order, up to the first empty place
    int recordCount = 0; // rows of hmbc, the kept first row included
    QString error;       // non-empty when hmbc could not be read
};

SavedResults loadSavedResults(QSqlDatabase db);

// "所选号码保存完毕，共保存7注": the window's answer to a save (ssq-cli keeps the bare first part).
QString savedCountMessage(int count);

// "(您总共选出了7注号码)"
QString savedCountText(int count);

} // namespace ssq

#pragma once
// The saved selection results in hmbc: five combination texts per row under the result number
// of the row's first one (1, 6, 11, ...), after a first row that is always kept.

#include "ui/outcome.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

namespace ssq {

constexpr int kMaxSavedResults = 5000;
constexpr int kResultsPerRow = 5;

// Text of kept combination i, 0-based.
using ResultText = std::function<QString(int)>;

// Shown before saving starts.
QString savePreparationMessage();

// Replaces every saved row of hmbc by `count` results in one transaction: more than 5000 are
// refused, and so is none at all (it would only empty the saved list); a failure leaves hmbc as it
// was.
Outcome saveResults(QSqlDatabase db, int count, const ResultText& textAt);

struct SavedResults {
    QStringList texts;   // the saved combinations in result order, up to the first empty place
    int recordCount = 0; // rows of hmbc, the kept first row included
    QString error;       // non-empty when hmbc could not be read
};

SavedResults loadSavedResults(QSqlDatabase db);

// "(您总共选出了7注号码)"
QString savedCountText(int count);

// The main window's drop-down list of results: the first 5000 kept combinations.
constexpr int kMaxListedResults = 5000;

struct ResultListing {
    QStringList items;
    QString message;
};

ResultListing listResults(int count, const ResultText& textAt);

// Paging of the saved results in the results window: 30 rows of five, 150 results a page.
class ResultsPaging {
public:
    static constexpr int kPageSpan = 150;

    // Query of the first page; the page position becomes 150.
    QString firstPage();
    // Query of the page after the position; it goes on past the last saved row.
    QString nextPage();
    static QString allResults();

    // "页次： 2 / 4" for the position and hmbc's record count (its first row included).
    QString indicator(int recordCount) const;

    qint64 position() const { return m_position; }

private:
    static QString pageQuery(qint64 from, qint64 to);
    qint64 m_position = 0;
};

} // namespace ssq

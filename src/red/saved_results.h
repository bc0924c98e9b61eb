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

// "所选号码保存完毕，共保存7注": the window's answer to a save (ssq-cli keeps the bare first part).
QString savedCountMessage(int count);

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
    static constexpr int kRowsPerPage = 30;

    // hmbc's record count, its kept first row included; it sets how many pages there are.
    explicit ResultsPaging(int recordCount = 0) : m_recordCount(recordCount) {}

    // Queries of the first page, the page after and the page before the shown one; paging
    // stays on the last page and on the first one.
    QString firstPage();
    QString nextPage();
    QString previousPage();
    static QString allResults();

    // "页次： 2 / 4": the shown page (0 before any paging) and the number of pages (at least 1).
    QString indicator() const;

    int page() const { return m_page; }
    int pageCount() const;

private:
    QString pageQuery() const;
    int m_recordCount = 0;
    int m_page = 0;
};

} // namespace ssq

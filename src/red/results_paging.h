#pragma once
// Paging of the saved results in the results window: 30 rows of five, 150 results a page, from
// the first page to the last one and back, never past either end.

#include <QString>

namespace ssq {

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

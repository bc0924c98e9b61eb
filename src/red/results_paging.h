#pragma once
// Paging of the saved results in the results window: 30 rows of five, 150 results a page.

#include <QString>

namespace ssq {

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

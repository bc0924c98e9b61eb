#include "red/results_paging.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq {

QString ResultsPaging::pageQuery() const {
    // Rows are numbered by their first result (1, 6, 11, ...); SQLite needs the blank between
    // a number and "and".
    const qint64 from = qint64(m_page - 1) * kPageSpan + 1;
    const qint64 to = qint64(m_page) * kPageSpan;
    return u"select* from hmbc where 编号>="_s + QString::number(from) + u" and 编号<="_s +
           QString::number(to);
}

int ResultsPaging::pageCount() const {
    const int resultRows = std::max(0, m_recordCount - 1);
    return std::max(1, (resultRows + kRowsPerPage - 1) / kRowsPerPage);
}

QString ResultsPaging::firstPage() {
    m_page = 1;
    return pageQuery();
}

QString ResultsPaging::nextPage() {
    m_page = std::min(m_page + 1, pageCount());
    return pageQuery();
}

QString ResultsPaging::previousPage() {
    m_page = std::max(m_page - 1, 1);
    return pageQuery();
}

QString ResultsPaging::allResults() {
    return u"select* from hmbc order by 编号 "_s;
}

QString ResultsPaging::indicator() const {
    return u"页次："_s + u" "_s + QString::number(m_page) + u" / "_s + QString::number(pageCount());
}

} // namespace ssq

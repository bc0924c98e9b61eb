#include "red/results_paging.h"

using namespace Qt::StringLiterals;

namespace ssq {

QString ResultsPaging::pageQuery(qint64 from, qint64 to) {
    // SQLite needs the blank between a number and "and".
    return u"select* from hmbc where 编号>="_s + QString::number(from) + u" and 编号<="_s +
           QString::number(to);
}

QString ResultsPaging::firstPage() {
    m_position = kPageSpan;
    return pageQuery(1, kPageSpan);
}

QString ResultsPaging::nextPage() {
    const qint64 from = m_position;
    m_position += kPageSpan;
    return pageQuery(from, m_position);
}

QString ResultsPaging::allResults() {
    return u"select* from hmbc order by 编号 "_s;
}

QString ResultsPaging::indicator(int recordCount) const {
    return u"页次："_s + u" "_s + QString::number(m_position / kPageSpan) + u" / "_s +
           QString::number(recordCount / 30 + 1);
}

} // namespace ssq

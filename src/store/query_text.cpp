#include "store/query_text.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

const QRegularExpression& selectHead() {
    static const QRegularExpression re(u"^\\s*select(?![\\w])"_s,
                                       QRegularExpression::CaseInsensitiveOption |
                                           QRegularExpression::UseUnicodePropertiesOption);
    return re;
}

// "from <table>" followed by the end or by where / order / limit; a comma or join after the
// table means more than one table.
const QRegularExpression& fromClause() {
    static const QRegularExpression re(
        u"(?<![\\w])from\\s+(\"[^\"]+\"|\\[[^\\]]+\\]|`[^`]+`|[\\w]+)\\s*(?:$|;\\s*$|(where|order|limit)(?![\\w]))"_s,
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return re;
}

// Several tables, grouping, aggregates or a subquery (a second "from") give rows that are not
// rows of one table.
const QRegularExpression& readOnlyWords() {
    static const QRegularExpression re(
        u"(?<![\\w])(distinct|group|union|intersect|except|join|having|from(?![\\w]).*(?<![\\w])"
        u"from)(?![\\w])"
        u"|(?<![\\w])(count|sum|min|max|avg|total|group_concat)\\s*\\("_s,
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption |
            QRegularExpression::DotMatchesEverythingOption);
    return re;
}

} // namespace

std::optional<WritableQuery> writableForm(const QString& queryText) {
    const QRegularExpressionMatch head = selectHead().match(queryText);
    if (!head.hasMatch() || readOnlyWords().match(queryText).hasMatch())
        return std::nullopt;
    const QRegularExpressionMatch from = fromClause().match(queryText, head.capturedEnd());
    if (!from.hasMatch())
        return std::nullopt;

    QString table = from.captured(1);
    if (table.size() > 1 &&
        (table.front() == u'"' || table.front() == u'[' || table.front() == u'`'))
        table = table.mid(1, table.size() - 2);

    const QString rest = queryText.mid(head.capturedEnd());
    return WritableQuery{table,
                         queryText.left(head.capturedEnd()) + u" rowid AS __rowid, "_s + rest};
}

} // namespace ssq

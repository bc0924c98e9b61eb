#include "store/draw_history.h"

#include "model/leading_number_text.h"
#include "store/database.h"
#include "store/schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

double cellNumber(const QSqlQuery& q, int column) {
    const QVariant v = q.value(column);
    if (v.isNull())
        return 0;
    return numberOf(v.toString());
}

int issueOf(double value) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<int>::max())
        return 0;
    return static_cast<int>(std::lround(value));
}

StoredDraw drawOf(const QSqlQuery& q) {
    StoredDraw d;
    d.issue = issueOfCell(q.value(0));
    bool cellsHoldTheirNumbers = true;
    for (int k = 1; k <= kRedMax; ++k) {
        const double v = cellNumber(q, k);
        if (v > 0) {
            d.redColumns.push_back(k);
            cellsHoldTheirNumbers = cellsHoldTheirNumbers && v == k;
        }
    }
    int blues = 0;
    for (int b = 1; b <= kBlueMax; ++b) {
        const double v = cellNumber(q, schema::kKjhmFirstBlue + b - 1);
        if (v > 0) {
            if (blues++ == 0)
                d.blue = b;
            cellsHoldTheirNumbers = cellsHoldTheirNumbers && v == b;
        }
    }
    if (d.redColumns.size() == d.red.size() && blues == 1 && cellsHoldTheirNumbers) {
        std::copy(d.redColumns.begin(), d.redColumns.end(), d.red.begin());
        d.complete = true;
    }
    return d;
}

std::vector<StoredDraw> readDraws(QSqlDatabase db, const QString& sql, QString* error) {
    std::vector<StoredDraw> draws;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(sql)) {
        if (error)
            *error = u"无法读取开奖号码：%1"_s.arg(storeErrorText(q.lastError()));
        return draws;
    }
    if (q.record().count() < schema::kKjhmColumns) {
        if (error)
            *error = u"开奖号码表的列数不对"_s;
        return draws;
    }
    while (q.next())
        draws.push_back(drawOf(q));
    if (q.lastError().isValid() && error)
        *error = u"无法读取开奖号码：%1"_s.arg(storeErrorText(q.lastError()));
    return draws;
}

} // namespace

int issueOfCell(const QVariant& cell) {
    return cell.isNull() ? 0 : issueOf(numberOf(cell.toString()));
}

std::vector<StoredDraw> loadDraws(QSqlDatabase db, QString* error) {
    return readDraws(db, u"SELECT * FROM kjhm ORDER BY 期号, rowid"_s, error);
}

std::optional<StoredDraw> newestDraw(QSqlDatabase db, QString* error) {
    std::vector<StoredDraw> last =
        readDraws(db, u"SELECT * FROM kjhm ORDER BY 期号 DESC, rowid DESC LIMIT 1"_s, error);
    if (last.empty())
        return std::nullopt;
    return last.front();
}

bool isStorableIssue(double value) {
    return std::isfinite(value) && value == std::floor(value) &&
           std::fabs(value) <= std::numeric_limits<int>::max();
}

QString issueText(int issue) {
    return issue >= 0 ? u"%1"_s.arg(issue, 4, 10, QChar(u'0')) : QString::number(issue);
}

} // namespace ssq

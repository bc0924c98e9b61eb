#include "store/past_draw_query.h"

#include "store/draw_history.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq {

QString pastDrawChoiceRefusal() {
    return u"号码选择有误,请重新选择！"_s;
}

std::optional<RedCombo> pastDrawChoice(QList<int> chosen) {
    std::sort(chosen.begin(), chosen.end());
    if (chosen.size() != 6 || std::adjacent_find(chosen.begin(), chosen.end()) != chosen.end() ||
        chosen.front() < 1 || chosen.back() > kRedMax)
        return std::nullopt;
    RedCombo red{};
    std::copy(chosen.begin(), chosen.end(), red.begin());
    return red;
}

std::optional<int> firstDrawWithReds(QSqlDatabase db, const RedCombo& red, QString* error) {
    for (const StoredDraw& d : loadDraws(db, error)) {
        // A row's reds are its red cells in column order; a hand-edited row with more than six
        // matches when its first six do.
        if (d.redColumns.size() < red.size())
            continue;
        if (std::equal(red.begin(), red.end(), d.redColumns.begin()))
            return d.issue;
    }
    return std::nullopt;
}

PastDrawAnswer askPastDraw(QSqlDatabase db, const RedCombo& red) {
    PastDrawAnswer answer;
    answer.issue = firstDrawWithReds(db, red, &answer.error);
    if (answer.issue)
        answer.sentence = u"您要查询的号已经在第%1期开出过了"_s.arg(*answer.issue);
    else if (answer.error.isEmpty())
        answer.sentence = u"您要查询的数据未曾开出"_s;
    return answer;
}

} // namespace ssq

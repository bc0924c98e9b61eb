#include "red/condition_set.h"

#include "model/leading_number_text.h"
#include "store/record_set.h"
#include "store/transaction.h"

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

using panel::kLastText;
constexpr int kFirstText = panel::kFirstConditionText;
constexpr int kRowsNeeded = kLastText - kFirstText + 2; // the unused first row, then one per text
constexpr int kValueColumn = 2;

// Opens tjbc on its second row, or says why the set cannot be used.
bool openSet(RecordSet& set, QString* error) {
    if (!set.open(u"select* from tjbc order by 编号 "_s, error))
        return false;
    if (set.recordCount() < kRowsNeeded || set.columnCount() <= kValueColumn) {
        *error = u"条件表 tjbc 只有 %1 行 %2 列，保存的条件需要 %3 行 %4 列，数据库可能已损坏"_s
                     .arg(set.recordCount())
                     .arg(set.columnCount())
                     .arg(kRowsNeeded)
                     .arg(kValueColumn + 1);
        return false;
    }
    set.moveFirst();
    set.moveNext();
    return true;
}

} // namespace

Outcome saveConditionSet(QSqlDatabase db, PanelState& panel) {
    std::array<QString, kLastText + 1> texts = panel.text1;
    texts[170] = panel.option1 ? u"1"_s : u"0"_s;
    texts[171] = panel.option2 ? u"1"_s : u"0"_s;

    Outcome outcome;
    Transaction transaction(db);
    if (!transaction.active()) {
        outcome.message = u"无法开始写入数据库，条件没有保存：%1"_s.arg(transaction.failure());
        return outcome;
    }
    RecordSet set(db);
    if (!openSet(set, &outcome.message))
        return outcome;
    for (int i = kFirstText; i <= kLastText; ++i) {
        set.setValue(kValueColumn, texts[static_cast<std::size_t>(i)]);
        if (!set.update(&outcome.message))
            return outcome;
        set.moveNext();
    }
    if (!transaction.commit()) {
        outcome.message = u"写入数据库失败，条件没有保存：%1"_s.arg(transaction.failure());
        return outcome;
    }
    panel.text1[170] = texts[170];
    panel.text1[171] = texts[171];
    outcome.ok = true;
    outcome.message =
        u"条件保存完毕,您要查看条件或需要将条件再次输入时,请点击菜单“条件操作”内的“条件再现”"_s;
    return outcome;
}

Outcome restoreConditionSet(QSqlDatabase db, PanelState& panel) {
    Outcome outcome;
    RecordSet set(db);
    if (!openSet(set, &outcome.message))
        return outcome;
    for (int i = kFirstText; i <= kLastText; ++i) {
        panel.text1[static_cast<std::size_t>(i)] = set.value(kValueColumn);
        set.moveNext();
    }
    // The two choices behave as radio buttons: choosing one clears the other.
    const double odd = numberOf(panel.text1[170]);
    const double even = numberOf(panel.text1[171]);
    if (odd == 1) {
        panel.option1 = true;
        panel.option2 = false;
    } else if (odd == 0) {
        panel.option1 = false;
    }
    if (even == 1) {
        panel.option2 = true;
        panel.option1 = false;
    } else if (even == 0) {
        panel.option2 = false;
    }
    outcome.ok = true;
    return outcome;
}

} // namespace ssq

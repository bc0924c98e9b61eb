#include "blue/blue_option_set.h"

#include "store/record_set.h"
#include "store/schema.h"
#include "store/transaction.h"

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kRows = schema::kLqtjbcRows;
constexpr int kValueColumn = 1;
// Rows of the texts that are not box texts.
constexpr int kOptionRow = 11;
constexpr int kParityRow = 12;
constexpr int kAdjacentRow = 25;

// Opens lqtjbc on its first row, or says why the set cannot be used.
bool openSet(RecordSet& set, QString* error) {
    if (!set.open(u"select *from lqtjbc order by 编号 "_s, error))
        return false;
    if (set.recordCount() < kRows || set.columnCount() <= kValueColumn) {
        *error =
            u"蓝球选项表 lqtjbc 只有 %1 行 %2 列，保存的选项需要 %3 行 %4 列，数据库可能已损坏"_s
                .arg(set.recordCount())
                .arg(set.columnCount())
                .arg(kRows)
                .arg(kValueColumn + 1);
        return false;
    }
    set.moveFirst();
    return true;
}

} // namespace

QStringList blueOptionTexts(const BlueControls& c) {
    QStringList texts;
    for (int t = 1; t <= 10; ++t)
        texts.append(c.text[t]);
    texts.append(c.option1 ? u"1"_s : c.option2 ? u"9"_s : QString());
    texts.append(c.check[14] == 1 ? u"2"_s : c.check[13] == 1 ? u"1"_s : QString());
    for (int t = 11; t <= 22; ++t)
        texts.append(c.text[t]);
    texts.append(c.check[16] == 1 ? u"0"_s : c.check[15] == 1 ? u"1"_s : QString());
    for (int t = blue::kFirstStrict; t <= blue::kFewestFailures; ++t)
        texts.append(c.text[t]);
    return texts;
}

void applyBlueOptionTexts(const QStringList& texts, BlueControls& c) {
    const auto row = [&texts](int r) { return texts.value(r - 1); };
    for (int t = 1; t <= 10; ++t)
        c.text[t] = row(t);
    if (row(kOptionRow) == u"1"_s) {
        c.option1 = true;
        c.option2 = false;
    } else if (row(kOptionRow) == u"9"_s) {
        c.option1 = false;
        c.option2 = true;
    }
    if (row(kParityRow) == u"1"_s) {
        c.check[13] = 1;
        c.check[14] = 0;
    } else if (row(kParityRow) == u"2"_s) {
        c.check[13] = 0;
        c.check[14] = 1;
    }
    for (int t = 11; t <= 22; ++t)
        c.text[t] = row(t + 2);
    if (row(kAdjacentRow) == u"1"_s) {
        c.check[15] = 1;
        c.check[16] = 0;
    } else if (row(kAdjacentRow) == u"0"_s) {
        c.check[15] = 0;
        c.check[16] = 1;
    }
    for (int t = blue::kFirstStrict; t <= blue::kFewestFailures; ++t)
        c.text[t] = row(t + 3);
}

Outcome saveBlueOptionSet(QSqlDatabase db, const BlueControls& controls) {
    const QStringList texts = blueOptionTexts(controls);
    Outcome outcome;
    Transaction transaction(db);
    if (!transaction.active()) {
        outcome.message = u"无法开始写入数据库，选项没有存档：%1"_s.arg(transaction.failure());
        return outcome;
    }
    RecordSet set(db);
    if (!openSet(set, &outcome.message))
        return outcome;
    for (const QString& text : texts) {
        set.setValue(kValueColumn, text);
        if (!set.update(&outcome.message))
            return outcome;
        set.moveNext();
    }
    if (!transaction.commit()) {
        outcome.message = u"写入数据库失败，选项没有存档：%1"_s.arg(transaction.failure());
        return outcome;
    }
    outcome.ok = true;
    outcome.message = u" 所有条件选项均已存档完毕"_s;
    return outcome;
}

Outcome restoreBlueOptionSet(QSqlDatabase db, BlueControls& controls) {
    Outcome outcome;
    RecordSet set(db);
    if (!openSet(set, &outcome.message))
        return outcome;
    QStringList texts;
    for (int r = 1; r <= kRows; ++r) {
        texts.append(set.value(kValueColumn));
        set.moveNext();
    }
    applyBlueOptionTexts(texts, controls);
    outcome.ok = true;
    outcome.message = u" 所有条件选项均已再现完毕"_s;
    return outcome;
}

} // namespace ssq

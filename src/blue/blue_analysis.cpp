#include "blue/blue_analysis.h"

#include "model/leading_number.h"
#include "model/leading_number_text.h"
#include "store/record_set.h"
#include "store/schema.h"
#include "store/transaction.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kFixedWindow = 50;
constexpr int kLabelField = 1;
constexpr int kFirstCountField = 2; // blue b at b + 1
constexpr int kRows = schema::kLqtxRows;

// Sum of the marks of the newest `window` draws (all of them when there are fewer).
void sumNewest(const std::vector<BlueMarks>& draws, int window,
               std::array<int, blue::kNumbers + 1>& out) {
    const std::size_t n = std::min(draws.size(), static_cast<std::size_t>(std::max(window, 0)));
    for (std::size_t i = draws.size() - n; i < draws.size(); ++i)
        for (int b = 1; b <= blue::kNumbers; ++b)
            out[b] += draws[i][b];
}

} // namespace

int blueMark(const QString& cell, int blue) {
    const std::optional<std::uint8_t> mark = toByte(numberOf(cell) / blue);
    return mark ? *mark : 0;
}

std::optional<std::vector<BlueMarks>> readBlueMarks(QSqlDatabase db, QString* error) {
    RecordSet set(db);
    if (!set.open(u"select* from kjhm order by 期号 "_s, error))
        return std::nullopt;
    std::vector<BlueMarks> draws;
    draws.reserve(static_cast<std::size_t>(set.recordCount()));
    for (set.moveFirst(); !set.eof(); set.moveNext()) {
        BlueMarks marks{};
        for (int b = 1; b <= blue::kNumbers; ++b)
            marks[b] = blueMark(set.value(schema::kKjhmFirstBlue - 1 + b), b);
        draws.push_back(marks);
    }
    return draws;
}

BlueCounts blueCounts(const std::vector<BlueMarks>& draws, int window) {
    BlueCounts c;
    sumNewest(draws, static_cast<int>(draws.size()), c.whole);
    sumNewest(draws, kFixedWindow, c.lastFifty);
    sumNewest(draws, window, c.lastWindow);
    for (int b = 1; b <= blue::kNumbers; ++b) {
        int missing = 0;
        for (auto it = draws.rbegin(); it != draws.rend() && (*it)[b] != 1; ++it)
            ++missing;
        c.omission[b] = missing;
    }
    return c;
}

QString blueWindowPrompt() {
    return u"请输入需要查询的期数(即要查询各个蓝球号码最近多少期的出球次数,默认值为50)"_s;
}

QString blueDefaultWindowMessage() {
    return u"您没有输入要查询的期数,程序将默认为50"_s;
}

QString blueNoDrawsMessage() {
    return u"数据库中还没有开奖记录，无法分析蓝球号码。"
           u"请先通过菜单“数据操作”添加或导入开奖数据，再进行蓝球号码分析"_s;
}

BlueWindowChoice blueWindowChoice(const std::optional<QString>& answer, int drawCount) {
    BlueWindowChoice choice;
    if (drawCount <= 0) {
        choice.refusal = blueNoDrawsMessage();
        return choice;
    }
    const double n = answer ? numberOf(*answer) : 0;
    if (!(n > 0)) {
        choice.defaulted = true;
        return choice;
    }
    // The default 50 counts every draw of a shorter history; a typed 50 does the same.
    const int most = std::max(drawCount, kFixedWindow);
    if (n > most) {
        choice.refusal =
            u"数据库中只有%1期开奖记录，无法查询最近%2期，请输入不大于%3的期数"_s.arg(drawCount)
                .arg(answer->trimmed())
                .arg(most);
        return choice;
    }
    if (std::floor(n) != n) {
        choice.refusal = u"期数“%1”不是整数，请输入整数期数"_s.arg(*answer);
        return choice;
    }
    choice.window = static_cast<int>(n);
    return choice;
}

QString blueWindowLabel(int window) {
    return u"最近"_s + QString::number(window) + u"期开出次数"_s;
}

bool writeBlueCounts(QSqlDatabase db, const BlueCounts& counts, int window, QString* error) {
    Transaction transaction(db);
    if (!transaction.active()) {
        *error = u"无法开始写入数据库，分析结果没有保存：%1"_s.arg(transaction.failure());
        return false;
    }
    RecordSet set(db);
    if (!set.open(u"select* from lqtx order by 序号 "_s, error))
        return false;
    const int columnsNeeded = kFirstCountField + blue::kNumbers;
    if (set.recordCount() < kRows || set.columnCount() < columnsNeeded) {
        *error = u"蓝球统计表 lqtx 只有 %1 行 %2 列，分析结果需要 %3 行 %4 列，数据库可能已损坏"_s
                     .arg(set.recordCount())
                     .arg(set.columnCount())
                     .arg(kRows)
                     .arg(columnsNeeded);
        return false;
    }
    const std::array<const std::array<int, blue::kNumbers + 1>*, kRows> rows{
        &counts.lastFifty, &counts.lastWindow, &counts.whole, &counts.omission};
    set.moveFirst();
    for (int r = 0; r < kRows; ++r) {
        if (r == 1)
            set.setValue(kLabelField, blueWindowLabel(window));
        for (int b = 1; b <= blue::kNumbers; ++b)
            set.setValue(kFirstCountField + b - 1, QString::number((*rows[r])[b]));
        if (!set.update(error))
            return false;
        set.moveNext();
    }
    if (!transaction.commit()) {
        *error = u"写入数据库失败，分析结果没有保存：%1"_s.arg(transaction.failure());
        return false;
    }
    return true;
}

} // namespace ssq

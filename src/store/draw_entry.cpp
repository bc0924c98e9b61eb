#include "store/draw_entry.h"

#include "model/leading_number_text.h"
#include "store/database.h"
#include "store/draw_history.h"
#include "store/draw_writer.h"
#include "store/schema.h"
#include "store/transaction.h"

#include <QSqlError>
#include <QSqlQuery>

#include <QRegularExpression>

#include <cmath>
#include <limits>
#include <vector>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

const QString kFirstRecord =
    u"您的数据库没有数据记录，这里将添加第一条记录,第一条记录只录取开奖数据,不录取指标"_s;
const QString kFewerThan22 = u"您的数据库中的记录不足22条，将不录取冷热值一类的4个指标"_s;

// A typed answer as the user wrote its number: "3003.5" stays 3003.5.
QString issueShown(double issue) {
    if (isStorableIssue(issue))
        return issueText(static_cast<int>(issue));
    return QString::number(issue, 'g', 17);
}

EntryResult failed(const QString& text) {
    return {false, {{text, true}}};
}

// With fewer than 22 stored draws the hot/cold values are all 0 and the user is told so.
HotColdValues hotColdOf(const std::vector<StoredDraw>& draws, EntryResult& result) {
    if (draws.size() < static_cast<std::size_t>(kHotColdMinDraws)) {
        result.messages.append({kFewerThan22, false});
        return {};
    }
    return hotColdValues(redHistoryOf(draws));
}

} // namespace

int issueOfText(const QString& text) {
    const double value = numberOf(text);
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<int>::max())
        return 0;
    return static_cast<int>(std::lround(value));
}

std::optional<DrawInput> validateEntry(const QString& issueText, const QList<int>& reds,
                                       const QList<int>& blues, QString* message) {
    if (issueText.isEmpty()) {
        *message = u"请输入开奖期号，输入格式示例：7018 （7表示2007年，018表示第018期）"_s;
        return std::nullopt;
    }
    if (issueText.size() != 4) {
        *message =
            u"期号输入格式有误,请正确输入开奖期号，输入格式示例：7018 （7表示2007年，018表示第018期）"_s;
        return std::nullopt;
    }
    if (reds.size() != 6) {
        *message = u"红球号码选择有误：您选了%1个红球，请选择6个红球！"_s.arg(reds.size());
        return std::nullopt;
    }
    if (blues.size() != 1) {
        *message = u"蓝球号码选择有误,请重新选择！"_s;
        return std::nullopt;
    }
    DrawInput draw;
    draw.issue = issueOfText(issueText);
    for (int i = 0; i < 6; ++i)
        draw.red[i] = reds[i];
    draw.blue = blues.front();
    if (!isValidCombo(draw.red) || draw.blue < 1 || draw.blue > kBlueMax) {
        // The boxes only offer 1..33 and 1..16 in order; anything else is a caller's fault.
        *message = u"红球号码选择有误,请重新选择！"_s;
        return std::nullopt;
    }
    return draw;
}

EntryResult addDraw(QSqlDatabase db, const DrawInput& draw) {
    // The history is read under the write lock, so the checks below still hold when the rows
    // are written: another program cannot store the same or a newer issue in between.
    Transaction transaction(db);
    if (!transaction.active())
        return failed(u"数据添加失败，数据库没有改动：%1"_s.arg(transaction.failure()));
    QString error;
    const std::vector<StoredDraw> draws = loadDraws(db, &error);
    if (!error.isEmpty())
        return failed(u"数据添加失败，数据库没有改动：%1"_s.arg(error));

    if (!draws.empty()) {
        for (const StoredDraw& stored : draws) {
            if (stored.issue == draw.issue)
                return failed(
                    u"第%1期已经存在，不能再添加一次。如果要改正这一期的数据，请输入期号%1、"
                    u"选好号码后点击“自动修改数据”。数据库没有改动。"_s.arg(issueText(draw.issue)));
        }
        if (draw.issue < draws.back().issue)
            return failed(
                u"第%1期比数据库中最新的第%2期小，不能添加：新的一期要排在最新一期之后，"
                u"它的指标才能以前一期为准计算。如果第%2期是输错的期号，请先用“删除数据”"
                u"删除它；如果这是新年代的开奖（期号从001重新开始），请换用一个新的数据库。"
                u"数据库没有改动。"_s.arg(issueText(draw.issue), issueText(draws.back().issue)));
    }

    EntryResult result;
    DrawRows rows;
    if (draws.empty()) {
        result.messages.append({kFirstRecord, false});
        rows = firstRecordRows(draw);
    } else {
        // The previous draw is the stored row with the highest issue; the hot/cold values come
        // from every stored row.
        const RedCombo previous = redNumbersOf(draws.back());
        const HotColdValues hv = hotColdOf(draws, result);
        rows = drawRows(draw, previous, hv);
    }
    DrawWriter writer(db);
    if (!writer.append(rows, &error) || !transaction.commit()) {
        if (error.isEmpty())
            error = transaction.failure();
        result.messages.append({u"数据添加失败，数据库没有改动：%1"_s.arg(error), true});
        return result;
    }
    result.written = true;
    result.messages.append({u"数据添加完毕"_s, false});
    return result;
}

EntryResult modifyDraw(QSqlDatabase db, const DrawInput& draw) {
    Transaction transaction(db);
    if (!transaction.active())
        return failed(u"数据修改失败，数据库没有改动：%1"_s.arg(transaction.failure()));
    QString error;
    const std::vector<StoredDraw> draws = loadDraws(db, &error);
    if (!error.isEmpty())
        return failed(u"数据修改失败，数据库没有改动：%1"_s.arg(error));

    EntryResult result;
    DrawWriter writer(db);
    if (draws.empty()) {
        // Nothing to modify: the draw becomes the first record, as adding it would.
        result.messages.append({kFirstRecord, false});
        if (!writer.append(firstRecordRows(draw), &error) || !transaction.commit()) {
            if (error.isEmpty())
                error = transaction.failure();
            result.messages.append({u"数据添加失败，数据库没有改动：%1"_s.arg(error), true});
            return result;
        }
        result.written = true;
        return result;
    }

    std::size_t at = 0;
    while (at < draws.size() && draws[at].issue != draw.issue)
        ++at;
    if (at == draws.size())
        return failed(u"数据库中没有第%1期的开奖数据，无法自动修改。数据库没有改动。"_s.arg(
            issueText(draw.issue)));
    if (at == 0)
        return failed(u"第%1期是数据库中的第一条记录，它之前没有开奖数据，无法计算它的指标，"
                      u"不能自动修改。数据库没有改动。"_s.arg(issueText(draw.issue)));

    // The hot/cold history is every stored row, the modified one (as stored) and later ones
    // included.
    const RedCombo previous = redNumbersOf(draws[at - 1]);
    const HotColdValues hv = hotColdOf(draws, result);
    const DrawRows rows = drawRows(draw, previous, hv);
    const QVariantList* cells[3] = {&rows.numbers, &rows.codes, &rows.indicators};

    bool ok = true;
    for (DrawTable t : {DrawTable::Kjhm, DrawTable::Kjdm, DrawTable::Kjzb}) {
        const std::optional<qint64> rowid = writer.firstRowWithIssue(t, draw.issue, &error);
        if (!rowid) {
            if (error.isEmpty())
                error = u"%1表中没有第%2期的记录，三个表的数据已不一致"_s.arg(
                    tableCaption(t), issueText(draw.issue));
            ok = false;
            break;
        }
        ok = writer.overwrite(t, *rowid, *cells[static_cast<int>(t)], &error);
        if (!ok)
            break;
    }
    if (ok && !transaction.commit()) {
        ok = false;
        error = transaction.failure();
    }
    if (!ok) {
        result.messages.append({u"数据修改失败，数据库没有改动：%1"_s.arg(error), true});
        return result;
    }
    result.written = true;
    result.messages.append({u"数据修改完成并已保存"_s, false});
    return result;
}

EntryResult deleteDraw(QSqlDatabase db, double issue) {
    const QString notStored =
        u"数据库中没有第%1期的开奖数据，没有删除任何数据。"_s.arg(issueShown(issue));
    if (!std::isfinite(issue))
        return failed(notStored);
    Transaction transaction(db);
    if (!transaction.active())
        return failed(u"数据删除失败，数据库没有改动：%1"_s.arg(transaction.failure()));
    DrawWriter writer(db);
    QString error;
    int removed = 0;
    for (DrawTable t : {DrawTable::Kjhm, DrawTable::Kjdm, DrawTable::Kjzb}) {
        const std::optional<qint64> rowid = writer.firstRowHolding(t, issue, &error);
        if (!error.isEmpty())
            return failed(u"数据删除失败，数据库没有改动：%1"_s.arg(error));
        // A table that lost its row by hand editing is skipped; the others are still cleaned.
        if (!rowid)
            continue;
        if (!writer.remove(t, *rowid, &error))
            return failed(u"数据删除失败，数据库没有改动：%1"_s.arg(error));
        ++removed;
    }
    if (removed == 0)
        return failed(notStored);
    if (!transaction.commit())
        return failed(u"数据删除失败，数据库没有改动：%1"_s.arg(transaction.failure()));
    return {true, {{u"第%1期的所有数据删除完毕"_s.arg(issueShown(issue)), false}}};
}

bool changeDrawIssue(QSqlDatabase db, const QString& table, qint64 rowid, const QVariant& value,
                     QString* error) {
    Transaction transaction(db);
    if (!transaction.active()) {
        *error = transaction.failure();
        return false;
    }
    // The old issue as the file holds it now, not as a grid last showed it.
    QSqlQuery read(db);
    read.prepare(u"SELECT \"%1\" FROM %2 WHERE rowid = ?"_s.arg(schema::kIssue, table));
    read.addBindValue(rowid);
    if (!read.exec()) {
        *error = storeErrorText(read.lastError());
        return false;
    }
    if (!read.next()) {
        *error = u"这一行已经不在数据库中了"_s;
        return false;
    }
    const QVariant old = read.value(0);
    read.finish();

    QSqlQuery find(db);
    QSqlQuery update(db);
    for (DrawTable t : {DrawTable::Kjhm, DrawTable::Kjdm, DrawTable::Kjzb}) {
        qint64 target = rowid;
        if (tableName(t) != table) {
            find.prepare(u"SELECT rowid FROM %1 WHERE \"%2\" IS ? ORDER BY rowid LIMIT 1"_s.arg(
                tableName(t), schema::kIssue));
            find.addBindValue(old);
            if (!find.exec()) {
                *error = storeErrorText(find.lastError());
                return false;
            }
            if (!find.next())
                continue;
            target = find.value(0).toLongLong();
            find.finish();
        }
        update.prepare(
            u"UPDATE %1 SET \"%2\" = ? WHERE rowid = ?"_s.arg(tableName(t), schema::kIssue));
        update.addBindValue(value);
        update.addBindValue(target);
        if (!update.exec()) {
            *error = u"写入%1表失败：%2"_s.arg(tableCaption(t), storeErrorText(update.lastError()));
            return false;
        }
    }
    if (!transaction.commit()) {
        *error = transaction.failure();
        return false;
    }
    return true;
}

EntryResult deleteDraw(QSqlDatabase db, const QString& answer) {
    static const QRegularExpression leadingNumber(u"^\\s*[+-]?(\\d|\\.\\d)"_s);
    if (!leadingNumber.match(answer).hasMatch())
        return failed(u"“%1”不是期号，没有删除任何数据。"_s.arg(answer));
    return deleteDraw(db, numberOf(answer));
}

} // namespace ssq

#include "red/saved_results.h"

#include "model/leading_number_text.h"
#include "store/database.h"
#include "store/record_set.h"
#include "store/schema.h"
#include "store/transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// Rows the results window holds at most (5 texts each).
constexpr int kMaxLoadedRows = 4000;

QString saveFailure(const QString& why) {
    return u"所选号码保存失败，原来保存的号码没有改动。原因："_s + why;
}

QString errorText(const QSqlQuery& q) {
    return storeErrorText(q.lastError());
}

// The rowid of the row that is always kept, creating it when hmbc has lost it.
bool keptRowId(QSqlDatabase db, qint64* rowid, QString* why) {
    QSqlQuery q(db);
    if (!q.exec(u"select rowid from hmbc order by 编号 limit 1"_s)) {
        *why = errorText(q);
        return false;
    }
    if (q.next()) {
        *rowid = q.value(0).toLongLong();
        return true;
    }
    QSqlQuery insert(db);
    insert.prepare(u"insert into hmbc (编号) values (?)"_s);
    insert.addBindValue(schema::kHmbcFirstRowNumber);
    if (!insert.exec()) {
        *why = errorText(insert);
        return false;
    }
    *rowid = insert.lastInsertId().toLongLong();
    return true;
}

bool writeRows(QSqlDatabase db, int count, const ResultText& textAt, QString* why) {
    const QSqlRecord columns = db.record(schema::kHmbc);
    if (columns.count() < 1 + kResultsPerRow) {
        *why = u"表hmbc的列数不足"_s;
        return false;
    }
    QStringList names;
    QStringList marks;
    for (int c = 0; c <= kResultsPerRow; ++c) {
        names.append(columns.fieldName(c));
        marks.append(u"?"_s);
    }
    QSqlQuery insert(db);
    if (!insert.prepare(u"insert into hmbc ("_s + names.join(u',') + u") values ("_s +
                        marks.join(u',') + u')')) {
        *why = errorText(insert);
        return false;
    }
    for (int first = 0; first < count; first += kResultsPerRow) {
        insert.bindValue(0, first + 1);
        for (int c = 0; c < kResultsPerRow; ++c) {
            const int i = first + c;
            // Places after the last result stay empty (NULL), as an untouched cell is.
            insert.bindValue(1 + c, i < count ? QVariant(textAt(i))
                                              : QVariant(QMetaType::fromType<QString>()));
        }
        if (!insert.exec()) {
            *why = errorText(insert);
            return false;
        }
    }
    return true;
}

} // namespace

QString savePreparationMessage() {
    return u"正准备保存,请确定!本操作所需时间取决于您保存的数据量,本程序规定选号注数不得超过5000注"_s;
}

Outcome saveResults(QSqlDatabase db, int count, const ResultText& textAt) {
    if (count > kMaxSavedResults)
        return {false, u"您所选的号码超过了5000注,本程序拒绝执行此操作"_s};
    // Saving nothing would only empty the list the player saved before.
    if (count <= 0)
        return {false, u"这次选号没有选出号码，没有号码可以保存。原来保存的号码没有改动。"_s};

    Transaction transaction(db);
    if (!transaction.active())
        return {false, saveFailure(transaction.failure())};

    QString why;
    qint64 kept = -1;
    if (!keptRowId(db, &kept, &why))
        return {false, saveFailure(why)};
    QSqlQuery remove(db);
    remove.prepare(u"delete from hmbc where rowid <> ?"_s);
    remove.addBindValue(kept);
    if (!remove.exec())
        return {false, saveFailure(errorText(remove))};
    if (!writeRows(db, count, textAt, &why))
        return {false, saveFailure(why)};
    if (!transaction.commit())
        return {false, saveFailure(transaction.failure())};
    return {true, u"所选号码保存完毕"_s};
}

SavedResults loadSavedResults(QSqlDatabase db) {
    SavedResults out;
    RecordSet rs(db);
    if (!rs.open(u"select* from hmbc order by 编号 "_s, &out.error))
        return out;
    out.recordCount = rs.recordCount();
    if (!rs.moveFirst())
        return out;
    // The first row is kept apart from the results; the results stop at the first empty place.
    for (int row = 0; row < kMaxLoadedRows && rs.moveNext(); ++row) {
        for (int c = 1; c <= kResultsPerRow; ++c) {
            const QString text = rs.value(c);
            if (numberOf(text) < 1)
                return out;
            out.texts.append(text);
        }
    }
    return out;
}

QString savedCountMessage(int count) {
    return u"所选号码保存完毕，共保存%1注"_s.arg(count);
}

QString savedCountText(int count) {
    return u"(您总共选出了"_s + QString::number(count) + u"注号码)"_s;
}

ResultListing listResults(int count, const ResultText& textAt) {
    ResultListing out;
    const int shown = std::clamp(count, 0, kMaxListedResults);
    out.items.reserve(shown);
    for (int i = 0; i < shown; ++i)
        out.items.append(textAt(i));
    out.message =
        count > kMaxListedResults
            ? u"您的选号结果超过了5000注，本程序只为您显示前5000注,请点击下拉箭头查看选号"_s
            : u"数据载入完毕,请点击下拉箭头查看选号"_s;
    return out;
}

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

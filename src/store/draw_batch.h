#pragma once
// The draws a paste or a network update found, checked against the database before anything is
// stored: each is new, already stored, different from the stored draw, of another decade, or
// wrong. Only when nothing is wrong or different are the new ones stored, through the import
// (one transaction, the same rows as typing or importing them), with the prize amounts the
// source gave.

#include "store/draw_history.h"
#include "store/draw_prizes.h"
#include "store/draw_source_parser.h"
#include "store/history_import.h"

#include <QSqlDatabase>
#include <QString>

#include <vector>

namespace ssq {

enum class BatchStatus { New, Stored, Differs, OtherDecade, Wrong };

struct BatchLine {
    int storedIssue = 0;
    QString issueText; // seven digits where the decade tells them
    RedCombo red{};
    int blue = 0;
    std::vector<int> balls; // as the source gave them, for a line that is wrong
    BatchStatus status = BatchStatus::Wrong;
    QString reason; // for Wrong
    int lineNumber = 0;
};

struct DrawBatch {
    int decadeYear = 0;
    std::vector<BatchLine> lines; // oldest first; a line without a valid issue order at the end
    std::vector<DrawPrizes> prizes;
    int newCount = 0;
    int problems = 0; // wrong or different lines: while there are any nothing is stored
};

// The status word of the preview and of `ssq-cli paste`: 新增, 已有, 与数据库不同,
// 不是本数据库的年代, 有误：REASON.
QString statusText(const BatchLine& line);
// "05 11 17 23 29 33+07"; the reds of a wrong line as far as they were read.
QString batchNumbersText(const BatchLine& line);

// Checks the draws found against the stored history of a database of `decadeYear`. New draws
// must follow the newest stored draw and each other without a gap, so that they can be
// appended in order.
DrawBatch checkDraws(const std::vector<SourceDraw>& found, const std::vector<StoredDraw>& stored,
                     int decadeYear);

struct BatchStoreReport {
    bool ok = false; // false: nothing was written
    int stored = 0;
    QString message;
};

// Stores the new draws of a batch checked against the current history of `db`, in one
// transaction; refuses while the batch has problems or when the history changed since.
BatchStoreReport storeNewDraws(QSqlDatabase db, const DrawBatch& batch);

} // namespace ssq

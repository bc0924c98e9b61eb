#pragma once
// One printed page of saved results, as a list of drawing operations in twips, so the layout
// can be checked without paper and any painter can render it.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QPainter;

namespace ssq {

enum class Paper { A4, B5 };

struct PrintOp {
    enum class Kind { Text, Line };
    Kind kind = Kind::Text;
    int x = 0;  // twips from the page's left edge; a line's start
    int y = 0;  // twips from the top; for text the top of the line of text
    int x2 = 0; // a line's end
    int y2 = 0;
    int fontSize = 0; // points, text only
    QString text;

    bool operator==(const PrintOp&) const = default;
};

struct PrintPage {
    // A standard paper size that every printer driver knows; the content is placed in twips
    // from its top left edge.
    Paper paper = Paper::A4;
    int widthTwips = 0;
    int heightTwips = 0;
    bool landscape = false;
    QList<PrintOp> ops;
    // Drawing of its own after the operations, in twips from the paper's top left edge, for a
    // page that is more than text and lines (the trend chart).
    std::function<void(QPainter&)> paint;
};

// The size of the standard page, in twips.
int paperWidthTwips(Paper paper);
int paperHeightTwips(Paper paper);

// "2026年12月6日"
QString chineseDate(const QDate& date);

// The page of `saved` (result texts, result 1 first) that starts at result number `start`.
// Places before result 1 or after the last saved result print as empty text; a line with no
// result at all is left out.
PrintPage buildResultPage(Paper paper, const QString& issue, double start, const QStringList& saved,
                          const QDate& printDate);

// Every page from result number `start` to the last saved result, one after another: what
// "打印号码" prints when all pages are asked for (at least the first page).
QList<PrintPage> buildResultPages(Paper paper, const QString& issue, double start,
                                  const QStringList& saved, const QDate& printDate);

// "4 5 7 9 25 32" as "04 05 07 09 25 32", so printed columns line up.
QString twoDigitNumbers(const QString& result);

// Results per printed line and lines per page.
int resultsPerLine(Paper paper);
int linesPerPage(Paper paper);

} // namespace ssq

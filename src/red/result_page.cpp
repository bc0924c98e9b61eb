#include "red/result_page.h"

#include "model/leading_number.h"

#include <QLocale>

#include <QPageSize>
#include <QSizeF>
#include <cmath>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

struct PaperLayout {
    int titleX;
    int ruleEnd; // right end of every rule
    int closingRuleY;
    int dateY;
    int closingY;
};

constexpr int kRuleStart = 100;
constexpr int kTitleY = 500;
constexpr int kTopRuleY = 900;
constexpr int kSecondRuleY = 950;
constexpr int kLineX = 500;
constexpr int kFirstLineY = 850 + 300;
constexpr int kLineStep = 300;
constexpr int kFooterX = 500;

PaperLayout layoutOf(Paper paper) {
    if (paper == Paper::A4)
        return {2000, 9900, 14000, 14200, 14600};
    return {1500, 8000, 12300, 12500, 12800};
}

PrintOp text(int x, int y, int size, const QString& s) {
    PrintOp op;
    op.kind = PrintOp::Kind::Text;
    op.x = x;
    op.y = y;
    op.fontSize = size;
    op.text = s;
    return op;
}

PrintOp line(int x1, int y, int x2) {
    PrintOp op;
    op.kind = PrintOp::Kind::Line;
    op.x = x1;
    op.y = y;
    op.x2 = x2;
    op.y2 = y;
    return op;
}

// Result `place` (1-based) or empty text where nothing was saved. Works in double so that no
// start number, however large or small, can overflow an index.
QString placeText(const QStringList& saved, double place) {
    if (!(place >= 1 && place <= saved.size()))
        return {};
    return twoDigitNumbers(saved.at(static_cast<qsizetype>(place) - 1));
}

} // namespace

int paperWidthTwips(Paper paper) {
    const QPageSize size(paper == Paper::A4 ? QPageSize::A4 : QPageSize::B5);
    return qRound(size.size(QPageSize::Millimeter).width() / 25.4 * 1440);
}

int paperHeightTwips(Paper paper) {
    const QPageSize size(paper == Paper::A4 ? QPageSize::A4 : QPageSize::B5);
    return qRound(size.size(QPageSize::Millimeter).height() / 25.4 * 1440);
}

QString chineseDate(const QDate& date) {
    return u"%1年%2月%3日"_s.arg(date.year()).arg(date.month()).arg(date.day());
}

QString twoDigitNumbers(const QString& result) {
    QStringList numbers = result.split(u' ', Qt::SkipEmptyParts);
    for (QString& n : numbers)
        if (n.size() == 1)
            n.prepend(u'0');
    return numbers.join(u' ');
}

QList<PrintPage> buildResultPages(Paper paper, const QString& issue, double start,
                                  const QStringList& saved, const QDate& printDate) {
    const int perPage = resultsPerLine(paper) * linesPerPage(paper);
    QList<PrintPage> pages{buildResultPage(paper, issue, start, saved, printDate)};
    const double first = roundHalfEven(start);
    // Only finite starts reach here with more to print; the count is bounded by the results.
    for (double next = first + perPage; std::isfinite(first) && next <= saved.size();
         next += perPage)
        pages.append(buildResultPage(paper, issue, next, saved, printDate));
    return pages;
}

int resultsPerLine(Paper paper) {
    return paper == Paper::A4 ? 4 : 3;
}

int linesPerPage(Paper paper) {
    return paper == Paper::A4 ? 42 : 36;
}

PrintPage buildResultPage(Paper paper, const QString& issue, double start, const QStringList& saved,
                          const QDate& printDate) {
    const PaperLayout l = layoutOf(paper);
    PrintPage page;
    page.paper = paper;
    page.widthTwips = paperWidthTwips(paper);
    page.heightTwips = paperHeightTwips(paper);

    page.ops.append(text(l.titleX, kTitleY, 14, u"    Ravelko第"_s + issue + u"期预选号码"_s));
    page.ops.append(line(kRuleStart, kTopRuleY, l.ruleEnd));
    page.ops.append(line(kRuleStart, kSecondRuleY, l.ruleEnd));

    // The start number is rounded as a list index is; NaN or infinity matches no place.
    const double first = roundHalfEven(start);
    const int perLine = resultsPerLine(paper);
    for (int row = 0; row < linesPerPage(paper); ++row) {
        QStringList places;
        bool any = false;
        for (int col = 0; col < perLine; ++col) {
            const QString t = placeText(saved, first + row * perLine + col);
            any = any || !t.isEmpty();
            places.append(t);
        }
        if (any)
            page.ops.append(
                text(kLineX, kFirstLineY + row * kLineStep, 10, places.join(u"    "_s)));
    }

    page.ops.append(line(kRuleStart, l.closingRuleY, l.ruleEnd));
    page.ops.append(text(kFooterX, l.dateY, 14,
                         u"打印日期： "_s + QLocale().toString(printDate, QLocale::ShortFormat)));
    page.ops.append(
        text(kFooterX, l.closingY, 12, u"感谢您使用Ravelko选号软件  "_s + chineseDate(printDate)));
    return page;
}

} // namespace ssq

#include "analysis/trend_chart_render.h"

#include <QFont>
#include <QPainter>
#include <QRectF>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kMarginTwips = 567; // 1 cm
constexpr double kTitleHeightTwips = 400;
const QColor kGrid(0xc8, 0xc8, 0xc8);
const QColor kRule(0x55, 0x55, 0x55);
const QColor kHeaderFill(0xe8, 0xe8, 0xe8);
const QColor kOmissionText(0x9a, 0x9a, 0x9a);

void setFontHeight(QPainter& painter, double height, bool bold) {
    const int pixels = std::max(1, static_cast<int>(height));
    // Most cells keep the font of the one before: a change of font is the dearer part of a cell.
    if (painter.font().pixelSize() == pixels && painter.font().bold() == bold)
        return;
    QFont font = painter.font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    painter.setFont(font);
}

// A font height at which `text` fits the width of `rect` and takes `share` of its height: a
// Chinese character is about as wide as the font is high, a digit about two thirds of that.
double fittedHeight(const QRectF& rect, const QString& text, double share) {
    double ems = 0;
    for (QChar c : text)
        ems += c.unicode() >= 0x2e80 ? 1.0 : 0.68;
    return std::min(rect.height() * share, rect.width() * 0.9 / std::max(1.2, ems));
}

void drawCentred(QPainter& painter, const QRectF& rect, const QString& text, const QColor& colour) {
    painter.setPen(colour);
    painter.drawText(rect, Qt::AlignCenter, text);
}

void paintTitle(QPainter& painter, const QRectF& rect, const QString& text, const QColor& colour) {
    painter.fillRect(rect, kHeaderFill);
    setFontHeight(painter, fittedHeight(rect, text, 0.55), true);
    drawCentred(painter, rect, text, colour);
}

QColor titleColour(int column) {
    if (column >= kTrendNumbers)
        return Qt::black;
    return trendColumnIsRed(column) ? trendRedBall() : trendBlueBall();
}

} // namespace

double TrendLayout::columnWidth(int column) const {
    return column < kTrendNumbers
               ? numberWidth
               : indicatorWidths[static_cast<std::size_t>(column - kTrendNumbers)];
}

double TrendLayout::columnX(int column) const {
    double x = rowTitleWidth + std::min(column, kTrendNumbers) * numberWidth;
    for (int i = 0; i < column - kTrendNumbers; ++i)
        x += indicatorWidths[static_cast<std::size_t>(i)];
    return x;
}

double TrendLayout::width() const {
    return columnX(TrendChartModel::kColumns);
}

TrendLayout screenTrendLayout() {
    return {76, 24, {36, 34, 30, 46, 46, 56, 34, 34}, 24, 22, 2};
}

TrendLayout paperTrendLayout() {
    // 49 numbers, eight indicators and the issue fit the width of A4 landscape within 1 cm.
    return {1100, 238, {330, 330, 300, 380, 380, 460, 330, 330}, 300, 240, 20};
}

void paintTrendCell(QPainter& painter, const QRectF& rect, const TrendCellLook& look) {
    painter.fillRect(rect, look.background);
    using Kind = TrendCellLook::Kind;
    if (look.kind == Kind::Empty || look.text.isEmpty())
        return;
    const double side = std::min(rect.width(), rect.height());
    if (look.kind == Kind::Ball || (look.kind == Kind::Pick && look.marked)) {
        const double d = side * 0.9;
        const QRectF ball(rect.center().x() - d / 2, rect.center().y() - d / 2, d, d);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(look.ball);
        painter.drawEllipse(ball);
        painter.restore();
        setFontHeight(painter, side * 0.55, true);
        drawCentred(painter, rect, look.text, Qt::white);
        return;
    }
    if (look.kind == Kind::Pick) {
        setFontHeight(painter, side * 0.55, false);
        drawCentred(painter, rect, look.text, look.ball);
        return;
    }
    // Three-digit counts still fit a narrow column.
    setFontHeight(painter, fittedHeight(rect, look.text, 0.55), false);
    drawCentred(painter, rect, look.text,
                look.kind == Kind::Omission ? kOmissionText : QColor(Qt::black));
}

void paintTrendRows(QPainter& painter, const TrendChartModel& model, const TrendLayout& layout,
                    int first, int last) {
    const double h = layout.rowHeight;
    const double top = layout.headerHeight;
    const double bottom = top + (last - first) * h;
    paintTitle(painter, QRectF(0, 0, layout.rowTitleWidth, top), u"期号"_s, Qt::black);
    for (int c = 0; c < TrendChartModel::kColumns; ++c)
        paintTitle(painter, QRectF(layout.columnX(c), 0, layout.columnWidth(c), top),
                   TrendChartModel::columnTitle(c), titleColour(c));
    for (int r = first; r < last; ++r) {
        const double y = top + (r - first) * h;
        const QRectF title(0, y, layout.rowTitleWidth, h);
        painter.fillRect(title, r < model.drawCount() ? QColor(Qt::white) : kHeaderFill);
        setFontHeight(painter, fittedHeight(title, model.rowTitle(r), 0.55),
                      r >= model.drawCount());
        drawCentred(painter, title, model.rowTitle(r), Qt::black);
        for (int c = 0; c < TrendChartModel::kColumns; ++c)
            paintTrendCell(painter, QRectF(layout.columnX(c), y, layout.columnWidth(c), h),
                           model.look(r, c));
    }

    // The grid, then the rules between zones, around the statistics and around the whole.
    QPen grid(kGrid);
    grid.setCosmetic(true);
    painter.setPen(grid);
    for (int r = first; r <= last; ++r)
        painter.drawLine(QPointF(0, top + (r - first) * h),
                         QPointF(layout.width(), top + (r - first) * h));
    for (int c = 0; c <= TrendChartModel::kColumns; ++c)
        painter.drawLine(QPointF(layout.columnX(c), 0), QPointF(layout.columnX(c), bottom));
    QPen rule(kRule, layout.separatorWidth);
    painter.setPen(rule);
    painter.drawLine(QPointF(layout.rowTitleWidth, 0), QPointF(layout.rowTitleWidth, bottom));
    for (int c = 0; c < TrendChartModel::kColumns; ++c)
        if (TrendChartModel::endsGroup(c))
            painter.drawLine(QPointF(layout.columnX(c + 1), 0),
                             QPointF(layout.columnX(c + 1), bottom));
    for (int boundary : {model.drawCount(), model.pickRow()})
        if (boundary > first && boundary < last)
            painter.drawLine(QPointF(0, top + (boundary - first) * h),
                             QPointF(layout.width(), top + (boundary - first) * h));
    painter.drawLine(QPointF(0, top), QPointF(layout.width(), top));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0, 0, layout.width(), bottom));
}

QImage trendChartImage(const TrendChartModel& model) {
    const TrendLayout layout = screenTrendLayout();
    const int rows = model.rowCount();
    QImage image(static_cast<int>(std::ceil(layout.width())) + 1,
                 static_cast<int>(std::ceil(layout.headerHeight + rows * layout.rowHeight)) + 1,
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintTrendRows(painter, model, layout, 0, rows);
    return image;
}

int trendRowsPerPage() {
    const TrendLayout layout = paperTrendLayout();
    const double room =
        paperWidthTwips(Paper::A4) - 2 * kMarginTwips - kTitleHeightTwips - layout.headerHeight;
    return static_cast<int>(room / layout.rowHeight);
}

std::vector<std::pair<int, int>> trendPageRows(int rowCount, int rowsPerPage) {
    std::vector<std::pair<int, int>> pages;
    for (int first = 0; first < rowCount; first += rowsPerPage)
        pages.emplace_back(first, std::min(rowCount, first + rowsPerPage));
    return pages;
}

QList<PrintPage> trendChartPages(const TrendChartModel& model, const QString& title) {
    const auto ranges = trendPageRows(model.rowCount(), trendRowsPerPage());
    QList<PrintPage> pages;
    const int count = static_cast<int>(ranges.size());
    for (int p = 0; p < count; ++p) {
        PrintPage page;
        page.paper = Paper::A4;
        page.landscape = true;
        // Landscape: the paper's long side runs across.
        page.widthTwips = paperHeightTwips(Paper::A4);
        page.heightTwips = paperWidthTwips(Paper::A4);
        const auto [first, last] = ranges[static_cast<std::size_t>(p)];
        const QString heading = u"%1    第%2页，共%3页"_s.arg(title).arg(p + 1).arg(count);
        // The model outlives the printing: it belongs to the window that prints.
        page.paint = [&model, first, last, heading](QPainter& painter) {
            painter.translate(kMarginTwips, kMarginTwips);
            setFontHeight(painter, kTitleHeightTwips * 0.6, true);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(0, 0, paperHeightTwips(Paper::A4), kTitleHeightTwips),
                             Qt::AlignLeft | Qt::AlignTop, heading);
            painter.translate(0, kTitleHeightTwips);
            paintTrendRows(painter, model, paperTrendLayout(), first, last);
        };
        pages.append(page);
    }
    return pages;
}

} // namespace ssq

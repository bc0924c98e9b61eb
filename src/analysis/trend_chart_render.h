#pragma once
// Painting the trend chart: one routine per cell, used by the window's delegate, the saved
// picture and the printed pages, so all three look the same.

#include "analysis/trend_chart_model.h"
#include "red/result_page.h"

#include <QImage>
#include <QList>

#include <utility>
#include <vector>

class QPainter;
class QRectF;

namespace ssq {

// Sizes in the painter's units: pixels on screen and in the picture, twips on paper.
struct TrendLayout {
    double rowTitleWidth = 0;
    double numberWidth = 0;
    std::array<double, kTrendIndicators> indicatorWidths{};
    double headerHeight = 0;
    double rowHeight = 0;
    double separatorWidth = 0; // the rules between zones and below the draws

    double columnWidth(int column) const;
    double columnX(int column) const; // left edge, after the row titles
    double width() const;
};

TrendLayout screenTrendLayout();
TrendLayout paperTrendLayout();

void paintTrendCell(QPainter& painter, const QRectF& rect, const TrendCellLook& look);

// The column titles from (0, 0), then rows [first, last) of the model under them.
void paintTrendRows(QPainter& painter, const TrendChartModel& model, const TrendLayout& layout,
                    int first, int last);

// "保存图片…": every row of the chart, not only what the window shows.
QImage trendChartImage(const TrendChartModel& model);

// A4 landscape pages: the rows of each page, the column titles repeated on every page.
int trendRowsPerPage();
std::vector<std::pair<int, int>> trendPageRows(int rowCount, int rowsPerPage);
QList<PrintPage> trendChartPages(const TrendChartModel& model, const QString& title);

} // namespace ssq

#include "ui/widgets/grid_widths.h"

#include "ui/twips.h"

#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace ssq {

namespace {

int allowedWidth(QHeaderView& header, double twips) {
    const int pixels = std::max(0, twipsToPixels(twips));
    // Narrow columns are wanted (a width of 0 hides a column's content): let them through.
    if (pixels < header.minimumSectionSize())
        header.setMinimumSectionSize(pixels);
    return pixels;
}

} // namespace

void setDefaultColumnWidth(QTableView& grid, double twips) {
    QHeaderView& header = *grid.horizontalHeader();
    const int pixels = allowedWidth(header, twips);
    header.setDefaultSectionSize(pixels);
    for (int c = 0; c < header.count(); ++c)
        header.resizeSection(c, pixels);
}

void setColumnWidth(QTableView& grid, int column, double twips) {
    QHeaderView& header = *grid.horizontalHeader();
    header.resizeSection(column, allowedWidth(header, twips));
}

void widenColumnsToContent(QTableView& grid) {
    QHeaderView& header = *grid.horizontalHeader();
    // The cells' own size hint, public on the base view.
    const QAbstractItemView& view = grid;
    for (int c = 0; c < header.count(); ++c) {
        const int width = header.sectionSize(c);
        if (width == 0 || header.isSectionHidden(c))
            continue;
        const int content = std::max(view.sizeHintForColumn(c), header.sectionSizeHint(c));
        if (content > width)
            header.resizeSection(c, content);
    }
}

} // namespace ssq

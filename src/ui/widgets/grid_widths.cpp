#include "ui/widgets/grid_widths.h"

#include "ui/twips.h"

#include <QHeaderView>
#include <QScrollBar>
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

void fitColumnsToView(QTableView& grid, int firstColumn) {
    QHeaderView& header = *grid.horizontalHeader();
    const QAbstractItemView& view = grid;
    int fixed = 0;
    QList<int> shared;
    for (int c = 0; c < header.count(); ++c) {
        if (header.isSectionHidden(c) || header.sectionSize(c) == 0)
            continue;
        if (c < firstColumn)
            fixed += header.sectionSize(c);
        else
            shared.append(c);
    }
    if (shared.isEmpty())
        return;
    // The view's width less the row captions, the frame and the vertical scroll bar when the
    // rows are more than the view shows.
    const QHeaderView& rows = *grid.verticalHeader();
    const bool scrolls = rows.length() > grid.height() - header.height() - 2 * grid.frameWidth();
    const int room = grid.width() - (rows.isHidden() ? 0 : rows.sizeHint().width()) -
                     2 * grid.frameWidth() -
                     (scrolls ? grid.verticalScrollBar()->sizeHint().width() : 0) - fixed;
    const int each = std::max(0, room / int(shared.size()));
    for (int c : shared) {
        const int content = std::max(view.sizeHintForColumn(c), header.sectionSizeHint(c));
        header.resizeSection(c, std::max(each, content));
    }
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

#pragma once
// Column widths of a data grid, given in twips like every grid width of the program.

class QTableView;

namespace ssq {

// Sets every column, present and future (after a new query), to the width.
void setDefaultColumnWidth(QTableView& grid, double twips);
// Sets one column (0-based) of the current result.
void setColumnWidth(QTableView& grid, int column, double twips);
// Widens every column narrower than what it shows, its caption and its cells at the grid's
// font, so no text is cut; never narrows one, and leaves a column of width 0 hidden.
void widenColumnsToContent(QTableView& grid);
// Shares the grid's width among the columns from `firstColumn` on, the ones before keeping
// theirs, so a row of many numbers shows whole without scrolling sideways; no column gets
// narrower than what it shows.
void fitColumnsToView(QTableView& grid, int firstColumn);

} // namespace ssq

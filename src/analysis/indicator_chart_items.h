#pragma once
// The 35 charts of the indicator chart window: three menus, each item naming one kjzb column.

#include <QString>

#include <vector>

namespace ssq {

struct IndicatorChartMenu {
    QString name; // objectName of the menu
    QString caption;
};

struct IndicatorChartItem {
    QString menu; // the menu's name
    QString name; // objectName of the item
    QString caption;
    int column = 0; // kjzb column: indicator k sits at k + 2
};

// In menu-bar order.
const std::vector<IndicatorChartMenu>& indicatorChartMenus();
// In menu order, menu after menu.
const std::vector<IndicatorChartItem>& indicatorChartItems();

// The title of a column's chart, the indicator's label.
QString indicatorChartTitle(int column);

} // namespace ssq

#include "shell/widgets/analysis_menus.h"

#include "analysis/widgets/indicator_chart_window.h"
#include "analysis/widgets/number_characteristics_window.h"
#include "analysis/widgets/trend_chart_window.h"
#include "shell/widgets/main_window.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace ssq {

void connectAnalysisMenus(MainWindow& main) {
    Database& db = main.database();
    main.onMenuItem(u"ZST"_s, [&main, &db] {
        main.openWindow(u"TrendChartWindow"_s, [&db] { return new TrendChartWindow(db); });
    });
    main.onMenuItem(u"HMFX"_s, [&main, &db] {
        main.openWindow(u"Form2"_s, [&db] { return new NumberCharacteristicsWindow(db); });
    });
    main.onMenuItem(u"ZXT"_s, [&main, &db] {
        main.openWindow(u"Form6"_s, [&db] { return new IndicatorChartWindow(db); });
    });
}

} // namespace ssq

#include "shell/qt_analysis_menus.h"

#include "analysis/indicator_chart_window.h"
#include "analysis/number_characteristics_window.h"
#include "shell/main_window.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// Loads the window when it is not loaded yet, and shows it modeless over the main window.
void openOnce(MainWindow& main, const QString& name, const std::function<QWidget*()>& make) {
    QWidget* window = main.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    if (!window) {
        window = make();
        window->setParent(&main, Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void connectAnalysisMenus(MainWindow& main) {
    Database& db = main.database();
    main.onMenuItem(u"HMFX"_s, [&main, &db] {
        openOnce(main, u"Form2"_s, [&db] { return new NumberCharacteristicsWindow(db); });
    });
    main.onMenuItem(u"ZXT"_s, [&main, &db] {
        openOnce(main, u"Form6"_s, [&db] { return new IndicatorChartWindow(db); });
    });
}

} // namespace ssq

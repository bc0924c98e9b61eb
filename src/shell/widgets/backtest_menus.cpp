#include "shell/widgets/backtest_menus.h"

#include "backtest/widgets/backtest_window.h"
#include "red/widgets/condition_panel_view.h"
#include "red/widgets/last_draw_frame.h"
#include "backtest/live_count.h"
#include "shell/widgets/main_window.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// Every box and button of `area` that holds part of the panel tells the live count it changed.
void followEdits(QWidget* area, LiveCount* count) {
    for (QLineEdit* box : area->findChildren<QLineEdit*>())
        QObject::connect(box, &QLineEdit::textChanged, count, &LiveCount::panelChanged);
    for (QAbstractButton* button : area->findChildren<QAbstractButton*>())
        if (button->isCheckable())
            QObject::connect(button, &QAbstractButton::toggled, count, &LiveCount::panelChanged);
}

void connectLiveCount(MainWindow& main) {
    auto* label = main.findChild<QLabel*>(u"LiveCount"_s);
    if (!label)
        return;
    auto* count = new LiveCount(
        [&main] { return readSelectionInputs(main.panelState(), main.hotColdTable()); }, &main);
    QObject::connect(count, &LiveCount::textChanged, label, &QLabel::setText);
    followEdits(main.lastDrawFrame(), count);
    followEdits(main.conditionPanel(), count);
    // The hot/cold table has no box of its own; the button that fills it stands for it.
    QObject::connect(main.conditionPanel()->hotColdButton(), &QPushButton::clicked, count,
                     &LiveCount::panelChanged);
    count->countNow();
}

} // namespace

void connectBacktestMenus(MainWindow& main) {
    auto window = std::make_shared<QPointer<BacktestWindow>>();
    main.onMenuItem(u"HTCS"_s, [&main, window] {
        if (!*window)
            *window = new BacktestWindow(
                main.database(), [&main] { return main.panelState(); }, &main);
        (*window)->show();
        (*window)->raise();
        (*window)->activateWindow();
    });
    connectLiveCount(main);
}

} // namespace ssq

#include "shell/widgets/ticket_menus.h"

#include "tickets/widgets/prize_check_window.h"
#include "tickets/random_pick.h"
#include "tickets/widgets/random_pick_dialog.h"
#include "red/result_list.h"
#include "tickets/widgets/ticket_export_dialog.h"
#include "tickets/widgets/wheel_window.h"
#include "shell/widgets/main_window.h"
#include "ui/prompter.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>

#include <functional>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

void addItem(MainWindow& main, const QString& menu, const QString& name, const QString& caption,
             const std::function<void()>& work) {
    QAction* owner = main.menuItem(menu);
    if (!owner || !owner->menu())
        return;
    auto* item = new QAction(caption, owner->menu());
    item->setObjectName(name);
    owner->menu()->addAction(item);
    QObject::connect(item, &QAction::triggered, &main, work);
}

// The dialogs work on the kept combinations; with none there is nothing to do.
bool haveResult(MainWindow& main) {
    if (main.selectionResult().count() > 0)
        return true;
    prompter().message(&main, u"还没有选号结果，请先点击“红球选号”"_s, Prompter::Icon::Warning);
    return false;
}

// The picked tickets become the result: Text2 says so and Combo1 lists them.
void showPicked(MainWindow& main, const SelectionResult& tickets) {
    main.setSelectionResult(tickets);
    main.resultText()->setText(pickResultLine(tickets.count()));
    const SelectionResult& now = main.selectionResult();
    QComboBox* list = main.resultList();
    list->clear();
    list->addItems(listResults(now.count(), [&now](int i) { return now.text(i); }).items);
}

} // namespace

void connectTicketMenus(MainWindow& main) {
    addItem(main, u"XHJGCC"_s, u"DCJG"_s, u"导出选号结果…"_s, [&main] {
        if (haveResult(main))
            (new TicketExportDialog(main.selectionResult(), &main))->open();
    });
    addItem(main, u"XHJGCC"_s, u"SJXZ"_s, u"从结果中随机选N注"_s, [&main] {
        if (!haveResult(main))
            return;
        auto* dialog = new RandomPickDialog(main.selectionResult(), &main);
        QObject::connect(dialog, &RandomPickDialog::picked, &main,
                         [&main](const SelectionResult& tickets) { showPicked(main, tickets); });
        dialog->open();
    });
    addItem(main, u"XHJGCC"_s, u"XZJZ"_s, u"旋转矩阵与缩水…"_s, [&main] {
        main.openWindow(u"FormXZJZ"_s, [&main] {
            auto* window = new WheelWindow([&main] { return main.selectionResult(); });
            QObject::connect(window, &WheelWindow::resultChosen, &main,
                             [&main](const SelectionResult& tickets, const QString& line) {
                                 showPicked(main, tickets);
                                 main.resultText()->setText(line);
                             });
            return window;
        });
    });
    addItem(main, u"CX"_s, u"ZJCX"_s, u"中奖查询"_s, [&main] {
        QWidget* window = main.findChild<PrizeCheckWindow*>(u"FormZJCX"_s);
        if (!window)
            window = new PrizeCheckWindow(main.database(), &main);
        window->show();
        window->raise();
        window->activateWindow();
    });
}

} // namespace ssq

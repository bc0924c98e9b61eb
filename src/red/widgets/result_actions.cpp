#include "red/widgets/result_actions.h"

#include "red/last_draw_check_run.h"
#include "red/saved_results.h"
#include "red/widgets/results_window.h"
#include "store/database.h"
#include "ui/prompter.h"
#include "ui/widgets/single_window.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

namespace ssq {

ResultActions::ResultActions(Database& db, QWidget* window)
    : QObject(window), m_db(db), m_window(window) {}

void ResultActions::showResultList(QComboBox& list, int count, const ResultText& textAt) {
    const ResultListing listing = listResults(count, textAt);
    const int held = list.count();
    const int shown = static_cast<int>(listing.items.size());
    for (int i = 0; i < std::min(shown, held); ++i)
        list.setItemText(i, listing.items[i]);
    if (shown > held)
        list.addItems(listing.items.mid(held));
    for (int i = shown; i < held; ++i)
        list.setItemText(i, QString());
    prompter().message(m_window, listing.message);
}

bool ResultActions::saveResults(int count, const ResultText& textAt) {
    prompter().message(m_window, savePreparationMessage());
    const Outcome outcome = ssq::saveResults(m_db.connection(), count, textAt);
    prompter().message(m_window, outcome.ok ? savedCountMessage(count) : outcome.message,
                       outcome.ok ? Prompter::Icon::Information : Prompter::Icon::Warning);
    return outcome.ok;
}

bool ResultActions::saveSelection(const SelectionResult& result, const ResultText& textAt) {
    if (!result.completed()) {
        prompter().message(
            m_window,
            u"现在没有选号结果可以保存，请先点击“红球选号”选出号码。原来保存的号码没有改动。"_s,
            Prompter::Icon::Warning);
        return false;
    }
    return saveResults(result.count(), textAt);
}

ResultsWindow* ResultActions::openResultsWindow() {
    return showSingleWindow(m_results, m_window, [this] {
        auto* window = new ResultsWindow(m_db, m_window);
        if (!window->loadError().isEmpty())
            prompter().message(m_window, window->loadError(), Prompter::Icon::Warning);
        return window;
    });
}

bool ResultActions::checkLastDraw(PanelState& panel) {
    const LastDrawCheckRun run = runLastDrawCheck(m_db.connection(), panel);
    prompter().message(m_window, run.message,
                       run.ok ? Prompter::Icon::None : Prompter::Icon::Warning);
    return run.ok;
}

} // namespace ssq

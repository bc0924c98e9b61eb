#include "shell/widgets/selection_runner.h"

#include "red/widgets/condition_panel_view.h"
#include "red/widgets/last_draw_frame.h"
#include "red/selection_engine.h"
#include "shell/widgets/main_window.h"
#include "ui/prompter.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>

namespace ssq {

SelectionRunner::SelectionRunner(MainWindow& window) : QObject(&window), m_window(window) {
    window.progressBar()->setRange(0, SelectionEngine::kProgressMaximum);
    window.progressBar()->setValue(0);
    connect(&m_job, &BackgroundJob::progressChanged, this,
            [this](qint64 done) { m_window.progressBar()->setValue(static_cast<int>(done)); });
}

SelectionRunner::~SelectionRunner() = default;

void SelectionRunner::start() {
    if (isRunning())
        return;
    // The engine reads the panel once, here; the walk touches no widget.
    auto engine =
        std::make_shared<const SelectionEngine>(m_window.panelState(), m_window.hotColdTable());
    if (const std::optional<QString> refusal = engine->refusal()) {
        prompter().message(&m_window, *refusal, Prompter::Icon::Warning);
        return;
    }
    setInputsEnabled(false);
    m_window.progressBar()->setValue(0);
    m_job.start(
        [engine](JobControl& control) {
            return engine->run([&control](int done) { control.setProgress(done); },
                               control.cancelFlag());
        },
        [this](JobOutcome<SelectionResult> outcome) { runEnded(std::move(outcome)); });
}

void SelectionRunner::runEnded(JobOutcome<SelectionResult> outcome) {
    // A finished walk shows a full bar; a new run starts it again from 0.
    m_window.progressBar()->setValue(m_window.progressBar()->maximum());
    setInputsEnabled(true);
    if (!outcome.value) {
        prompter().message(&m_window, outcome.failure, Prompter::Icon::Warning);
    } else if (outcome.value->completed()) {
        m_window.resultText()->setText(outcome.value->resultLine());
        m_window.setSelectionResult(std::move(*outcome.value));
    }
    Q_EMIT finished();
}

void SelectionRunner::setInputsEnabled(bool enabled) {
    m_window.menuBar()->setEnabled(enabled);
    m_window.lastDrawFrame()->setEnabled(enabled);
    m_window.conditionPanel()->setEnabled(enabled);
    // The result list would show the previous run's combinations while a new one is made.
    QPushButton* results = m_window.showResultsButton();
    if (!enabled)
        m_resultsButtonWasEnabled = results->isEnabled();
    results->setEnabled(enabled ? m_resultsButtonWasEnabled : false);
}

} // namespace ssq

#include "shell/widgets/selection_runner.h"

#include "red/selection_engine.h"
#include "shell/widgets/main_window.h"
#include "ui/prompter.h"


namespace ssq {

SelectionRunner::SelectionRunner(MainWindow& window) : QObject(&window), m_window(window) {
    window.showProgress(0, SelectionEngine::kProgressMaximum);
    connect(&m_job, &BackgroundJob::progressChanged, this, [this](qint64 done) {
        if (m_window.isRunning())
            m_window.showProgress(static_cast<int>(done), SelectionEngine::kProgressMaximum);
    });
}

SelectionRunner::~SelectionRunner() = default;

bool SelectionRunner::isRunning() const {
    return m_window.isRunning();
}

void SelectionRunner::start() {
    if (m_window.isRunning())
        return;
    // The engine reads the panel once, here; the walk touches no widget.
    auto engine =
        std::make_shared<const SelectionEngine>(m_window.panelState(), m_window.hotColdTable());
    if (const std::optional<QString> refusal = engine->refusal()) {
        prompter().message(&m_window, *refusal, Prompter::Icon::Warning);
        return;
    }
    m_window.setRunning(true);
    m_window.showProgress(0, SelectionEngine::kProgressMaximum);
    m_job.start(
        [engine](JobControl& control) {
            return engine->run([&control](int done) { control.setProgress(done); },
                               control.cancelFlag());
        },
        [this](JobOutcome<SelectionResult> outcome) { runEnded(std::move(outcome)); });
}

void SelectionRunner::runEnded(JobOutcome<SelectionResult> outcome) {
    // A finished walk shows a full bar; a new run starts it again from 0.
    m_window.showProgress(SelectionEngine::kProgressMaximum, SelectionEngine::kProgressMaximum);
    m_window.setRunning(false);
    if (!outcome.value) {
        prompter().message(&m_window, outcome.failure, Prompter::Icon::Warning);
    } else if (outcome.value->completed()) {
        const QString line = outcome.value->resultLine();
        m_window.showSelectionResult(std::move(*outcome.value), line, false);
    }
    Q_EMIT finished();
}

} // namespace ssq

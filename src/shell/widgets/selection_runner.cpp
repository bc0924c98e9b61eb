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
#include <QtConcurrent/QtConcurrentRun>

namespace ssq {

SelectionRunner::SelectionRunner(MainWindow& window) : QObject(&window), m_window(window) {
    window.progressBar()->setRange(0, SelectionEngine::kProgressMaximum);
    window.progressBar()->setValue(0);
    connect(&m_watcher, &QFutureWatcher<SelectionResult>::finished, this,
            &SelectionRunner::runEnded);
}

SelectionRunner::~SelectionRunner() {
    if (m_cancel)
        m_cancel->store(true);
    m_watcher.waitForFinished();
}

void SelectionRunner::start() {
    if (m_running)
        return;
    // The engine reads the panel once, here; the walk touches no widget.
    auto engine =
        std::make_shared<const SelectionEngine>(m_window.panelState(), m_window.hotColdTable());
    if (const std::optional<QString> refusal = engine->refusal()) {
        prompter().message(&m_window, *refusal, Prompter::Icon::Warning);
        return;
    }
    m_running = true;
    setInputsEnabled(false);
    m_window.progressBar()->setValue(0);

    m_cancel = std::make_shared<std::atomic_bool>(false);
    auto cancel = m_cancel;
    m_watcher.setFuture(QtConcurrent::run([engine, cancel, this] {
        return engine->run(
            [this](int done) {
                // Runs on the worker: the bar is set on the window's thread.
                QMetaObject::invokeMethod(
                    this, [this, done] { showProgress(done); }, Qt::QueuedConnection);
            },
            cancel.get());
    }));
}

void SelectionRunner::showProgress(int done) {
    if (m_running)
        m_window.progressBar()->setValue(done);
}

void SelectionRunner::runEnded() {
    SelectionResult result = m_watcher.result();
    m_running = false;
    // A finished walk shows a full bar; a new run starts it again from 0.
    m_window.progressBar()->setValue(m_window.progressBar()->maximum());
    setInputsEnabled(true);
    if (result.completed()) {
        m_window.resultText()->setText(result.resultLine());
        m_window.setSelectionResult(std::move(result));
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

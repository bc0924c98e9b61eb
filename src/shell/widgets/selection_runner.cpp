#include "shell/widgets/selection_runner.h"

#include "red/selection_engine.h"
#include "shell/widgets/main_window.h"
#include "ui/prompter.h"

#include <QtConcurrent/QtConcurrentRun>

namespace ssq {

SelectionRunner::SelectionRunner(MainWindow& window) : QObject(&window), m_window(window) {
    window.showProgress(0, SelectionEngine::kProgressMaximum);
    connect(&m_watcher, &QFutureWatcher<SelectionResult>::finished, this,
            &SelectionRunner::runEnded);
}

SelectionRunner::~SelectionRunner() {
    if (m_cancel)
        m_cancel->store(true);
    m_watcher.waitForFinished();
}

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
    if (m_window.isRunning())
        m_window.showProgress(done, SelectionEngine::kProgressMaximum);
}

void SelectionRunner::runEnded() {
    SelectionResult result = m_watcher.result();
    // A finished walk shows a full bar; a new run starts it again from 0.
    m_window.showProgress(SelectionEngine::kProgressMaximum, SelectionEngine::kProgressMaximum);
    m_window.setRunning(false);
    if (result.completed()) {
        const QString line = result.resultLine();
        m_window.showSelectionResult(std::move(result), line, false);
    }
    Q_EMIT finished();
}

} // namespace ssq

#pragma once
// "红球选号" for the main window: the engine walks the combinations on a worker thread while
// ProgressBar1 shows how far it got and the panel, the last-draw row and the menus are disabled,
// so the inputs cannot change under the run. At the end Text2 tells the outcome, the bar stays
// full and the window keeps the result.

#include "red/selection_result.h"
#include "ui/background_job.h"

#include <QObject>

namespace ssq {

class MainWindow;

class SelectionRunner : public QObject {
    Q_OBJECT
public:
    explicit SelectionRunner(MainWindow& window);
    // A run still under way is cancelled and waited for; its result is dropped.
    ~SelectionRunner() override;

    bool isRunning() const;

public Q_SLOTS:
    // Shows the refusal and changes nothing, or starts the run.
    void start();

Q_SIGNALS:
    // The run ended and Text2, the bar and the window's result are up to date.
    void finished();

private:
    void runEnded(JobOutcome<SelectionResult> outcome);

    MainWindow& m_window;
    BackgroundJob m_job; // last: destroyed first, so no run outlives what it reports to
};

} // namespace ssq

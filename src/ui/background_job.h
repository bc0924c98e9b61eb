#pragma once
// Work that takes more than a moment runs here, off the window's thread: on a worker thread of its
// own, asked to stop through a flag it polls, reporting how far it got through counters that the
// window's thread reads a few times a second (a worker never posts an event per step), and
// handing its outcome back on the thread that started it. A window starts, cancels and shows;
// it never touches a thread, a future or a lock.

#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

namespace ssq {

// What the work sees of its run, on the worker.
class JobControl {
public:
    bool cancelled() const { return m_cancel.load(std::memory_order_relaxed); }
    // For work that polls a flag of its own.
    const std::atomic_bool* cancelFlag() const { return &m_cancel; }
    // Done so far, of `total` (0 while unknown). The count never goes down, so the threads of a
    // parallel walk may report out of order.
    void setProgress(std::int64_t done, std::int64_t total = 0);
    // For a loop that stores its own count as it goes.
    std::atomic<std::int64_t>* doneCounter() { return &m_done; }

private:
    friend class BackgroundJob;
    std::atomic_bool m_cancel{false};
    std::atomic<std::int64_t> m_done{0};
    std::atomic<std::int64_t> m_total{0};
};

// How a run ended, handed over on the thread that started it.
template <typename T> struct JobOutcome {
    std::optional<T> value; // what the work returned; empty when it failed
    QString failure;        // why it failed, in words for the player
    bool cancelled = false; // cancel() was called before it ended
};

class BackgroundJob : public QObject {
    Q_OBJECT
public:
    template <typename Work> using Result = std::invoke_result_t<Work&, JobControl&>;

    static constexpr int kProgressIntervalMs = 50;

    explicit BackgroundJob(QObject* parent = nullptr, int progressIntervalMs = kProgressIntervalMs);
    // Cancels every run and waits for it; no outcome arrives after.
    ~BackgroundJob() override;

    // Runs work(control) on a new worker thread and calls done(outcome) on this object's thread
    // when it has ended. A run still under way is cancelled and its outcome dropped, so only the
    // newest run is ever reported. An exception thrown by the work arrives as the failure.
    template <typename Work>
    void start(Work work, std::function<void(JobOutcome<Result<Work>>)> done);

    // From start() until the outcome has been handed over.
    bool isRunning() const;
    // Asks the current run to stop; its outcome still arrives, marked cancelled.
    void cancel();
    // Cancels every run and waits for it to end; the outcomes are dropped.
    void stop();

Q_SIGNALS:
    // The current run's progress, at most once an interval and only when it moved; a last time
    // just before the outcome.
    void progressChanged(qint64 done, qint64 total);

private:
    struct Run;
    void launch(std::function<void(JobControl&)> work, std::function<void(bool cancelled)> deliver);
    void runEnded(quint64 id);
    void showProgress();

    std::vector<std::shared_ptr<Run>> m_runs; // the current run last; older ones are cancelled
    quint64 m_lastId = 0;
    QTimer m_timer;
};

// The words for an exception that escaped the work: the current one, inside a catch block.
QString jobFailureText(const std::exception_ptr& failure);

template <typename Work>
void BackgroundJob::start(Work work, std::function<void(JobOutcome<Result<Work>>)> done) {
    auto outcome = std::make_shared<JobOutcome<Result<Work>>>();
    launch(
        [work = std::move(work), outcome](JobControl& control) mutable {
            try {
                outcome->value.emplace(work(control));
            } catch (...) {
                outcome->failure = jobFailureText(std::current_exception());
            }
        },
        [done = std::move(done), outcome](bool cancelled) {
            outcome->cancelled = cancelled;
            done(std::move(*outcome));
        });
}

} // namespace ssq

#include "ui/background_job.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <thread>

using namespace Qt::StringLiterals;

namespace ssq {

void JobControl::setProgress(std::int64_t done, std::int64_t total) {
    if (total > 0)
        m_total.store(total, std::memory_order_relaxed);
    std::int64_t shown = m_done.load(std::memory_order_relaxed);
    while (shown < done && !m_done.compare_exchange_weak(shown, done, std::memory_order_relaxed)) {
    }
}

QString jobFailureText(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return u"内存不足，运算没有完成"_s;
    } catch (const std::exception& e) {
        return u"运算出错，没有完成：%1"_s.arg(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return u"运算出错，没有完成"_s;
    }
}

struct BackgroundJob::Run {
    quint64 id = 0;
    JobControl control;
    std::function<void(bool)> deliver;
    std::thread thread;
    bool current = true; // false once a newer run started or the job stopped
    std::int64_t shownDone = -1;
    std::int64_t shownTotal = -1;
};

BackgroundJob::BackgroundJob(QObject* parent, int progressIntervalMs) : QObject(parent) {
    m_timer.setInterval(progressIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &BackgroundJob::showProgress);
}

BackgroundJob::~BackgroundJob() {
    stop();
}

bool BackgroundJob::isRunning() const {
    return !m_runs.empty() && m_runs.back()->current;
}

void BackgroundJob::cancel() {
    if (isRunning())
        m_runs.back()->control.m_cancel = true;
}

void BackgroundJob::stop() {
    m_timer.stop();
    for (const std::shared_ptr<Run>& run : m_runs) {
        run->current = false;
        run->control.m_cancel = true;
    }
    for (const std::shared_ptr<Run>& run : m_runs)
        run->thread.join();
    // The ends they posted find no run and are ignored.
    m_runs.clear();
}

void BackgroundJob::launch(std::function<void(JobControl&)> work,
                           std::function<void(bool)> deliver) {
    for (const std::shared_ptr<Run>& old : m_runs) {
        old->current = false;
        old->control.m_cancel = true;
    }
    auto run = std::make_shared<Run>();
    run->id = ++m_lastId;
    run->deliver = std::move(deliver);
    m_runs.push_back(run);
    // The worker holds only its control; the run's record stays with this thread.
    JobControl* control = &run->control;
    const quint64 id = run->id;
    run->thread = std::thread([this, control, id, work = std::move(work)] {
        work(*control);
        QMetaObject::invokeMethod(
            this, [this, id] { runEnded(id); }, Qt::QueuedConnection);
    });
    m_timer.start();
}

void BackgroundJob::runEnded(quint64 id) {
    const auto found = std::find_if(m_runs.begin(), m_runs.end(),
                                    [id](const std::shared_ptr<Run>& r) { return r->id == id; });
    if (found == m_runs.end())
        return;
    const std::shared_ptr<Run> run = *found;
    run->thread.join();
    if (!run->current) {
        m_runs.erase(found);
        return;
    }
    showProgress();
    m_timer.stop();
    m_runs.erase(found);
    // Last, because `deliver` may start the next run.
    run->deliver(run->control.cancelled());
}

void BackgroundJob::showProgress() {
    if (!isRunning())
        return;
    Run& run = *m_runs.back();
    const std::int64_t done = run.control.m_done.load(std::memory_order_relaxed);
    const std::int64_t total = run.control.m_total.load(std::memory_order_relaxed);
    if (done == run.shownDone && total == run.shownTotal)
        return;
    run.shownDone = done;
    run.shownTotal = total;
    Q_EMIT progressChanged(done, total);
}

} // namespace ssq

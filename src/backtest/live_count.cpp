#include "backtest/live_count.h"

#include "red/selection_engine.h"

#include <QtConcurrent/QtConcurrentRun>

using namespace Qt::StringLiterals;

namespace ssq {

QString liveCountText(const SelectionInputs& inputs, const std::atomic_bool* cancel) {
    if (const std::optional<RefusalReason> reason = refusalReason(inputs))
        return refusalShortText(*reason);
    const SelectionEngine engine(inputs);
    const std::optional<int> count = engine.countKept(cancel);
    if (!count)
        return {};
    return u"当前条件保留%1注"_s.arg(*count);
}

LiveCount::LiveCount(Reader read, QObject* parent, int debounceMs)
    : QObject(parent), m_read(std::move(read)) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(debounceMs);
    connect(&m_timer, &QTimer::timeout, this, &LiveCount::countNow);
}

LiveCount::~LiveCount() {
    for (Pending& p : m_pending) {
        p.cancel->store(true);
        p.future.waitForFinished();
    }
}

void LiveCount::panelChanged() {
    m_timer.start();
}

void LiveCount::countNow() {
    m_timer.stop();
    // Older counts still walking are of no use any more.
    for (Pending& p : m_pending)
        p.cancel->store(true);
    Pending pending;
    pending.generation = ++m_generation;
    pending.cancel = std::make_shared<std::atomic_bool>(false);
    // The worker gets its own copy of the inputs and of the flag, nothing of this object.
    pending.future = QtConcurrent::run([inputs = m_read(), cancel = pending.cancel] {
        return liveCountText(inputs, cancel.get());
    });
    auto* watcher = new QFutureWatcher<QString>(this);
    connect(watcher, &QFutureWatcher<QString>::finished, this,
            [this, watcher, pending] { countFinished(watcher, pending); });
    watcher->setFuture(pending.future);
    m_pending.push_back(pending);
}

void LiveCount::countFinished(QFutureWatcher<QString>* watcher, const Pending& pending) {
    watcher->deleteLater();
    std::erase_if(m_pending, [&](const Pending& p) { return p.generation == pending.generation; });
    // A cancelled count, or one older than the count shown, is dropped.
    if (pending.cancel->load() || pending.generation <= m_shownGeneration)
        return;
    m_shownGeneration = pending.generation;
    m_text = pending.future.result();
    Q_EMIT textChanged(m_text);
}

} // namespace ssq

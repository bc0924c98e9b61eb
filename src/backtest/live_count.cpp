#include "backtest/live_count.h"

#include "red/selection_engine.h"

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

void LiveCount::panelChanged() {
    m_timer.start();
}

void LiveCount::countNow() {
    m_timer.stop();
    const quint64 generation = ++m_generation;
    // The worker gets its own copy of the inputs, nothing of this object.
    m_job.start([inputs = m_read()](
                    JobControl& control) { return liveCountText(inputs, control.cancelFlag()); },
                [this, generation](JobOutcome<QString> outcome) {
                    m_shownGeneration = generation;
                    if (!outcome.value)
                        return; // a count that failed leaves the line as it was
                    m_text = *outcome.value;
                    Q_EMIT textChanged(m_text);
                });
}

} // namespace ssq

#pragma once
// The count beside the result line while the player edits the panel: how many combinations
// the conditions as they stand would keep. Edits restart a short timer; when it runs out the
// panel is read once and counted in the background, and only the newest count is shown, so a
// slow count never overwrites the answer to a later edit.

#include "model/hot_cold.h"
#include "red/panel_state.h"
#include "red/selection_inputs.h"
#include "ui/background_job.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <functional>

namespace ssq {

// "当前条件保留N注", or in a few words why a run would be refused; empty when cancelled.
QString liveCountText(const SelectionInputs& inputs, const std::atomic_bool* cancel = nullptr);

class LiveCount : public QObject {
    Q_OBJECT
public:
    using Reader = std::function<SelectionInputs()>;
    static constexpr int kDebounceMs = 150;

    // `read` is called on this object's thread when the timer runs out. A count still under
    // way when the object goes is cancelled and waited for.
    LiveCount(Reader read, QObject* parent = nullptr, int debounceMs = kDebounceMs);

    QString text() const { return m_text; }
    // The generation of the newest request and of the count shown.
    quint64 requested() const { return m_generation; }
    quint64 shown() const { return m_shownGeneration; }

public Q_SLOTS:
    // Something on the panel changed: count again once the edits pause.
    void panelChanged();
    // Count now, without waiting for the timer.
    void countNow();

Q_SIGNALS:
    void textChanged(const QString& text);

private:
    Reader m_read;
    QTimer m_timer;
    quint64 m_generation = 0;
    quint64 m_shownGeneration = 0;
    QString m_text;
    // A new count cancels the one under way and drops its answer.
    BackgroundJob m_job;
};

} // namespace ssq

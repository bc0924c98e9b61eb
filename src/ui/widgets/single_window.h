#pragma once
// Windows the program shows at most once at a time: asking again raises the one on screen.

#include "ui/widgets/screen_fit.h"

#include <QPointer>
#include <QWidget>

namespace ssq {

// Shows the window held in `slot`, making it with `make` when there is none yet. A made window
// becomes a window of its own over `owner` (when given), so it closes with it, and is deleted
// when closed, which empties the slot: the next request starts it afresh. A new window is fitted
// to the screen.
template <class W, class Make> W* showSingleWindow(QPointer<W>& slot, QWidget* owner, Make make) {
    if (!slot) {
        slot = make();
        if (owner && slot->parentWidget() != owner)
            slot->setParent(owner, slot->windowFlags() | Qt::Window);
        slot->setAttribute(Qt::WA_DeleteOnClose);
        fitOnScreen(*slot);
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}

} // namespace ssq

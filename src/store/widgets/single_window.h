#pragma once
// Windows of which there is one at a time: shown again when already open, otherwise made,
// placed over `over` (so they close with it) and deleted when closed.

#include <QApplication>
#include <QWidget>

namespace ssq {

template <class Window, class Make> Window* showSingleWindow(QWidget* over, Make make) {
    Window* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<Window*>(w))
            window = found;
    if (!window) {
        window = make();
        if (over)
            window->setParent(over, Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace ssq

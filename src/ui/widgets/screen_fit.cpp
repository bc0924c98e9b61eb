#include "ui/widgets/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ssq {

void fitOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize room(area.width() - kFrameWidth, area.height() - kFrameHeight);
    const QSize least = window.minimumSize().expandedTo(window.minimumSizeHint());
    window.resize(window.size().boundedTo(room).expandedTo(least));
    // The frame's top left inside the area, the whole frame too where it fits.
    const int x =
        std::clamp(window.x(), area.left(),
                   std::max(area.left(), area.right() + 1 - window.width() - kFrameWidth));
    const int y =
        std::clamp(window.y(), area.top(),
                   std::max(area.top(), area.bottom() + 1 - window.height() - kFrameHeight));
    window.move(x, y);
}

} // namespace ssq

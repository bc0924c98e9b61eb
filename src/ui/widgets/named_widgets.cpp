#include "ui/widgets/named_widgets.h"

#include <QBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace ssq {

QPushButton* namedButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QPushButton* addNamedButton(QBoxLayout* layout, const QString& name, const QString& caption,
                            QWidget* parent) {
    QPushButton* button = namedButton(name, caption, parent);
    layout->addWidget(button);
    return button;
}

QMenu* addNamedMenu(QMenuBar* bar, const QString& name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

} // namespace ssq

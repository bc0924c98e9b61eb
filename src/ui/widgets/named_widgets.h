#pragma once
// Controls carry their program names as objectName, so readers and tests find them by name.

#include <QString>

class QBoxLayout;
class QMenu;
class QMenuBar;
class QPushButton;
class QWidget;

namespace ssq {

QPushButton* namedButton(const QString& name, const QString& caption, QWidget* parent);

// The same, appended to `layout`.
QPushButton* addNamedButton(QBoxLayout* layout, const QString& name, const QString& caption,
                            QWidget* parent);

// A menu of the bar; the menu and the action that opens it both carry `name`.
QMenu* addNamedMenu(QMenuBar* bar, const QString& name, const QString& caption);

} // namespace ssq

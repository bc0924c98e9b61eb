#pragma once
// Controls carry their program names as objectName, so readers and tests find them by name.

#include <QString>

class QBoxLayout;
class QPushButton;
class QWidget;

namespace ssq {

QPushButton* namedButton(const QString& name, const QString& caption, QWidget* parent);

// The same, appended to `layout`.
QPushButton* addNamedButton(QBoxLayout* layout, const QString& name, const QString& caption,
                            QWidget* parent);

} // namespace ssq

#pragma once
// Using a window's named controls the way a person does, for window tests.

#include <QString>
#include <QWidget>

namespace ssq::test {

// Clicks the named button or box near its left edge, where a box's indicator is; a missing
// control fails the test.
void click(const QWidget* window, const QString& name);
// Selects what the named line edit holds and types `text` over it.
void retype(const QWidget* window, const QString& name, const QString& text);
// The text of the named line edit or label; empty when there is none.
QString textOf(const QWidget* window, const QString& name);

} // namespace ssq::test

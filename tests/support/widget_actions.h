#pragma once
// Using a window's named controls the way a person does, for window tests.

#include <QApplication>
#include <QList>
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
// The open top-level windows of class T.
template <typename T> QList<T*> topLevel() {
    QList<T*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w))
            found.append(t);
    return found;
}

} // namespace ssq::test

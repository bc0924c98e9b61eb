#include "support/widget_actions.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace ssq::test {

void click(const QWidget* window, const QString& name) {
    auto* control = window->findChild<QAbstractButton*>(name);
    QVERIFY2(control, qPrintable(name));
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(4, control->height() / 2));
}

void retype(const QWidget* window, const QString& name, const QString& text) {
    auto* box = window->findChild<QLineEdit*>(name);
    QVERIFY2(box, qPrintable(name));
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

QString textOf(const QWidget* window, const QString& name) {
    if (auto* box = window->findChild<QLineEdit*>(name))
        return box->text();
    if (auto* label = window->findChild<QLabel*>(name))
        return label->text();
    return {};
}

} // namespace ssq::test

// The condition panel as a player sees and clicks it: every input where its condition is, the
// 单/双 choice that can be left empty, and the Check1 and Check4 click rules.

#include "red/condition_panel_view.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The frame each condition's inputs belong to.
QString frameOf(int textIndex) {
    if (textIndex <= 65)
        return u"Frame2"_s;
    if (textIndex <= 135)
        return u"Frame3"_s;
    if (textIndex <= 155)
        return u"Frame4"_s;
    return u"Frame5"_s;
}

bool isInside(const QWidget* w, const QString& frame) {
    for (; w; w = w->parentWidget())
        if (w->objectName() == frame)
            return true;
    return false;
}

} // namespace

class TestConditionPanelView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void everyInputInItsFrame();
    void captionsAndZones();
    void parityChoiceClearedWithoutItsBox();
    void nonTolerantMarkers();

private:
    std::unique_ptr<ssq::ConditionPanelView> m_panel;
    QCheckBox* check(const QString& name) { return m_panel->findChild<QCheckBox*>(name); }
    QLineEdit* text1(int i) { return m_panel->findChild<QLineEdit*>(u"Text1_%1"_s.arg(i)); }
    QLineEdit* text3(int i) { return m_panel->findChild<QLineEdit*>(u"Text3_%1"_s.arg(i)); }
};

void TestConditionPanelView::init() {
    m_panel = std::make_unique<ssq::ConditionPanelView>();
    m_panel->resize(1004, 525);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
}

void TestConditionPanelView::cleanup() {
    m_panel.reset();
}

void TestConditionPanelView::everyInputInItsFrame() {
    for (int i = 1; i <= 15; ++i)
        QVERIFY2(!text1(i), "the last-draw row belongs to Frame1");
    for (int i = 16; i <= 169; ++i) {
        QLineEdit* box = text1(i);
        QVERIFY2(box && box->isVisible(), qPrintable(QString::number(i)));
        QVERIFY2(isInside(box, frameOf(i)), qPrintable(QString::number(i)));
        QCOMPARE(m_panel->findChildren<QLineEdit*>(box->objectName()).size(), 1);
    }
    QVERIFY(text1(148)->width() > text1(150)->width());
    for (int i : {0, 170, 171})
        QVERIFY2(text1(i) && !text1(i)->isVisible(), qPrintable(QString::number(i)));
    for (int i = 0; i <= 40; ++i)
        QVERIFY(text3(i) && !text3(i)->isVisible());
}

void TestConditionPanelView::captionsAndZones() {
    for (int k = 1; k <= 40; ++k) {
        QCheckBox* box = check(u"Check1_%1"_s.arg(k));
        QVERIFY2(box && box->isVisible(), qPrintable(QString::number(k)));
        QVERIFY2(box->text().startsWith(QString::number(k) + u"、"_s), qPrintable(box->text()));
        const QString zone = k <= 11 ? u"Frame2"_s : k <= 31 ? u"Frame3"_s : u"Frame4"_s;
        QVERIFY2(isInside(box, zone), qPrintable(box->text()));
    }
    QCOMPARE(check(u"Check1_12"_s)->text(), u"12、代码单双"_s);
    QCOMPARE(check(u"Check1_30"_s)->text(), u"30、十万位不出号"_s);
    QCOMPARE(check(u"Check1_37"_s)->text(), u"37、冷热值"_s);
    QCOMPARE(check(u"Check4"_s)->text(), u"不容错的选项"_s);
    QCOMPARE(m_panel->findChild<QRadioButton*>(u"Option1"_s)->text(), u"单"_s);
    QCOMPARE(m_panel->findChild<QRadioButton*>(u"Option2"_s)->text(), u"双"_s);
}

void TestConditionPanelView::parityChoiceClearedWithoutItsBox() {
    auto* odd = m_panel->findChild<QRadioButton*>(u"Option1"_s);
    auto* even = m_panel->findChild<QRadioButton*>(u"Option2"_s);
    QTest::mouseClick(check(u"Check1_12"_s), Qt::LeftButton);
    QTest::mouseClick(odd, Qt::LeftButton);
    QTest::mouseClick(even, Qt::LeftButton);
    QVERIFY(!odd->isChecked() && even->isChecked());

    // Another box leaves the choice while condition 12's box is on.
    QTest::mouseClick(check(u"Check1_3"_s), Qt::LeftButton);
    QVERIFY(even->isChecked());

    // Off goes its box, and with it the choice: neither is chosen.
    QTest::mouseClick(check(u"Check1_12"_s), Qt::LeftButton);
    QVERIFY(!odd->isChecked() && !even->isChecked());

    // A choice shown without its box (a restored set) goes at the next click of any Check1,
    // the zone-1 box included, but not when a box is set without a click.
    ssq::PanelState state;
    state.option1 = true;
    m_panel->showState(state);
    QVERIFY(odd->isChecked());
    check(u"Check1_5"_s)->setChecked(true);
    QVERIFY(odd->isChecked());
    QTest::mouseClick(check(u"Check1_0"_s), Qt::LeftButton);
    QVERIFY(!odd->isChecked() && !even->isChecked());
}

void TestConditionPanelView::nonTolerantMarkers() {
    QTest::keyClicks(text1(156), u"7"_s);
    QTest::keyClicks(text1(167), u"33"_s);
    QCheckBox* check4 = check(u"Check4"_s);
    QTest::mouseClick(check4, Qt::LeftButton);
    QVERIFY(check4->isChecked());
    for (int i = 1; i <= 40; ++i)
        QCOMPARE(text3(i)->text(), i == 7 || i == 33 ? QString::number(i) : QString());

    QTest::mouseClick(check4, Qt::LeftButton);
    for (int i = 1; i <= 40; ++i)
        QVERIFY(text3(i)->text().isEmpty());
}

QTEST_MAIN(TestConditionPanelView)
#include "test_condition_panel_view.moc"

// The click rules on the plain panel state; the clicks themselves are tested on the panel.

#include "red/condition_panel_rules.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestConditionPanelRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parityChoiceNeedsItsBox();
    void nonTolerantMarkersFollowTheList();
};

void TestConditionPanelRules::parityChoiceNeedsItsBox() {
    ssq::PanelState panel;
    panel.check1[12] = 1;
    panel.option2 = true;
    ssq::applyConditionBoxClick(panel);
    QVERIFY(panel.option2);
    panel.check1[12] = 0;
    ssq::applyConditionBoxClick(panel);
    QVERIFY(!panel.option1 && !panel.option2);
}

void TestConditionPanelRules::nonTolerantMarkersFollowTheList() {
    ssq::PanelState panel;
    panel.check4 = 1;
    panel.text1[156] = u"5"_s;
    panel.text1[160] = u" 40abc"_s; // read by its leading number
    panel.text1[161] = u"12.0"_s;
    panel.text1[162] = u"12.5"_s; // no condition has this number
    panel.text1[163] = u"41"_s;   // beyond the conditions
    panel.text1[167] = u"5"_s;    // twice, one marker
    panel.text1[168] = u"7"_s;    // the bounds are not part of the list
    panel.text3[9] = u"9"_s;      // no longer listed: keeps its text
    ssq::applyNonTolerantClick(panel);

    std::array<QString, 41> expected;
    expected[5] = u"5"_s;
    expected[9] = u"9"_s;
    expected[12] = u"12"_s;
    expected[40] = u"40"_s;
    QCOMPARE(panel.text3, expected);
}

QTEST_GUILESS_MAIN(TestConditionPanelRules)
#include "test_condition_panel_rules.moc"

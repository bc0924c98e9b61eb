// The condition panel: the clicks on its boxes as a player makes them, the boxes kept out of
// sight, and the click rules on the plain state with inputs a click cannot easily reach.

#include "red/condition_panel_rules.h"
#include "red/condition_panel_view.h"
#include "support/widget_actions.h"

#include <QRadioButton>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;

class TestConditionPanel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void clicks() {
        ssq::ConditionPanelView panel;
        panel.show();
        for (int i : {0, 170, 171}) // not for the player's eyes
            QVERIFY(!panel.text1(i)->isVisible());
        QVERIFY(panel.text1(169)->isVisible() && !panel.marker(40)->isVisible());
        const auto click = [&](const QString& name) { ssq::test::click(&panel, name); };
        const auto checked = [&](int which) { return panel.option(which)->isChecked(); };
        click(u"Check1_12"_s);
        click(u"Option2"_s);
        click(u"Check1_3"_s); // another box leaves the choice while condition 12's is on
        QVERIFY(!checked(1) && checked(2));
        click(u"Check1_12"_s); // off goes its box, and with it the choice
        QVERIFY(!checked(1) && !checked(2));

        ssq::test::retype(&panel, u"Text1_156"_s, u"7"_s);
        ssq::test::retype(&panel, u"Text1_167"_s, u"33"_s);
        const auto markers = [&] { // box:text of the filled ones
            QString texts;
            for (int i = 1; i <= 40; ++i)
                if (const QString t = panel.marker(i)->text(); !t.isEmpty())
                    texts += u"%1:%2 "_s.arg(i).arg(t);
            return texts;
        };
        click(u"Check4"_s);
        QCOMPARE(markers(), u"7:7 33:33 "_s);
        click(u"Check4"_s);
        QCOMPARE(markers(), QString());
    }

    void rules() {
        // A choice shown without its box (a restored set) goes at the next click of any box.
        ssq::PanelState panel;
        panel.option1 = true;
        ssq::applyConditionBoxClick(panel);
        QVERIFY(!panel.option1 && !panel.option2);
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
};

QTEST_MAIN(TestConditionPanel)
#include "test_condition_panel.moc"

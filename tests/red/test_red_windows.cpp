// The red layer's windows clicked like a person: the condition panel and its rules, the result
// commands, and Form8 paging, printing and previewing 320 saved results, one window at a time.

#include "model/red_code.h"
#include "red/condition_panel_rules.h"
#include "red/widgets/condition_panel_view.h"
#include "red/widgets/pdf_page_printer.h"
#include "red/widgets/result_actions.h"
#include "red/widgets/results_window.h"
#include "red/widgets/system_page_printer.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"
#include "support/widget_actions.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

class TestRedWindows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The condition panel: its boxes clicked as a player does, the boxes kept out of sight.
    void conditionPanelClicks() {
        ConditionPanelView panel;
        panel.show();
        for (int i : {0, 170, 171}) // not for the player's eyes
            QVERIFY(!panel.text1(i)->isVisible());
        QVERIFY(panel.text1(169)->isVisible() && !panel.marker(40)->isVisible());
        const auto click = [&](const QString& name) { test::click(&panel, name); };
        const auto checked = [&](int which) { return panel.option(which)->isChecked(); };
        click(u"Check1_12"_s);
        click(u"Option2"_s);
        click(u"Check1_3"_s); // another box leaves the choice while condition 12's is on
        QVERIFY(!checked(1) && checked(2));
        click(u"Check1_12"_s); // off goes its box, and with it the choice
        QVERIFY(!checked(1) && !checked(2));

        test::retype(&panel, u"Text1_156"_s, u"7"_s);
        test::retype(&panel, u"Text1_167"_s, u"33"_s);
        const auto markers = [&] { // box:text of the filled ones
            QString texts;
            for (int i = 1; i <= 40; ++i)
                if (const QString t = panel.marker(i)->text(); !t.isEmpty())
                    texts += u"%1:%2 "_s.arg(i).arg(t);
            return texts;
        };
        click(u"Check4"_s);
        QCOMPARE(markers(), u"7:7 33:33 "_s);
    }

    // The panel's click rules on the plain state, with inputs a click cannot easily reach.
    void conditionPanelRules() {
        // A choice shown without its box (a restored set) goes at the next click of any box.
        PanelState panel;
        panel.option1 = true;
        applyConditionBoxClick(panel);
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
        applyNonTolerantClick(panel);
        std::array<QString, 41> expected;
        expected[5] = u"5"_s;
        expected[9] = u"9"_s;
        expected[12] = u"12"_s;
        expected[40] = u"40"_s;
        QCOMPARE(panel.text3, expected);
    }

    void resultsListSaveShowPrintAndClose() {
        const auto result = [](int i) {
            return QString::fromStdString(comboText(comboOfCode(1 + i * 3001)));
        };
        test::TempDatabase db;
        test::ScriptedPrompter prompter;
        QWidget window;
        ResultActions actions(db.database(), &window);
        // The list stops at 5000 and empties the places it held beyond the results.
        QComboBox list;
        list.addItems({u"a"_s, u"b"_s, u"c"_s});
        actions.showResultList(list, 2, result);
        QCOMPARE(list.itemText(1) + u'|' + list.itemText(2), result(1) + u'|');
        actions.showResultList(list, 6000, result);
        QCOMPARE(list.count(), 5000);
        QCOMPARE(prompter.messageTexts().last(),
                 u"您的选号结果超过了5000注，本程序只为您显示前5000注,请点击下拉箭头查看选号"_s);

        QVERIFY(actions.saveResults(320, result));
        QCOMPARE(prompter.messageTexts().last(), u"所选号码保存完毕，共保存320注"_s);
        QPointer<ResultsWindow> w = actions.openResultsWindow();
        const auto click = [&](const char* name) { test::click(w, QString::fromLatin1(name)); };
        auto* grid = w->findChild<QTableView*>(u"DataGrid1"_s);
        const auto cell = [&](int row, int column) {
            return grid->model()->index(row, column).data().toString();
        };
        const auto indicator = [&] { return test::textOf(w, u"Label1"_s); };
        QCOMPARE(test::textOf(w, u"Label4"_s), u"(您总共选出了320注号码)"_s);
        QCOMPARE(grid->model()->rowCount(), 65); // every row, the first one included
        click("Command1");
        QCOMPARE(cell(0, 0) + u'|' + cell(0, 1) + u'|' + cell(29, 5),
                 u"1|"_s + result(0) + u'|' + result(149));
        QCOMPARE(indicator(), u"页次： 1 / 3"_s);
        click("Command3");
        click("Command3");
        QCOMPARE(cell(3, 5) + u'|' + indicator(), result(319) + u"|页次： 3 / 3"_s);
        QCOMPARE(grid->model()->rowCount(), 4);
        click("Command2");
        QCOMPARE(cell(0, 1) + u'|' + indicator(), result(150) + u"|页次： 2 / 3"_s);
        click("Command5");
        QCOMPARE(grid->model()->rowCount(), 65);

        // B5 from result 151: 36 lines of three, results 151 to 258.
        test::retype(w, u"Text2"_s, u"7018"_s);
        test::retype(w, u"Text1"_s, u"151"_s);
        click("Option1");
        QStringList printed;
        for (const PrintOp& op : w->pageToPrint().ops)
            printed.append(op.text);
        QCOMPARE(printed.first(), u"    Ravelko第7018期预选号码"_s);
        const QString all = printed.join(u'\n');
        const auto printedAs = [&](int i) { return twoDigitNumbers(result(i)); };
        QVERIFY(all.contains(printedAs(150)) && !all.contains(printedAs(149)));
        if (QPrinterInfo::availablePrinters().isEmpty()) { // otherwise it would print on paper
            click("Command4");
            QCOMPARE(prompter.messageTexts().last(), noPrinterMessage());
        }
        // All pages from 151 in one document; an empty issue is asked for first.
        QTemporaryDir dir;
        PdfPagePrinter pdf(dir.filePath(u"all.pdf"_s));
        w->setPrinter(&pdf);
        click("CheckAllPages");
        test::retype(w, u"Text2"_s, QString());
        prompter.clear();
        click("Command4"); // cancelled: nothing printed
        QCOMPARE(prompter.questions().size(), 1);
        QVERIFY(prompter.questions()[0].contains(u"还没有填写期号"_s));
        QVERIFY(!QFile::exists(pdf.path()));
        prompter.answerInput(u"２０２６１４０"_s);
        click("Command4");
        QVERIFY(QFile::exists(pdf.path()));
        const QList<PrintPage> pages = w->pagesToPrint();
        QCOMPARE(pages.size(), 2); // 170 results, 108 a page
        QCOMPARE(pages.last().ops.first().text, u"    Ravelko第２０２６１４０期预选号码"_s);
        w->setPrinter(nullptr);
        test::retype(w, u"Text2"_s, u"7018"_s);

        click("Command7");
        QTRY_VERIFY(w->findChild<QPrintPreviewDialog*>() &&
                    w->findChild<QPrintPreviewDialog*>()->isVisible());
        w->findChild<QPrintPreviewDialog*>()->close();

        // While it is open the same window shows what it read; closed, a new one reads anew.
        QVERIFY(actions.saveResults(9, result));
        QCOMPARE(actions.openResultsWindow(), w.data());
        QCOMPARE(test::textOf(w, u"Label4"_s), u"(您总共选出了320注号码)"_s);
        click("Command6");
        QTRY_VERIFY(w.isNull());
        QCOMPARE(test::textOf(actions.openResultsWindow(), u"Label4"_s),
                 u"(您总共选出了9注号码)"_s);
    }
};

QTEST_MAIN(TestRedWindows)
#include "test_red_windows.moc"

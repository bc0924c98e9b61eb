// The main window's result commands beyond its own menu test, and Form8 clicked like a person
// would: paging through 320 saved results, the page to print from the print frame, the message
// when no printer is installed, the preview, and one window at a time.

#include "model/red_code.h"
#include "red/qt_result_actions.h"
#include "red/results_window.h"
#include "red/system_page_printer.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"
#include "support/widget_actions.h"

#include <QComboBox>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QTableView>
#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

class TestResultsWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listSaveShowPrintAndClose() {
        const auto result = [](int i) {
            return QString::fromStdString(comboText(comboOfCode(1 + i * 3001)));
        };
        test::TempDatabase db;
        QVERIFY2(db.isValid(), qPrintable(db.error()));
        test::ScriptedPrompter prompter;
        QWidget window;
        QtResultActions actions(db.database(), &window);
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
        QVERIFY(all.contains(result(150) + u"    "_s + result(151)) && all.contains(result(257)));
        QVERIFY(!all.contains(result(149)) && !all.contains(result(258)));
        if (QPrinterInfo::availablePrinters().isEmpty()) { // otherwise it would print on paper
            click("Command4");
            QCOMPARE(prompter.messageTexts().last(), noPrinterMessage());
        }
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
        QCOMPARE(test::textOf(actions.openResultsWindow(), u"Label4"_s), u"(您总共选出了9注号码)"_s);
    }
};

QTEST_MAIN(TestResultsWindow)
#include "test_results_window.moc"

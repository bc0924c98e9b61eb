// The ticket items of the main window as a player uses them: the export dialog (the count and
// cost before writing, blues typed or taken from the blue-ball window, a file and the
// clipboard), the random pick (a refusal, then the picked tickets as the result, listed and
// saved with their blue), and the prize window on a file and on the saved results.

#include "red/saved_results.h"
#include "shell/main_window.h"
#include "support/draw_tables.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"
#include "support/widget_actions.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace ssq;
using namespace ssq::test;

class TestTicketMenus : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> m_temp;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    QPointer<MainWindow> m_window;

    // Kept combinations with codes 1, 2, ... count.
    void keep(int count) {
        SelectionResult kept;
        for (int code = 1; code <= count; ++code)
            kept.codes.push_back(code);
        m_window->setSelectionResult(kept);
    }
    QWidget* open(const QString& item, const QString& form) {
        m_window->findChild<QAction*>(item)->trigger();
        QWidget* window = m_window->findChild<QWidget*>(form);
        return window && window->isVisible() ? window : nullptr;
    }

private Q_SLOTS:
    void init() {
        m_temp = std::make_unique<TempDatabase>();
        m_prompter = std::make_unique<ScriptedPrompter>();
        m_window = new MainWindow(m_temp->database());
        m_window->findChild<QTimer*>(u"Timer1"_s)->stop();
        m_window->show();
    }
    void cleanup() {
        delete m_window;
        m_prompter.reset();
        m_temp.reset();
    }

    void exportDialog() {
        QVERIFY(!open(u"DCJG"_s, u"FormDCJG"_s));
        QCOMPARE(m_prompter->messageTexts(), QStringList{u"还没有选号结果，请先点击“红球选号”"_s});
        m_prompter->clear();

        // The blue-ball window, when open, gives its result to the dialog.
        QWidget form3;
        form3.setObjectName(u"Form3"_s);
        for (int i = 29; i <= 44; ++i)
            (new QLineEdit(&form3))->setObjectName(u"Text%1"_s.arg(i));
        form3.findChild<QLineEdit*>(u"Text30"_s)->setText(u"11"_s);
        form3.findChild<QLineEdit*>(u"Text31"_s)->setText(u"5"_s);
        form3.show();

        keep(3);
        QWidget* dialog = open(u"DCJG"_s, u"FormDCJG"_s);
        QVERIFY(dialog);
        QCOMPARE(textOf(dialog, u"Text1"_s), u"11 05"_s);
        QCOMPARE(textOf(dialog, u"Label2"_s), u"共6注，金额12元"_s);
        retype(dialog, u"Text1"_s, u"17"_s);
        QVERIFY(textOf(dialog, u"Label2"_s).contains(u"“17”"_s));
        click(dialog, u"Command1"_s);
        QVERIFY(m_prompter->messageTexts().value(0).contains(u"“17”"_s));
        retype(dialog, u"Text1"_s, QString());
        click(dialog, u"Command3"_s);
        QCOMPARE(textOf(dialog, u"Text1"_s), u"11 05"_s);
        retype(dialog, u"Text1"_s, u"8"_s);
        QCOMPARE(textOf(dialog, u"Label2"_s), u"共3注，金额6元"_s);

        QTemporaryDir dir;
        m_prompter->clear();
        m_prompter->answerFileName(dir.filePath(u"周二"_s));
        click(dialog, u"Command1"_s);
        QFile file(dir.filePath(u"周二.txt"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray lines("01 02 03 04 05 06 + 08\n01 02 03 04 05 07 + 08\n"
                               "01 02 03 04 05 08 + 08\n");
        QCOMPARE(file.readAll(), lines);
        QVERIFY(m_prompter->messageTexts().value(0).contains(u"共3注，金额6元"_s));
        click(dialog, u"Command2"_s);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromLatin1(lines));
        click(dialog, u"Command4"_s);
        QVERIFY(!dialog->isVisible());
    }

    void randomPick() {
        keep(10);
        QWidget* dialog = open(u"SJXZ"_s, u"FormSJXZ"_s);
        QVERIFY(dialog);
        retype(dialog, u"Text1"_s, u"11"_s);
        click(dialog, u"Command1"_s);
        QCOMPARE(m_prompter->messageTexts(), QStringList{u"请输入要选的注数：1到10之间的整数"_s});
        QVERIFY(dialog->isVisible());
        QCOMPARE(m_window->selectionResult().count(), 10);

        retype(dialog, u"Text1"_s, u"4"_s);
        retype(dialog, u"Text2"_s, u"8"_s);
        click(dialog, u"Command1"_s);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(m_window->selectionResult().count(), 4);
        QCOMPARE(textOf(m_window, u"Text2"_s), u"已从选号结果中随机选出4注,可以显示、保存、打印和导出"_s);
        auto* list = m_window->findChild<QComboBox*>(u"Combo1"_s);
        QCOMPARE(list->count(), 4);
        QStringList listed;
        for (int i = 0; i < 4; ++i) {
            listed.append(list->itemText(i));
            QVERIFY2(listed.last().endsWith(u" + 8"_s), qPrintable(listed.last()));
        }
        QCOMPARE(QSet<QString>(listed.begin(), listed.end()).size(), 4);
        // Saved with their blue, as any result is.
        m_window->menuItem(u"BCHM"_s)->trigger();
        QCOMPARE(loadSavedResults(m_temp->connection()).texts, listed);
    }

    void prizeWindow() {
        QVERIFY(addDraws(m_temp->connection(), {{6095, {2, 3, 5, 7, 8, 9}, 5},
                                                {6096, {1, 4, 16, 22, 26, 31}, 4}}));
        QTemporaryDir dir;
        const QString path = dir.filePath(u"号码.txt"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("01 04 16 22 26 31 + 04\n1 4 16 22 27 30\n1 4 16 2 3 5 8 + 4\n");
        file.close();

        QWidget* form = open(u"ZJCX"_s, u"FormZJCX"_s);
        QVERIFY(form);
        auto* issues = form->findChild<QComboBox*>(u"Combo1"_s);
        QCOMPARE(issues->itemText(0), u"6096期   01 04 16 22 26 31 + 04"_s);
        m_prompter->answerFileName(path);
        click(form, u"Command1"_s);
        QCOMPARE(textOf(form, u"Text1"_s), path);
        click(form, u"Command2"_s);
        QVERIFY(m_prompter->messageTexts().isEmpty());
        QCOMPARE(textOf(form, u"Label1_1"_s), u"一等奖：1注（浮动）"_s);
        QCOMPARE(textOf(form, u"Label1_5"_s), u"五等奖：5注（10元）"_s);
        QCOMPARE(textOf(form, u"Label1_6"_s), u"六等奖：3注（5元）"_s);
        QCOMPARE(textOf(form, u"Label2"_s).left(10), u"固定奖金合计：65元"_s);
        QCOMPARE(textOf(form, u"Label3"_s), u"投注：9注，18元"_s);
        auto* winners = form->findChild<QTableWidget*>(u"Grid1"_s);
        QCOMPARE(winners->rowCount(), 9);
        QCOMPARE(winners->item(0, 0)->text() + winners->item(0, 1)->text(),
                 u"01 04 16 22 26 31 + 04一等奖"_s);

        // Another issue; the saved results with a blue list; a malformed file.
        QVERIFY(saveResults(m_temp->connection(), 1, [](int) { return u"2 3 5 7 8 9"_s; }).saved);
        issues->setCurrentIndex(1);
        click(form, u"Option2"_s);
        retype(form, u"Text2"_s, u"5 6"_s);
        click(form, u"Command2"_s);
        QCOMPARE(textOf(form, u"Label1_1"_s) + textOf(form, u"Label1_2"_s),
                 u"一等奖：1注（浮动）二等奖：1注（浮动）"_s);
        QCOMPARE(textOf(form, u"Label3"_s), u"投注：2注，4元"_s);

        QVERIFY(file.open(QIODevice::Append));
        file.write("1 2 3\n");
        file.close();
        click(form, u"Option1"_s);
        click(form, u"Command2"_s);
        QVERIFY2(m_prompter->messageTexts().value(0).startsWith(u"第4行有误"_s),
                 qPrintable(m_prompter->messageTexts().join(u'|')));
        QCOMPARE(textOf(form, u"Label3"_s), u"投注：2注，4元"_s);
    }
};

QTEST_MAIN(TestTicketMenus)
#include "test_ticket_menus.moc"

// The condition panel's, result and check items of the main window, clicked like a player would:
// a selection run with its progress, disabled inputs, result list, saved numbers and a refusal;
// the saved set, condition files, the hot/cold button and the last-draw check.

#include "red/condition_panel_view.h"
#include "red/last_draw_check.h"
#include "red/saved_results.h"
#include "shell/main_window.h"
#include "shell/qt_selection_runner.h"
#include "store/draw_entry.h"
#include "support/draw_tables.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestPanelMenus : public QObject {
    Q_OBJECT

    std::unique_ptr<ssq::test::TempDatabase> m_temp;
    std::unique_ptr<ssq::test::ScriptedPrompter> m_prompter;
    QPointer<ssq::MainWindow> m_window;

    QLineEdit* text1(int i) { return m_window->findChild<QLineEdit*>(u"Text1_%1"_s.arg(i)); }
    QString text2() { return m_window->findChild<QLineEdit*>(u"Text2"_s)->text(); }
    QCheckBox* check(int k) { return m_window->findChild<QCheckBox*>(u"Check1_%1"_s.arg(k)); }
    void type(int index, const QString& text) {
        text1(index)->selectAll();
        QTest::keyClick(text1(index), Qt::Key_Delete);
        QTest::keyClicks(text1(index), text);
    }
    void click(const QString& name) {
        QTest::mouseClick(m_window->findChild<QAbstractButton*>(name), Qt::LeftButton);
    }
    bool inputsEnabled() {
        return m_window->conditionPanel()->isEnabled() && text1(1)->isEnabled() &&
               m_window->menuBar()->isEnabled();
    }
    // XH, then waits until the run has ended.
    void runSelection() {
        QSignalSpy ended(m_window->findChild<ssq::QtSelectionRunner*>(),
                         &ssq::QtSelectionRunner::finished);
        m_window->menuItem(u"XH"_s)->trigger();
        QVERIFY(!inputsEnabled()); // nothing that feeds the run can be touched until it ends
        QVERIFY(ended.wait(30000));
        QVERIFY(inputsEnabled());
    }

private Q_SLOTS:
    void init() {
        m_temp = std::make_unique<ssq::test::TempDatabase>();
        QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
        m_prompter = std::make_unique<ssq::test::ScriptedPrompter>();
        m_window = new ssq::MainWindow(m_temp->database());
        m_window->findChild<QTimer*>(u"Timer1"_s)->stop();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup() {
        delete m_window;
        m_prompter.reset();
        m_temp.reset();
    }

    // Condition 4 at 21..22 keeps 1 2 3 4 5 6 and 1 2 3 4 5 7.
    void selectionRunByClicking() {
        type(8, u"0000001"_s);
        type(50, u"22"_s);
        type(51, u"21"_s);
        click(u"Check1_4"_s);
        click(u"Check1_0"_s);
        auto* bar = m_window->findChild<QProgressBar*>(u"ProgressBar1"_s);
        QCOMPARE(bar->maximum(), 1107570);
        QSignalSpy progress(bar, &QProgressBar::valueChanged);
        runSelection();
        const QString twoKept = u"选号过程结束,符合条件的共有2注,请选择显示范围"_s;
        QCOMPARE(text2(), twoKept);
        QVERIFY(m_prompter->messages().isEmpty());
        // The bar climbed to the whole walk and came back to 0.
        int highest = 0;
        for (const QList<QVariant>& value : progress)
            highest = std::max(highest, value.front().toInt());
        QCOMPARE(highest, 1107568);
        QCOMPARE(bar->value(), 0);

        click(u"Command4"_s);
        auto* list = m_window->findChild<QComboBox*>(u"Combo1"_s);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->itemText(0) + u", "_s + list->itemText(1), u"1 2 3 4 5 6, 1 2 3 4 5 7"_s);
        m_window->menuItem(u"BCHM"_s)->trigger();
        QCOMPARE(ssq::loadSavedResults(m_temp->connection()).texts,
                 (QStringList{u"1 2 3 4 5 6"_s, u"1 2 3 4 5 7"_s}));

        // A refused run shows its message; Text2 and the kept result of the run before stay.
        m_prompter->clear();
        type(8, QString());
        m_window->menuItem(u"XH"_s)->trigger();
        QCOMPARE(m_prompter->messageTexts(),
                 QStringList{u"请先点击“转换代码查询”,程序将自动输入代码"_s});
        QVERIFY(inputsEnabled());
        QCOMPARE(text2(), twoKept);
        QCOMPARE(m_window->selectionResult().count(), 2);

        // A run that keeps nothing says so and replaces the result.
        type(8, u"0000001"_s);
        type(51, u"23"_s);
        runSelection();
        QCOMPARE(text2(), u"没有符合条件的号码,请重新设置选号条件"_s);
        QCOMPARE(m_window->selectionResult().count(), 0);
    }

    // The window may go while the worker walks: the run is cancelled and waited for.
    void closingDuringARunCancelsIt() {
        type(8, u"0000001"_s);
        m_window->menuItem(u"XH"_s)->trigger();
        QVERIFY(m_window->findChild<ssq::QtSelectionRunner*>()->isRunning());
        m_window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_window.isNull());
        QTest::qWait(20); // progress posted by the worker before it stopped goes nowhere
    }

    void savedSetRestoresTextsAndChoiceOnly() {
        for (const auto& [index, text] :
             {std::pair{1, u"9"_s}, {16, u"3"_s}, {104, u"0"_s}, {148, u"-120"_s}, {169, u"2"_s}})
            type(index, text);
        click(u"Check1_12"_s);
        click(u"Option2"_s);
        m_window->menuItem(u"BCTJ"_s)->trigger();
        QCOMPARE(m_prompter->messageTexts(),
                 QStringList{u"条件保存完毕,您要查看条件或需要将条件再次输入时,"
                             u"请点击菜单“数据操作”内的“条件再现”"_s});
        QCOMPARE(text1(170)->text() + text1(171)->text(), u"01"_s);
        ssq::PanelState expected = m_window->panelState();

        m_window->setPanelState(ssq::PanelState{});
        click(u"Check1_5"_s);
        m_window->menuItem(u"TJZX"_s)->trigger();
        QCOMPARE(m_prompter->messages().size(), 1);
        for (int i = 0; i <= 15; ++i) // the last-draw row is not part of the set
            expected.text1[i].clear();
        expected.check1 = {};
        expected.check1[5] = 1; // the boxes stay as they were
        QCOMPARE(m_window->panelState(), expected);
        QVERIFY(m_window->findChild<QRadioButton*>(u"Option2"_s)->isChecked());
    }

    void conditionFiles() {
        QTemporaryDir dir;
        // Every box with a text of its own, so a mix-up of two shows.
        ssq::PanelState panel;
        for (int i = 0; i < 172; ++i)
            panel.text1[i] = u"t%1"_s.arg(i);
        panel.text1[104] = u"0"_s;
        panel.text1[105] = u" "_s;
        panel.check1[4] = panel.check1[39] = panel.check2 = panel.check4 = 1;
        panel.text3[7] = u"7"_s;
        panel.option2 = true;
        m_window->setPanelState(panel);
        for (int i = 0; i < 172; ++i) // each index is the box of that name
            QCOMPARE(text1(i)->text(), panel.text1[i]);
        ssq::HotColdValues hotCold{};
        for (int n = 1; n <= 33; ++n)
            hotCold[n] = 40 - 3 * n;
        m_window->setHotColdTable(hotCold);
        m_prompter->answerFileName(dir.filePath(u"周二"_s));
        m_window->menuItem(u"BCWJ"_s)->trigger();
        const QString path = dir.filePath(u"周二.ssqpanel.json"_s);
        QVERIFY(m_prompter->messageTexts().value(0).contains(path));

        m_window->setPanelState(ssq::PanelState{});
        m_window->setHotColdTable({});
        m_prompter->answerFileName(path);
        m_window->menuItem(u"ZRWJ"_s)->trigger();
        m_window->menuItem(u"ZRWJ"_s)->trigger(); // cancelled: does nothing
        QCOMPARE(m_prompter->messages().size(), 1);
        QCOMPARE(m_window->panelState(), panel);
        QCOMPARE(m_window->hotColdTable(), hotCold);

        // A bad file is named in the message and leaves the panel and the table.
        QFile bad(dir.filePath(u"bad.ssqpanel.json"_s));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write(R"({"text1": {"50": "120"}, "check2": 2})");
        bad.close();
        m_prompter->clear();
        m_prompter->answerFileName(bad.fileName());
        m_window->menuItem(u"ZRWJ"_s)->trigger();
        QCOMPARE(m_prompter->messages().size(), 1);
        QVERIFY2(m_prompter->messageTexts().front().contains(u"check2"_s),
                 qPrintable(m_prompter->messageTexts().front()));
        QCOMPARE(m_window->panelState(), panel);
        QCOMPARE(m_window->hotColdTable(), hotCold);
    }

    void hotColdButton() {
        const QList<ssq::test::HistoryDraw> draws = ssq::test::realDraws(u"2020001"_s, 22);
        QCOMPARE(draws.size(), 22);
        for (const ssq::test::HistoryDraw& d : draws.mid(0, 21))
            QVERIFY(ssq::addDraw(m_temp->connection(), {d.issue, d.red, d.blue}).written);
        ssq::HotColdValues before{};
        before[1] = 5;
        m_window->setHotColdTable(before);
        click(u"Command5"_s);
        QCOMPARE(m_window->hotColdTable(), before);

        const ssq::test::HistoryDraw& last = draws.back();
        QVERIFY(ssq::addDraw(m_temp->connection(), {last.issue, last.red, last.blue}).written);
        click(u"Command5"_s);
        QCOMPARE(m_prompter->messageTexts(),
                 (QStringList{u"您的数据库中的记录不足22条，将不录取冷热值一类的4个指标"_s,
                              u"冷热值分析完毕,您可以选号了"_s}));
        QVERIFY(m_window->hotColdTable() != ssq::HotColdValues{});
    }

    void lastDrawCheckTicksTheFailedConditions() {
        QVERIFY(ssq::addDraw(m_temp->connection(), {7001, {3, 8, 15, 21, 27, 30}, 9}).written);
        QVERIFY(ssq::addDraw(m_temp->connection(), {7002, {1, 5, 12, 20, 27, 33}, 8}).written);
        type(50, u"120"_s); // condition 4: the sum 98 is below
        type(51, u"100"_s);
        type(147, u"33"_s); // condition 36: a killed number was drawn
        type(62, u"6"_s);   // condition 10 passes: one number repeats
        m_window->menuItem(u"BCTJ"_s)->trigger();
        click(u"Check1_10"_s);
        click(u"Check1_0"_s);

        m_prompter->clear();
        m_window->menuItem(u"SQTJCC"_s)->trigger();
        QCOMPARE(m_prompter->messageTexts(), QStringList{ssq::lastDrawCheckMessage(2)});
        QStringList row;
        for (int i = 1; i <= 8; ++i)
            row.append(text1(i)->text());
        QCOMPARE(row.join(u' '), u"1 5 12 20 27 33 8 0096810"_s);
        for (int k = 1; k <= 40; ++k)
            QCOMPARE(check(k)->isChecked(), k == 4 || k == 36);
        QVERIFY(check(0)->isChecked()); // the zone box is left alone
        QCOMPARE(text1(50)->text(), u"120"_s);
    }
};

QTEST_MAIN(TestPanelMenus)
#include "test_panel_menus.moc"

// The condition panel's items of the main window, clicked like a player would: a selection run
// with its progress and disabled inputs, its refusals, the saved set, condition files and the
// hot/cold button.

#include "red/condition_panel_view.h"
#include "shell/main_window.h"
#include "shell/qt_selection_runner.h"
#include "store/record_set.h"
#include "store/transaction.h"
#include "support/draw_tables.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString kOneKept = u"选号过程结束,符合条件的共有1注,请选择显示范围"_s;

// Every control of the panel with a value of its own, so a mix-up of two shows.
ssq::PanelState everyIndexPanel() {
    ssq::PanelState panel;
    for (int i = 0; i < 172; ++i)
        panel.text1[i] = u"t%1"_s.arg(i);
    for (int k = 0; k <= 40; ++k)
        panel.check1[k] = k % 3 == 0 ? 1 : 0;
    panel.check2 = 1;
    panel.check4 = 1;
    panel.option2 = true;
    for (int i = 0; i <= 40; ++i)
        panel.text3[i] = u"m%1"_s.arg(i);
    return panel;
}

void addDraws(QSqlDatabase db, int count) {
    const QList<ssq::test::HistoryDraw> draws = ssq::test::realDraws(u"2020001"_s, count);
    QCOMPARE(draws.size(), count);
    ssq::Transaction transaction(db);
    ssq::RecordSet set(db);
    QVERIFY(set.open(u"select* from kjhm order by 期号 "_s));
    for (const ssq::test::HistoryDraw& draw : draws) {
        set.addNew();
        set.setValue(0, QString::number(draw.issue));
        for (int r : draw.red)
            set.setValue(r, QString::number(r));
        set.setValue(33 + draw.blue, QString::number(draw.blue));
        QVERIFY(set.update());
    }
    QVERIFY(transaction.commit());
}

} // namespace

class TestPanelMenus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void selectionRunByClicking();
    void closingDuringARunCancelsIt();
    void refusalsChangeNothing_data();
    void refusalsChangeNothing();
    void panelStateRoundTrip();
    void savedSetRestoresTextsAndChoiceOnly();
    void conditionFileSavedAndLoaded();
    void badConditionFileLeavesThePanel();
    void hotColdButton();

private:
    QLineEdit* text1(int i) { return m_window->findChild<QLineEdit*>(u"Text1_%1"_s.arg(i)); }
    QCheckBox* check(const QString& name) { return m_window->findChild<QCheckBox*>(name); }
    void type(int index, const QString& text);
    void click(const QString& name);
    // XH, then waits until the run has ended.
    void runSelection();

    std::unique_ptr<ssq::test::TempDatabase> m_temp;
    std::unique_ptr<ssq::test::ScriptedPrompter> m_prompter;
    QPointer<ssq::MainWindow> m_window;
};

void TestPanelMenus::init() {
    m_temp = std::make_unique<ssq::test::TempDatabase>();
    QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
    m_prompter = std::make_unique<ssq::test::ScriptedPrompter>();
    m_window = new ssq::MainWindow(m_temp->database());
    m_window->findChild<QTimer*>(u"Timer1"_s)->stop();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestPanelMenus::cleanup() {
    delete m_window;
    m_prompter.reset();
    m_temp.reset();
}

void TestPanelMenus::type(int index, const QString& text) {
    QLineEdit* box = text1(index);
    QVERIFY2(box, qPrintable(QString::number(index)));
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

void TestPanelMenus::click(const QString& name) {
    auto* button = m_window->findChild<QAbstractButton*>(name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestPanelMenus::runSelection() {
    auto* runner = m_window->findChild<ssq::QtSelectionRunner*>();
    QSignalSpy ended(runner, &ssq::QtSelectionRunner::finished);
    m_window->menuItem(u"XH"_s)->trigger();
    QVERIFY(ended.wait(30000));
}

void TestPanelMenus::selectionRunByClicking() {
    const QStringList draw = {u"1"_s, u"5"_s, u"12"_s, u"20"_s, u"27"_s, u"33"_s};
    for (int i = 0; i < draw.size(); ++i)
        type(1 + i, draw[i]);
    click(u"Command2"_s);
    QCOMPARE(text1(8)->text(), u"0096810"_s);
    type(50, u"21"_s);
    type(51, u"21"_s);
    click(u"Check1_4"_s);
    click(u"Check1_0"_s);

    auto* bar = m_window->findChild<QProgressBar*>(u"ProgressBar1"_s);
    QCOMPARE(bar->maximum(), 1107570);
    QSignalSpy progress(bar, &QProgressBar::valueChanged);
    auto* runner = m_window->findChild<ssq::QtSelectionRunner*>();
    QSignalSpy ended(runner, &ssq::QtSelectionRunner::finished);
    m_window->menuItem(u"XH"_s)->trigger();

    // Nothing that feeds the run can be touched until it ends.
    QVERIFY(!m_window->conditionPanel()->isEnabled());
    QVERIFY(!text1(1)->isEnabled());
    QVERIFY(!m_window->menuBar()->isEnabled());
    QVERIFY(ended.wait(30000));

    QCOMPARE(m_window->findChild<QLineEdit*>(u"Text2"_s)->text(), kOneKept);
    QCOMPARE(m_window->selectionResult().count(), 1);
    QCOMPARE(m_window->selectionResult().text(0), u"1 2 3 4 5 6"_s);
    QVERIFY(m_window->conditionPanel()->isEnabled());
    QVERIFY(text1(1)->isEnabled());
    QVERIFY(m_window->menuBar()->isEnabled());
    QVERIFY(m_prompter->messages().isEmpty());

    // The bar climbed to the whole walk and came back to 0.
    QVERIFY(progress.size() >= 3);
    int highest = 0;
    for (const QList<QVariant>& value : progress)
        highest = std::max(highest, value.front().toInt());
    QCOMPARE(highest, 1107568);
    QCOMPARE(bar->value(), 0);

    // A run that keeps nothing says so and replaces the result.
    type(51, u"22"_s);
    runSelection();
    QCOMPARE(m_window->findChild<QLineEdit*>(u"Text2"_s)->text(),
             u"没有符合条件的号码,请重新设置选号条件"_s);
    QCOMPARE(m_window->selectionResult().count(), 0);
}

// The window may go while the worker walks: the run is cancelled and waited for.
void TestPanelMenus::closingDuringARunCancelsIt() {
    type(8, u"0000001"_s);
    m_window->menuItem(u"XH"_s)->trigger();
    QVERIFY(m_window->findChild<ssq::QtSelectionRunner*>()->isRunning());
    m_window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_window.isNull());
    QTest::qWait(20); // progress posted by the worker before it stopped goes nowhere
}

void TestPanelMenus::refusalsChangeNothing_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("message");
    QTest::newRow("no code") << QStringList{} << u"请先点击“转换代码查询”,程序将自动输入代码"_s;
    QTest::newRow("zone 1 box") << QStringList{u"Check1_0"_s}
                                << u"您选用了一区的选项,但没有点击指标一区选择框,请点击"_s;
    QTest::newRow("hot/cold table empty")
        << QStringList{u"Check3"_s, u"Check1_38"_s}
        << u"您选用了冷热值选项，但没有点击（如要使用冷热值指标，请先点此处），请先点击此按钮"_s;
}

// A refused run shows its message; Text2 and the kept result of the run before stay.
void TestPanelMenus::refusalsChangeNothing() {
    QFETCH(QStringList, clicks);
    QFETCH(QString, message);
    type(1, u"1"_s);
    type(8, u"0000001"_s);
    type(50, u"21"_s);
    type(51, u"21"_s);
    click(u"Check1_0"_s);
    click(u"Check1_4"_s);
    runSelection();
    QCOMPARE(m_window->findChild<QLineEdit*>(u"Text2"_s)->text(), kOneKept);

    if (clicks.isEmpty())
        type(8, QString());
    for (const QString& name : clicks)
        click(name);
    m_window->menuItem(u"XH"_s)->trigger();
    QCOMPARE(m_prompter->messageTexts(), QStringList{message});
    QVERIFY(m_window->conditionPanel()->isEnabled());
    QVERIFY(m_window->menuBar()->isEnabled());
    QCOMPARE(m_window->findChild<QLineEdit*>(u"Text2"_s)->text(), kOneKept);
    QCOMPARE(m_window->selectionResult().count(), 1);
}

void TestPanelMenus::panelStateRoundTrip() {
    const ssq::PanelState panel = everyIndexPanel();
    m_window->setPanelState(panel);
    QCOMPARE(m_window->panelState(), panel);
    // Each index lands in the box of that name.
    for (int i = 0; i < 172; ++i)
        QCOMPARE(text1(i)->text(), u"t%1"_s.arg(i));
    QVERIFY(check(u"Check1_39"_s)->isChecked() && !check(u"Check1_40"_s)->isChecked());
    QVERIFY(check(u"Check2"_s)->isChecked() && !check(u"Check3"_s)->isChecked());
    QVERIFY(m_window->findChild<QRadioButton*>(u"Option2"_s)->isChecked());

    m_window->setPanelState(ssq::PanelState{});
    QCOMPARE(m_window->panelState(), ssq::PanelState{});
}

void TestPanelMenus::savedSetRestoresTextsAndChoiceOnly() {
    type(1, u"9"_s);
    type(16, u"3"_s);
    type(104, u"0"_s);
    type(148, u"-120"_s);
    type(169, u"2"_s);
    click(u"Check1_12"_s);
    click(u"Option2"_s);
    m_window->menuItem(u"BCTJ"_s)->trigger();
    QCOMPARE(m_prompter->messageTexts(),
             QStringList{u"条件保存完毕,您要查看条件或需要将条件再次输入时,"
                         u"请点击菜单“数据操作”内的“条件再现”"_s});
    QCOMPARE(text1(170)->text(), u"0"_s);
    QCOMPARE(text1(171)->text(), u"1"_s);
    const ssq::PanelState saved = m_window->panelState();

    m_window->setPanelState(ssq::PanelState{});
    click(u"Check1_5"_s);
    m_prompter->clear();
    m_window->menuItem(u"TJZX"_s)->trigger();
    QVERIFY(m_prompter->messages().isEmpty());

    ssq::PanelState expected = saved;
    expected.text1[0].clear();
    for (int i = 1; i <= 15; ++i) // the last-draw row is not part of the set
        expected.text1[i].clear();
    expected.check1 = {};
    expected.check1[5] = 1; // the boxes stay as they were
    QCOMPARE(m_window->panelState(), expected);
    QVERIFY(m_window->findChild<QRadioButton*>(u"Option2"_s)->isChecked());
}

void TestPanelMenus::conditionFileSavedAndLoaded() {
    QTemporaryDir dir;
    ssq::PanelState panel = everyIndexPanel();
    panel.text1[104] = u"0"_s;
    panel.text1[105] = u" "_s;
    panel.text3[0].clear(); // nothing reads it, so no file holds it
    m_window->setPanelState(panel);
    ssq::HotColdValues hotCold{};
    for (int n = 1; n <= 33; ++n)
        hotCold[n] = 40 - 3 * n;
    m_window->setHotColdTable(hotCold);

    m_prompter->answerFileName(dir.filePath(u"周二"_s));
    m_window->menuItem(u"BCWJ"_s)->trigger();
    const QString path = dir.filePath(u"周二.ssqpanel.json"_s);
    QVERIFY(QFile::exists(path));
    QCOMPARE(m_prompter->messages().size(), 1);
    QVERIFY(m_prompter->messageTexts().front().contains(path));

    m_window->setPanelState(ssq::PanelState{});
    m_window->setHotColdTable({});
    m_prompter->clear();
    m_prompter->answerFileName(path);
    m_window->menuItem(u"ZRWJ"_s)->trigger();
    QVERIFY(m_prompter->messages().isEmpty());
    QCOMPARE(m_window->panelState(), panel);
    QCOMPARE(m_window->hotColdTable(), hotCold);

    // A cancelled dialog does nothing.
    m_window->setPanelState(ssq::PanelState{});
    m_window->menuItem(u"ZRWJ"_s)->trigger();
    m_window->menuItem(u"BCWJ"_s)->trigger();
    QCOMPARE(m_prompter->unanswered().size(), 2);
    QVERIFY(m_prompter->messages().isEmpty());
    QCOMPARE(m_window->panelState(), ssq::PanelState{});
}

void TestPanelMenus::badConditionFileLeavesThePanel() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"bad.ssqpanel.json"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"text1": {"50": "120"}, "check2": 2})");
    file.close();

    const ssq::PanelState panel = everyIndexPanel();
    m_window->setPanelState(panel);
    ssq::HotColdValues hotCold{};
    hotCold[7] = 12;
    m_window->setHotColdTable(hotCold);
    m_prompter->answerFileName(path);
    m_window->menuItem(u"ZRWJ"_s)->trigger();
    QCOMPARE(m_prompter->messages().size(), 1);
    QVERIFY2(m_prompter->messageTexts().front().contains(u"check2"_s),
             qPrintable(m_prompter->messageTexts().front()));
    QCOMPARE(m_window->panelState(), panel);
    QCOMPARE(m_window->hotColdTable(), hotCold);
}

void TestPanelMenus::hotColdButton() {
    addDraws(m_temp->connection(), 21);
    ssq::HotColdValues before{};
    before[1] = 5;
    m_window->setHotColdTable(before);
    click(u"Command5"_s);
    QCOMPARE(m_prompter->messageTexts(),
             QStringList{u"您的数据库中的记录不足22条，将不录取冷热值一类的4个指标"_s});
    QCOMPARE(m_window->hotColdTable(), before);

    // With 22 draws the table is filled and conditions 37..40 may run.
    m_temp->connection().exec(u"delete from kjhm"_s);
    addDraws(m_temp->connection(), 22);
    m_prompter->clear();
    click(u"Command5"_s);
    QCOMPARE(m_prompter->messageTexts(), QStringList{u"冷热值分析完毕,您可以选号了"_s});
    QVERIFY(m_window->hotColdTable() != ssq::HotColdValues{});

    // The run that needs the table goes ahead now.
    type(8, u"0000001"_s);
    click(u"Check3"_s);
    click(u"Check1_40"_s);
    m_prompter->clear();
    runSelection();
    QVERIFY(m_prompter->messages().isEmpty());
    QVERIFY(m_window->findChild<QLineEdit*>(u"Text2"_s)->text().startsWith(u"选号过程结束"_s));
}

QTEST_MAIN(TestPanelMenus)
#include "test_panel_menus.moc"

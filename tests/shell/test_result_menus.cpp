// The result and check items of the main window on a real run and a real history: the list and
// saving read the run's result, and the last-draw check's ticks land in the panel's boxes.

#include "red/last_draw_check.h"
#include "red/saved_results.h"
#include "shell/main_window.h"
#include "shell/qt_selection_runner.h"
#include "store/draw_entry.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Notes what the panel showed when each message came.
class WatchingPrompter : public ssq::test::ScriptedPrompter {
public:
    std::function<void()> onMessage;
    void message(QWidget* parent, const QString& text, Icon icon) override {
        if (onMessage)
            onMessage();
        ScriptedPrompter::message(parent, text, icon);
    }
};

} // namespace

class TestResultMenus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void listAndSaveTheRunsResult();
    void checkTicksTheFailedConditions();

private:
    QLineEdit* text1(int i) { return m_window->findChild<QLineEdit*>(u"Text1_%1"_s.arg(i)); }
    QCheckBox* check(int k) { return m_window->findChild<QCheckBox*>(u"Check1_%1"_s.arg(k)); }
    void type(int index, const QString& text);

    std::unique_ptr<ssq::test::TempDatabase> m_temp;
    std::unique_ptr<WatchingPrompter> m_prompter;
    QPointer<ssq::MainWindow> m_window;
};

void TestResultMenus::init() {
    m_temp = std::make_unique<ssq::test::TempDatabase>();
    QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
    m_prompter = std::make_unique<WatchingPrompter>();
    m_window = new ssq::MainWindow(m_temp->database());
    m_window->findChild<QTimer*>(u"Timer1"_s)->stop();
    m_window->show();
}

void TestResultMenus::cleanup() {
    delete m_window;
    m_prompter.reset();
    m_temp.reset();
}

void TestResultMenus::type(int index, const QString& text) {
    QLineEdit* box = text1(index);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

void TestResultMenus::listAndSaveTheRunsResult() {
    type(8, u"0000001"_s);
    type(50, u"22"_s);
    type(51, u"21"_s);
    QTest::mouseClick(check(0), Qt::LeftButton);
    QTest::mouseClick(check(4), Qt::LeftButton);
    QSignalSpy ended(m_window->findChild<ssq::QtSelectionRunner*>(),
                     &ssq::QtSelectionRunner::finished);
    m_window->menuItem(u"XH"_s)->trigger();
    QVERIFY(ended.wait(30000));

    QTest::mouseClick(m_window->findChild<QPushButton*>(u"Command4"_s), Qt::LeftButton);
    auto* list = m_window->findChild<QComboBox*>(u"Combo1"_s);
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->itemText(0), u"1 2 3 4 5 6"_s);
    QCOMPARE(list->itemText(1), u"1 2 3 4 5 7"_s);
    QCOMPARE(m_prompter->messages().size(), 1);

    m_window->menuItem(u"BCHM"_s)->trigger();
    const ssq::SavedResults saved = ssq::loadSavedResults(m_temp->connection());
    QCOMPARE(saved.texts, (QStringList{u"1 2 3 4 5 6"_s, u"1 2 3 4 5 7"_s}));
}

void TestResultMenus::checkTicksTheFailedConditions() {
    QVERIFY(ssq::addDraw(m_temp->connection(), {7001, {3, 8, 15, 21, 27, 30}, 9}).written);
    QVERIFY(ssq::addDraw(m_temp->connection(), {7002, {1, 5, 12, 20, 27, 33}, 8}).written);
    type(50, u"120"_s); // condition 4: the sum 98 is below
    type(51, u"100"_s);
    type(147, u"33"_s); // condition 36: a killed number was drawn
    type(62, u"6"_s);   // condition 10 passes: one number repeats
    m_window->menuItem(u"BCTJ"_s)->trigger();
    QTest::mouseClick(check(10), Qt::LeftButton);
    QTest::mouseClick(check(0), Qt::LeftButton);

    bool tickedWhenTold = false;
    m_prompter->onMessage = [&] { tickedWhenTold = check(4)->isChecked(); };
    m_prompter->clear();
    m_window->menuItem(u"SQTJCC"_s)->trigger();
    QCOMPARE(m_prompter->messageTexts(), QStringList{ssq::lastDrawCheckMessage(2)});
    QVERIFY(tickedWhenTold);

    QStringList row;
    for (int i = 1; i <= 8; ++i)
        row.append(text1(i)->text());
    QCOMPARE(row, (QStringList{u"1"_s, u"5"_s, u"12"_s, u"20"_s, u"27"_s, u"33"_s, u"8"_s,
                               u"0096810"_s}));
    for (int k = 1; k <= 40; ++k)
        QCOMPARE(check(k)->isChecked(), k == 4 || k == 36);
    QVERIFY(check(0)->isChecked()); // the zone box is left alone
    QCOMPARE(text1(50)->text(), u"120"_s);
}

QTEST_MAIN(TestResultMenus)
#include "test_result_menus.moc"

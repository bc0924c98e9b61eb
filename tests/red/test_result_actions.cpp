#include "red/condition_set.h"
#include "red/last_draw_check.h"
#include "red/qt_result_actions.h"
#include "red/results_window.h"
#include "red/saved_results.h"
#include "store/draw_entry.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

QString resultText(int i) {
    return u"1 2 3 4 %1 %2"_s.arg(5 + i / 28).arg(6 + i % 28);
}

} // namespace

class TestResultActions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void resultListTakesFirstFiveThousand();
    void savingTellsBeforeAndAfter();
    void resultsWindowOpensOnce();
    void checkTicksAndTells();

private:
    std::unique_ptr<test::TempDatabase> m_db;
    std::unique_ptr<test::ScriptedPrompter> m_prompter;
    std::unique_ptr<QWidget> m_window;
};

void TestResultActions::init() {
    m_db = std::make_unique<test::TempDatabase>();
    QVERIFY2(m_db->isValid(), qPrintable(m_db->error()));
    m_prompter = std::make_unique<test::ScriptedPrompter>();
    m_window = std::make_unique<QWidget>();
}

void TestResultActions::cleanup() {
    m_window.reset();
    m_prompter.reset();
    m_db.reset();
}

void TestResultActions::resultListTakesFirstFiveThousand() {
    QtResultActions actions(m_db->database(), m_window.get());
    QComboBox list;
    for (int i = 0; i < 10; ++i)
        list.addItem(u"old %1"_s.arg(i));
    actions.showResultList(list, 7, resultText);
    QCOMPARE(list.count(), 10);
    QCOMPARE(list.itemText(0), resultText(0));
    QCOMPARE(list.itemText(6), resultText(6));
    for (int i = 7; i < 10; ++i)
        QCOMPARE(list.itemText(i), QString());
    QCOMPARE(m_prompter->messageTexts(), QStringList{u"数据载入完毕,请点击下拉箭头查看选号"_s});

    m_prompter->clear();
    actions.showResultList(list, 6000, resultText);
    QCOMPARE(list.count(), 5000);
    QCOMPARE(list.itemText(4999), resultText(4999));
    QCOMPARE(m_prompter->messageTexts(),
             QStringList{
                 u"您的选号结果超过了5000注，本程序只为您显示前5000注,请点击下拉箭头查看选号"_s});
}

void TestResultActions::savingTellsBeforeAndAfter() {
    QtResultActions actions(m_db->database(), m_window.get());
    QVERIFY(actions.saveResults(7, resultText));
    QCOMPARE(m_prompter->messageTexts(),
             (QStringList{savePreparationMessage(), u"所选号码保存完毕"_s}));
    m_prompter->clear();
    QVERIFY(!actions.saveResults(5001, resultText));
    QCOMPARE(m_prompter->messageTexts(),
             (QStringList{savePreparationMessage(),
                          u"您所选的号码超过了5000注,本程序拒绝执行此操作"_s}));
    QCOMPARE(loadSavedResults(m_db->connection()).texts.size(), 7);
}

void TestResultActions::resultsWindowOpensOnce() {
    QtResultActions actions(m_db->database(), m_window.get());
    QVERIFY(saveResults(m_db->connection(), 3, resultText).saved);
    QPointer<ResultsWindow> first = actions.openResultsWindow();
    QVERIFY(first);
    QCOMPARE(first->findChild<QLabel*>(u"Label4"_s)->text(), u"(您总共选出了3注号码)"_s);

    // Open again while it is loaded: the same window, still showing what it read.
    QVERIFY(saveResults(m_db->connection(), 9, resultText).saved);
    QCOMPARE(actions.openResultsWindow(), first.data());
    QCOMPARE(first->findChild<QLabel*>(u"Label4"_s)->text(), u"(您总共选出了3注号码)"_s);

    // After it is closed, a new one reads hmbc anew.
    first->close();
    QTRY_VERIFY(first.isNull());
    ResultsWindow* second = actions.openResultsWindow();
    QCOMPARE(second->findChild<QLabel*>(u"Label4"_s)->text(), u"(您总共选出了9注号码)"_s);
    QVERIFY(m_prompter->messages().isEmpty());
}

void TestResultActions::checkTicksAndTells() {
    QtResultActions actions(m_db->database(), m_window.get());
    PanelState panel;
    QVERIFY(!actions.checkLastDraw(panel));
    QCOMPARE(m_prompter->messages().size(), 1);
    QVERIFY(m_prompter->messageTexts().first().contains(u"还没有开奖记录"_s));
    QVERIFY(panel == PanelState{});

    QVERIFY(addDraw(m_db->connection(), DrawInput{7001, {3, 8, 15, 21, 27, 30}, 9}).written);
    PanelState set;
    set.text1[147] = u"30"_s; // 36: a killed number was drawn
    QVERIFY(saveConditionSet(m_db->connection(), set).ok);
    m_prompter->clear();
    QVERIFY(actions.checkLastDraw(panel));
    QCOMPARE(m_prompter->messageTexts(), QStringList{lastDrawCheckMessage(1)});
    QCOMPARE(panel.check1[36], 1);
    QCOMPARE(panel.text1[6], u"30"_s);
}

QTEST_MAIN(TestResultActions)
#include "test_result_actions.moc"

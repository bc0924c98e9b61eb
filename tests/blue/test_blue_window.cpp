// The blue selection window clicked like a player.

#include "blue/blue_analysis.h"
#include "blue/widgets/blue_selection_window.h"
#include "store/widgets/draw_grid_view.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"
#include "support/widget_actions.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace ssq;
using namespace Qt::StringLiterals;

class TestBlueWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDatabase> m_temp;
    std::unique_ptr<test::ScriptedPrompter> m_prompter;
    std::unique_ptr<BlueSelectionWindow> m_window;

    void item(const QString& name) {
        auto* action = m_window->findChild<QAction*>(name);
        QVERIFY2(action && action->isEnabled(), qPrintable(name));
        action->trigger();
    }
    QString results() const {
        QStringList boxes;
        for (int i = 29; i <= 44; ++i)
            boxes.append(test::textOf(m_window.get(), u"Text%1"_s.arg(i)).trimmed());
        return boxes.join(u',');
    }
    bool ticked(int box) const { return m_window->check(box)->isChecked(); }
    QString cell(DrawGridView* grid, int row, int column) const {
        return grid->model()->index(row, column).data().toString();
    }

private Q_SLOTS:
    void init() {
        m_temp = std::make_unique<test::TempDatabase>();
        m_prompter = std::make_unique<test::ScriptedPrompter>();
        m_window = std::make_unique<BlueSelectionWindow>(m_temp->database());
        m_window->show();
    }
    void cleanup() {
        m_window.reset();
        m_prompter.reset();
        m_temp.reset();
    }

    // Nothing ticked: all sixteen; then 大号 and 单.
    void runsTheSelection() {
        item(u"LQXH"_s);
        QCOMPARE(results(), u"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16"_s);
        QCOMPARE(test::textOf(m_window.get(), u"Text45"_s), u"符合条件的号码共有16注!"_s);
        QVERIFY(ticked(12)); // the range the run switched on

        test::click(m_window.get(), u"Check1"_s);
        test::click(m_window.get(), u"Option2"_s);
        test::click(m_window.get(), u"Check2"_s);
        test::click(m_window.get(), u"Check13"_s);
        item(u"LQXH"_s);
        QCOMPARE(results(), u"9,11,13,15,,,,,,,,,,,,"_s);
        QCOMPARE(test::textOf(m_window.get(), u"Text45"_s), u"符合条件的号码共有4注!"_s);
    }

    void refusesAStrictListBoxOutOfRange() {
        test::click(m_window.get(), u"Check11"_s);
        test::retype(m_window.get(), u"Text24"_s, u"12"_s);
        item(u"LQXH"_s);
        QCOMPARE(
            m_prompter->messageTexts(),
            QStringList{
                u"“不允许容错的选项”第2个框中的“12”不是0到10之间的条件编号，请改正后再选号"_s});
        QCOMPARE(results(), u",,,,,,,,,,,,,,,"_s);
    }

    void analysesTheHistory() {
        QVERIFY(test::addRealDraws(m_temp->connection(), u"2022001"_s, 60));
        m_prompter->answerInput(u"20"_s);
        item(u"CQCS"_s);
        QCOMPARE(
            m_prompter->questions(),
            QStringList{
                u"请输入需要查询的期数(即要查询各个蓝球号码最近多少期的出球次数,默认值为50)"_s});
        QVERIFY(m_prompter->messageTexts().isEmpty()); // what was done shows in the status bar
        QCOMPARE(m_window->statusBar()->currentMessage(), u"蓝球号码分析完毕（最近20期）"_s);
        DrawGridView* grid2 = m_window->analysisGrid();
        QCOMPARE(grid2->model()->rowCount(), 4);
        QCOMPARE(cell(grid2, 1, 1), u"最近20期开出次数"_s);
        QCOMPARE(m_window->historyGrid()->model()->rowCount(), 60);

        // More than the draws: refused, nothing written; cancelled: the default of 50.
        m_prompter->clear();
        m_prompter->answerInput(u"61"_s);
        item(u"CQCS"_s);
        QCOMPARE(m_prompter->messageTexts().size(), 1);
        QVERIFY(m_prompter->messageTexts()[0].contains(u"只有60期"_s));
        QSqlQuery label(u"SELECT 项目 FROM lqtx WHERE 序号 = 2"_s, m_temp->connection());
        QVERIFY(label.next());
        QCOMPARE(label.value(0).toString(), u"最近20期开出次数"_s);
        m_prompter->clear();
        item(u"CQCS"_s);
        QCOMPARE(m_window->statusBar()->currentMessage(),
                 u"蓝球号码分析完毕（没有输入期数，按默认的50期统计）"_s);
        QCOMPARE(cell(grid2, 1, 1), u"最近50期开出次数"_s);
    }

    // With no draws nothing is asked; on 30 draws 51 is refused naming the 50 allowed.
    void shortAndEmptyHistories() {
        item(u"CQCS"_s);
        QVERIFY(m_prompter->questions().isEmpty());
        QCOMPARE(m_prompter->messageTexts(), QStringList{blueNoDrawsMessage()});

        QVERIFY(test::addRealDraws(m_temp->connection(), u"2022001"_s, 30));
        m_prompter->clear();
        m_prompter->answerInput(u"51"_s);
        item(u"CQCS"_s);
        QCOMPARE(
            m_prompter->messageTexts(),
            QStringList{u"数据库中只有30期开奖记录，无法查询最近51期，请输入不大于50的期数"_s});
    }

    void historyViews() {
        QVERIFY(test::addRealDraws(m_temp->connection(), u"2022001"_s, 3));
        item(u"KJZB"_s);
        QCOMPARE(m_window->historyGrid()->model()->headerData(3, Qt::Horizontal).toString(),
                 u"蓝代大号"_s);
        item(u"HMFB"_s);
        QCOMPARE(m_window->historyGrid()->model()->rowCount(), 3);
    }

    void savesAndRestoresOptions() {
        test::retype(m_window.get(), u"Text3"_s, u"7"_s);
        test::click(m_window.get(), u"Option1"_s);
        test::click(m_window.get(), u"Check14"_s);
        test::click(m_window.get(), u"Check5"_s);
        item(u"XXCD"_s);
        test::retype(m_window.get(), u"Text3"_s, u"8"_s);
        test::click(m_window.get(), u"Check14"_s);
        item(u"SZZX"_s);
        QCOMPARE(m_prompter->messageTexts(),
                 (QStringList{u" 所有条件选项均已存档完毕"_s, u" 所有条件选项均已再现完毕"_s}));
        QVERIFY(test::textOf(m_window.get(), u"Text3"_s) == u"7"_s && ticked(14));
    }

    void controlsFiles() {
        QTemporaryDir dir;
        test::click(m_window.get(), u"Check9"_s);
        test::click(m_window.get(), u"Check16"_s);
        test::retype(m_window.get(), u"Text28"_s, u"1"_s);
        m_prompter->answerFileName(dir.filePath(u"周二"_s));
        item(u"BCWJ"_s);
        const QString saved = dir.filePath(u"周二.ssqblue.json"_s);
        QVERIFY(QFile::exists(saved));
        const BlueControls before = m_window->controls();
        m_window->setControls({});

        // A refused file is named in the message and changes nothing.
        const QString both = dir.filePath(u"both.json"_s);
        QVERIFY(test::writeBytes(both, R"({"option1": true, "option2": true})"));
        m_prompter->clear();
        m_prompter->answerFileName(both);
        item(u"ZRWJ"_s);
        QCOMPARE(m_prompter->messageTexts().size(), 1);
        QVERIFY(m_prompter->messageTexts()[0].contains(u"“option1”"_s));
        QCOMPARE(m_window->controls(), BlueControls{});

        m_prompter->answerFileName(saved);
        item(u"ZRWJ"_s);
        QCOMPARE(m_window->controls(), before);
    }
};

QTEST_MAIN(TestBlueWindow)
#include "test_blue_window.moc"

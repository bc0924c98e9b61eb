// The main window as a player uses it: the menus, the title-bar clock, typing a last draw and
// converting it, the AC query, auto-input of the newest draw, each menu item opening its window
// once, exit and the 1024 × 768 layout; a selection run with its progress and disabled inputs,
// the result list, saved numbers and refusals; the saved set, condition files, the hot/cold
// button, the last-draw check and the live count; the ticket items: the export dialog (count and
// cost before writing, blues typed or from the blue-ball window, file and clipboard), the random
// pick, and the prize window on a file and on the saved results.

#include "red/last_draw_check.h"
#include "red/last_draw_row.h"
#include "red/saved_results.h"
#include "red/selection_result.h"
#include "red/widgets/condition_panel_view.h"
#include "shell/caption_clock.h"
#include "shell/widgets/main_window.h"
#include "shell/widgets/screen_mode_window.h"
#include "shell/widgets/selection_runner.h"
#include "store/draw_entry.h"
#include "store/maintenance.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"
#include "support/widget_actions.h"
#include "tickets/widgets/blue_window_result.h"
#include "tickets/widgets/prize_check_window.h"
#include "ui/twips.h"
#include "ui/widgets/help_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ssq::test::TempDatabase> m_temp;
    std::unique_ptr<ssq::test::ScriptedPrompter> m_prompter;
    QPointer<ssq::MainWindow> m_window;

    QLineEdit* text1(int i) { return m_window->findChild<QLineEdit*>(u"Text1_%1"_s.arg(i)); }
    QString text2() { return ssq::test::textOf(m_window, u"Text2"_s); }
    QString boxes(int first, int last, const QString& separator = {}) {
        QStringList texts;
        for (int i = first; i <= last; ++i)
            texts.append(text1(i)->text());
        return texts.join(separator);
    }
    // Types over Text1 `index`, or the row from there, like a person.
    void type(int index, const QString& text) {
        ssq::test::retype(m_window, u"Text1_%1"_s.arg(index), text);
    }
    void typeRow(const QString& blankSeparated, int first = 1) {
        const QStringList values = blankSeparated.split(u' ');
        for (int i = 0; i < values.size(); ++i)
            type(first + i, values[i]);
    }
    void click(const QString& name) { ssq::test::click(m_window, name); }
    QAction* item(const QString& name) { return m_window->findChild<QAction*>(name); }
    QTableView* grid() { return m_window->findChild<QTableView*>(u"DataGrid1"_s); }
    bool inputsEnabled() {
        return m_window->findChild<ssq::ConditionPanelView*>()->isEnabled() &&
               text1(1)->isEnabled() && m_window->menuBar()->isEnabled();
    }
    // XH, then waits until the run has ended.
    void runSelection() {
        QSignalSpy ended(m_window->findChild<ssq::SelectionRunner*>(),
                         &ssq::SelectionRunner::finished);
        item(u"XH"_s)->trigger();
        QVERIFY(!inputsEnabled()); // nothing that feeds the run can be touched until it ends
        QVERIFY(ended.wait(30000));
        QVERIFY(inputsEnabled());
    }
    // Kept combinations with codes 1, 2, ... count.
    void keep(int count) {
        ssq::SelectionResult kept;
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

    void menuBarInOrder() {
        // Each menu with its entries.
        const QString expected =
            u"XH 红球选号 | TJCZ 条件操作: BCTJ 保存条件设置, TJZX 条件再现, SQTJCC 上期条件查错, "
            u"BCWJ 保存条件到文件…, ZRWJ 从文件载入条件…, HTCS 条件历史回测… | "
            u"XHJGCC 选号结果操作: BCHM 保存所选号码, "
            u"xshm 号码显示与打印(必须先保存号码), DCJG 导出选号结果…, SJXZ 从结果中随机选N注, "
            u"XZJZ 旋转矩阵与缩水… | "
            u"CX 查询: AC AC值查询, WQCX 往期是否开出查询, ZJCX 中奖查询 | "
            u"ZST 号码走势图 | HMFX 号码特性分析 | ZXT 指标折线图 | KJSJ 数据操作: TJSJ "
            u"数据添加、删除、修改, "
            u"CKSJ 查看历史数据, DRSJ 导入开奖数据文件, ZTKJ 粘贴开奖号码…, LWGX 联网更新开奖数据 "
            u"| WH 数据库维护: BF "
            u"数据库备份(请您定期备份), "
            u"XF 用备份数据库替换当前数据库(修复), YS 数据库压缩(减肥优化) | LQXH 蓝球选号 | "
            u"MNYX 模拟开奖游戏 | BZ 帮助: SYBZ 使用帮助, DRSM 开奖数据文件格式说明, "
            u"PMFBL 调整屏幕分辩率 | TC 退出"_s;
        const auto describe = [](QAction* a) { return a->objectName() + u' ' + a->text(); };
        QStringList actual;
        for (QAction* top : m_window->menuBar()->actions()) {
            QStringList entries;
            for (QAction* a : top->menu() ? top->menu()->actions() : QList<QAction*>{})
                if (!a->isSeparator())
                    entries.append(describe(a));
            actual.append(describe(top) + (entries.isEmpty() ? u""_s : u": "_s) +
                          entries.join(u", "_s));
        }
        QCOMPARE(actual.join(u" | "_s), expected);
    }

    // Every item is enabled and does something a player sees when chosen: a window or dialog,
    // a file dialog, a message or the grid reading a table. An item that was built but
    // never connected does nothing and is named here.
    void everyMenuItemDoesSomething() {
        QTemporaryDir backups;
        ssq::setBackupFolder(backups.path());
        QSignalSpy gridReads(grid()->model(), &QAbstractItemModel::modelReset);
        const auto seen = [this, &gridReads] {
            QStringList shown = m_prompter->messageTexts() + m_prompter->questions();
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w != m_window && w->isVisible())
                    shown.append(w->objectName());
            shown.append(QString::number(gridReads.size()));
            return shown;
        };
        QStringList idle;
        int items = 0;
        for (QAction* top : m_window->menuBar()->actions()) {
            for (QAction* a : top->menu() ? top->menu()->actions() : QList<QAction*>{top}) {
                if (a->isSeparator() || a->objectName() == u"TC"_s) // TC ends the program
                    continue;
                ++items;
                QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
                const QStringList before = seen();
                a->trigger();
                if (seen() == before)
                    idle.append(a->objectName());
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (w != m_window && w->isVisible())
                        w->close();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
        }
        ssq::setBackupFolder({});
        QCOMPARE(items, 31);
        QVERIFY2(idle.isEmpty(), qPrintable(idle.join(u' ')));
    }

    void clockCaption() {
        QCOMPARE(m_window->windowTitle(), QString());
        QCOMPARE(m_window->findChild<QTimer*>(u"Timer1"_s)->interval(), 1000);
        const QDateTime now(QDate(2025, 3, 7), QTime(21, 4, 9));
        m_window->tickClock(now);
        QCOMPARE(m_window->windowTitle(), u"Ravelko  "_s + ssq::captionDateTime(now));
    }

    void convertsTypedDraw_data() {
        QTest::addColumn<QString>("red");
        QTest::addColumn<QString>("code"); // Text1_8 afterwards, a blank, Text1_9..15
        QTest::addColumn<QString>("message");
        QTest::newRow("1..6") << u"1 2 3 4 5 6"_s << u"0000001 0000001"_s << QString();
        // A refused row leaves what was there.
        QTest::newRow("5 5") << u"5 5 6 7 8 9"_s << u"0000009 "_s
                             << u"请按从小到大的顺序输入开奖号码"_s;
    }
    void convertsTypedDraw() {
        QFETCH(QString, red);
        QFETCH(QString, code);
        QFETCH(QString, message);
        typeRow(u"0000009"_s, 8);
        typeRow(red);
        click(u"Command2"_s);
        QCOMPARE(boxes(8, 8) + u' ' + boxes(9, 15), code);
        QCOMPARE(m_prompter->messageTexts().join(u'|'), message);
    }

    void acQuery() {
        // An empty row asks for the numbers rather than answering 0.
        click(u"Command3"_s);
        QCOMPARE(m_prompter->messageTexts(),
                 QStringList{u"请在上期开奖号输入区填好六个红球号码，再查询AC值"_s});
        m_prompter->clear();
        // Where an AC value is asked or set, its scale is told.
        for (const QString& name : {u"Command3"_s, u"Check1_5"_s, u"Text1_52"_s, u"Text1_53"_s})
            QVERIFY2(m_window->findChild<QWidget*>(name)->toolTip().contains(u"常用算法"_s),
                     qPrintable(name));
        QVERIFY(item(u"AC"_s)->toolTip().contains(u"范围0～10"_s));
        typeRow(u"1 2 4 8 16 32"_s);
        click(u"Command2"_s);
        QCOMPARE(boxes(8, 8), u"0005277"_s);
        click(u"Command3"_s);
        item(u"AC"_s)->trigger();
        const QStringList both{u"常规AC值为15（常用算法为10）"_s, u"代码AC值为5"_s};
        QCOMPARE(m_prompter->messageTexts(), both + both);
    }

    void autoInput() {
        QVERIFY(ssq::test::addDraws(m_temp->connection(), {{7001, {2, 4, 13, 20, 27, 33}, 9},
                                                           {7002, {1, 5, 12, 20, 27, 33}, 8}}));
        typeRow(u"0000001"_s, 8);
        click(u"Command1"_s);
        // The code waits for Command2; the grid shows the table the row came from.
        QCOMPARE(boxes(1, 8, u" "_s), u"1 5 12 20 27 33 8 0000001"_s);
        QVERIFY(m_prompter->messageTexts().isEmpty());
        QCOMPARE(grid()->model()->rowCount(), 2);
        click(u"Command2"_s);
        QCOMPARE(boxes(8, 8), u"0096810"_s);
    }

    // A draw added after the row was filled is noticed beside the live count; one click brings
    // the row, its code and the hot/cold values to the newest draw.
    void noticesNewerDraw() {
        QVERIFY(ssq::test::addRealDraws(m_temp->connection(), u"2026071"_s, 26));
        auto* notice = m_window->findChild<QLabel*>(u"NewerDraw"_s);
        click(u"Command1"_s);
        QTest::qWait(1200);
        QVERIFY(!notice->isVisible());
        QVERIFY(ssq::addDraw(m_temp->connection(), {6097, {5, 11, 17, 23, 29, 33}, 7}).written);
        QTRY_VERIFY(notice->isVisible());
        QCOMPARE(
            notice->text(),
            u"<a href=\"update\">数据库已有第2026097期，上期号和冷热值还是第2026096期的，点此更新</a>"_s);
        Q_EMIT notice->linkActivated(u"update"_s);
        QCOMPARE(boxes(1, 7, u" "_s), u"5 11 17 23 29 33 7"_s);
        QCOMPARE(
            boxes(8, 8),
            ssq::convertToCode({u"5"_s, u"11"_s, u"17"_s, u"23"_s, u"29"_s, u"33"_s}).codeText);
        QVERIFY(m_window->hotColdTable() != ssq::HotColdValues{});
        QVERIFY(!notice->isVisible());
    }

    // The grid reads its whole result, so no half-read query keeps the file locked against the
    // program's other connections (backup, import).
    void gridLeavesTheFileFreeForOtherWriters() {
        QVERIFY(QSqlQuery(m_temp->connection())
                    .exec(u"insert into kjhm (期号) with recursive n(i) as (select 1 union all "
                          u"select i + 1 from n where i < 400) select i from n"_s));
        m_window->showInGrid(u"select * from kjhm"_s);
        QCOMPARE(grid()->model()->rowCount(), 400);
        ssq::Database other(m_temp->path());
        QVERIFY(other.open(nullptr));
        QVERIFY(QSqlQuery(other.connection()).exec(u"insert into kjhm (期号) values (401)"_s));
    }

    // Every window is loaded once, however often its item is chosen, and shown over this one.
    void menuItemsOpenTheirWindowsOnce() {
        for (const QString& itemAndForm :
             {u"TJSJ Form9"_s, u"CKSJ Form4"_s, u"WQCX Form10"_s, u"DRSJ Form12"_s,
              u"ZTKJ FormZTKJ"_s, u"LWGX FormLWGX"_s, u"LQXH Form3"_s, u"HMFX Form2"_s,
              u"ZXT Form6"_s, u"MNYX Form5"_s, u"HTCS BacktestWindow"_s,
              u"ZST TrendChartWindow"_s}) {
            const QStringList names = itemAndForm.split(u' ');
            QVERIFY2(item(names[0])->isEnabled(), qPrintable(names[0]));
            item(names[0])->trigger();
            item(names[0])->trigger();
            const QList<QWidget*> windows =
                m_window->findChildren<QWidget*>(names[1], Qt::FindDirectChildrenOnly);
            QCOMPARE(windows.size(), 1);
            QVERIFY(windows[0]->isWindow() && windows[0]->isVisible());
        }
    }

    // 帮助 shows the help pages inside the program, no browser needed, and the screen-mode
    // window; a link between the pages is followed in the same window.
    void helpMenu() {
        item(u"SYBZ"_s)->trigger();
        auto* help = ssq::test::topLevel<ssq::HelpWindow>().value(0);
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->windowTitle(), u"帮助 - Ravelko 双色球选号助手"_s);
        QVERIFY(help->browser()->toPlainText().contains(u"主要功能"_s));
        item(u"DRSM"_s)->trigger();
        QCOMPARE(ssq::test::topLevel<ssq::HelpWindow>().size(), 1); // the same window
        QCOMPARE(help->windowTitle(), u"帮助 - 导入开奖数据 - Ravelko 双色球选号助手"_s);
        ssq::test::click(help, u"helpBack"_s);
        QCOMPARE(help->windowTitle(), u"帮助 - Ravelko 双色球选号助手"_s);
        help->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        item(u"PMFBL"_s)->trigger();
        auto* modes = ssq::test::topLevel<ssq::ScreenModeWindow>().value(0);
        QVERIFY(modes && modes->isVisible());
        QCOMPARE(modes->windowTitle(), u"调整屏幕分辩率"_s);
        modes->close();
    }

    // With several backups, 用备份数据库替换当前数据库 lists them newest first and restores the
    // one chosen; a number not listed replaces nothing. 数据库压缩 leaves the file open.
    void restoreOffersWhichBackup() {
        QTemporaryDir backups;
        ssq::setBackupFolder(backups.path());
        const auto draws = [this] {
            QSqlQuery q(u"select count(*) from kjhm"_s, m_temp->connection());
            return q.next() ? q.value(0).toInt() : -1;
        };
        for (int n = 1; n <= 3; ++n) { // backups of 1, 2 and 3 draws
            QVERIFY(ssq::test::addRealDraws(m_temp->connection(), u"2022001"_s, n));
            item(u"BF"_s)->trigger();
            for (const QString& table : {u"kjhm"_s, u"kjdm"_s, u"kjzb"_s})
                QSqlQuery(u"delete from "_s + table, m_temp->connection());
        }
        QVERIFY(m_prompter->messageTexts().last().endsWith(u"备份文件夹中保留最近的5份备份"_s));
        m_prompter->clear();
        m_prompter->answerInput(u"4"_s);
        item(u"XF"_s)->trigger();
        QCOMPARE(m_prompter->messageTexts(),
                 QStringList{u"没有序号为“4”的备份（请输入1到3），数据库没有替换。"_s});
        QCOMPARE(draws(), 0);
        const QStringList lines = m_prompter->questions()[0].split(u'\n');
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0], u"备份文件夹中有3份备份，最新的在最前："_s);
        QVERIFY(lines[1].startsWith(u"1. "_s) && lines[1].endsWith(u"  ssq1.mdb"_s));
        QVERIFY(lines[3].startsWith(u"3. "_s) && lines[3].contains(u"ssq-备份-"_s));
        m_prompter->answerInput(u"２"_s); // the second newest, typed full-width
        item(u"XF"_s)->trigger();
        QVERIFY(m_prompter->messageTexts().last().startsWith(
            u"数据库替换完毕（替换前的数据库已保存为"_s));
        QCOMPARE(draws(), 2);
        item(u"YS"_s)->trigger();
        ssq::setBackupFolder({});
        QCOMPARE(m_prompter->messageTexts().last(), u"数据库压缩完毕"_s);
        QVERIFY(m_temp->database().isOpen());
    }

    // Every area is on screen within 1024 × 768; exit closes the window.
    void layoutAndExit() {
        QVERIFY(m_window->width() <= 1024 && m_window->height() <= 768 - 30);
        QVERIFY(m_window->menuBar()->sizeHint().width() <= m_window->width());
        for (const QString& name :
             {u"Frame1"_s, u"Frame2"_s, u"Frame3"_s, u"Frame4"_s, u"Frame5"_s, u"Frame6"_s,
              u"Text2"_s, u"ProgressBar1"_s, u"Label4"_s, u"DataGrid1"_s, u"Command5"_s}) {
            auto* w = m_window->findChild<QWidget*>(name);
            QVERIFY2(w && w->isVisible(), qPrintable(name));
            const QRect r(w->mapTo(m_window.data(), QPoint(0, 0)), w->size());
            QVERIFY2(m_window->rect().contains(r), qPrintable(name));
        }
        item(u"TC"_s)->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_window.isNull());
    }

    // Condition 4 at 21..22 keeps 1 2 3 4 5 6 and 1 2 3 4 5 7. Before the first run there is
    // nothing to save, and saving says so without touching what was saved before.
    void selectionRunByClicking() {
        QVERIFY(ssq::saveResults(m_temp->connection(), 3, [](int) { return u"1 2 3 4 5 6"_s; }).ok);
        item(u"BCHM"_s)->trigger();
        QCOMPARE(
            m_prompter->messageTexts(),
            QStringList{
                u"现在没有选号结果可以保存，请先点击“红球选号”选出号码。原来保存的号码没有改动。"_s});
        QCOMPARE(ssq::loadSavedResults(m_temp->connection()).texts.size(), 3);
        m_prompter->clear();
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
        QVERIFY(m_prompter->messageTexts().isEmpty());
        // The bar climbed through the whole walk and ends full.
        QVERIFY(std::ranges::any_of(
                    progress, [](const QList<QVariant>& v) { return v[0].toInt() == 1107568; }) &&
                bar->value() == bar->maximum());

        click(u"Command4"_s);
        auto* list = m_window->findChild<QComboBox*>(u"Combo1"_s);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->itemText(0) + u", "_s + list->itemText(1), u"1 2 3 4 5 6, 1 2 3 4 5 7"_s);
        item(u"BCHM"_s)->trigger();
        QCOMPARE(ssq::loadSavedResults(m_temp->connection()).texts,
                 (QStringList{u"1 2 3 4 5 6"_s, u"1 2 3 4 5 7"_s}));
        // The grid shows hmbc, the kept first row and the saved one: the narrow default widened
        // to what a column shows, the saved combination whole, an empty column narrow.
        QTableView* hmbc = grid();
        QCOMPARE(hmbc->model()->rowCount(), 2);
        QCOMPARE(hmbc->model()->index(1, 1).data().toString(), u"1 2 3 4 5 6"_s);
        QVERIFY(hmbc->columnWidth(1) >= hmbc->fontMetrics().horizontalAdvance(u"1 2 3 4 5 6"_s));
        QVERIFY(hmbc->columnWidth(1) > hmbc->columnWidth(0));

        // A refused run shows its message; Text2 and the kept result of the run before stay.
        m_prompter->clear();
        type(8, QString());
        item(u"XH"_s)->trigger();
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
        item(u"XH"_s)->trigger();
        QVERIFY(m_window->findChild<ssq::SelectionRunner*>()->isRunning());
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
        item(u"BCTJ"_s)->trigger();
        QCOMPARE(m_prompter->messageTexts(),
                 QStringList{u"条件保存完毕,您要查看条件或需要将条件再次输入时,"
                             u"请点击菜单“条件操作”内的“条件再现”"_s});
        QCOMPARE(text1(170)->text() + text1(171)->text(), u"01"_s);
        ssq::PanelState expected = m_window->panelState();

        m_window->setPanelState(ssq::PanelState{});
        click(u"Check1_5"_s);
        item(u"TJZX"_s)->trigger();
        QCOMPARE(m_prompter->messageTexts().size(), 1);
        for (int i = 0; i <= 15; ++i) // the last-draw row is not part of the set
            expected.text1[i].clear();
        expected.check1 = {};
        expected.check1[5] = 1; // the boxes stay as they were
        QCOMPARE(m_window->panelState(), expected);
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
        item(u"BCWJ"_s)->trigger();
        const QString path = dir.filePath(u"周二.ssqpanel.json"_s);
        QVERIFY(m_prompter->messageTexts().value(0).contains(path));

        m_window->setPanelState(ssq::PanelState{});
        m_window->setHotColdTable({});
        m_prompter->answerFileName(path);
        item(u"ZRWJ"_s)->trigger();
        item(u"ZRWJ"_s)->trigger(); // cancelled: does nothing
        // One confirmation that names the file.
        QCOMPARE(m_prompter->messageTexts().size(), 2);
        QCOMPARE(m_prompter->messageTexts()[1], u"已从文件“%1”载入条件"_s.arg(path));
        QCOMPARE(m_window->panelState(), panel);
        QCOMPARE(m_window->hotColdTable(), hotCold);

        // A file that cannot be read is named in the message and leaves the panel and the table.
        const QString missing = dir.filePath(u"没有.ssqpanel.json"_s);
        m_prompter->answerFileName(missing);
        item(u"ZRWJ"_s)->trigger();
        QCOMPARE(m_prompter->messageTexts().size(), 3);
        QVERIFY(m_prompter->messageTexts()[2].contains(missing));
        QCOMPARE(m_window->panelState(), panel);
        QCOMPARE(m_window->hotColdTable(), hotCold);
    }

    void hotColdButton() {
        QVERIFY(ssq::test::addRealDraws(m_temp->connection(), u"2020001"_s, 22));
        click(u"Command5"_s);
        QCOMPARE(m_prompter->messageTexts(), QStringList{u"冷热值分析完毕,您可以选号了"_s});
        QVERIFY(m_window->hotColdTable() != ssq::HotColdValues{});
    }

    void lastDrawCheckTicksTheFailedConditions() {
        QVERIFY(ssq::test::addDraws(m_temp->connection(), {{7001, {3, 8, 15, 21, 27, 30}, 9},
                                                           {7002, {1, 5, 12, 20, 27, 33}, 8}}));
        type(50, u"120"_s); // condition 4: the sum 98 is below
        type(51, u"100"_s);
        type(147, u"33"_s); // condition 36: a killed number was drawn
        type(62, u"6"_s);   // condition 10 passes: one number repeats
        item(u"BCTJ"_s)->trigger();
        click(u"Check1_10"_s);
        click(u"Check1_0"_s);

        m_prompter->clear();
        item(u"SQTJCC"_s)->trigger();
        QCOMPARE(m_prompter->messageTexts(), QStringList{ssq::lastDrawCheckMessage(2)});
        const ssq::PanelState shown = m_window->panelState();
        QCOMPARE(QStringList(shown.text1.begin() + 1, shown.text1.begin() + 9).join(u' '),
                 u"1 5 12 20 27 33 8 0096810"_s);
        QCOMPARE(shown.text1[50], u"120"_s);
        for (int k = 0; k <= 40; ++k) // the zone box stays as it was
            QCOMPARE(shown.check1[k], int(k == 0 || k == 4 || k == 36));
        // The player is told the ticks changed; 否 keeps the check's ticks.
        QCOMPARE(m_prompter->questions(), QStringList{ssq::restoreTicksQuestion()});

        // 是 puts the player's own ticks back; the filled last-draw row stays.
        click(u"Check1_4"_s);
        click(u"Check1_36"_s);
        click(u"Check1_7"_s);
        m_prompter->clear();
        m_prompter->answerQuestion(true);
        item(u"SQTJCC"_s)->trigger();
        const ssq::PanelState back = m_window->panelState();
        for (int k = 0; k <= 40; ++k)
            QCOMPARE(back.check1[k], int(k == 0 || k == 7));
        QCOMPARE(back.text1[1], u"1"_s);
        QCOMPARE(m_window->findChild<QCheckBox*>(u"Check1_7"_s)->isChecked(), true);
        QCOMPARE(m_window->findChild<QCheckBox*>(u"Check1_36"_s)->isChecked(), false);
    }

    void liveCountFollowsEdits() {
        // Nothing converted yet: the refusal in short.
        QTRY_COMPARE(ssq::test::textOf(m_window, u"LiveCount"_s), u"上期号码未转换为代码"_s);
        const QStringList row = u"1 5 12 20 27 33"_s.split(u' ');
        for (int i = 0; i < row.size(); ++i)
            type(1 + i, row[i]);
        click(u"Command2"_s);
        QTRY_COMPARE(ssq::test::textOf(m_window, u"LiveCount"_s), u"当前条件保留1107568注"_s);

        click(u"Check1_4"_s);
        QTRY_COMPARE(ssq::test::textOf(m_window, u"LiveCount"_s), u"未选中指标一区选择框"_s);
        click(u"Check1_0"_s);
        type(50, u"21"_s);
        type(51, u"21"_s);
        QTRY_COMPARE(ssq::test::textOf(m_window, u"LiveCount"_s), u"当前条件保留1注"_s);
        type(50, u"22"_s);
        QTRY_COMPARE(ssq::test::textOf(m_window, u"LiveCount"_s), u"当前条件保留2注"_s);
    }

    void exportDialog() {
        QVERIFY(!open(u"DCJG"_s, u"FormDCJG"_s));
        QCOMPARE(m_prompter->messageTexts(), QStringList{u"还没有选号结果，请先点击“红球选号”"_s});
        m_prompter->clear();

        // The blue-ball window, when open, gives its result to the dialog.
        QWidget* form3 = open(u"LQXH"_s, u"Form3"_s);
        QVERIFY(form3);
        form3->findChild<QLineEdit*>(u"Text30"_s)->setText(u"11"_s);
        form3->findChild<QLineEdit*>(u"Text31"_s)->setText(u"5"_s);

        keep(3);
        QWidget* dialog = open(u"DCJG"_s, u"FormDCJG"_s);
        QVERIFY(dialog);
        QCOMPARE(ssq::test::textOf(dialog, u"Text1"_s), u"11 05"_s);
        QCOMPARE(ssq::test::textOf(dialog, u"Label2"_s), u"共6注，金额12元"_s);
        ssq::test::retype(dialog, u"Text1"_s, u"17"_s);
        QVERIFY(ssq::test::textOf(dialog, u"Label2"_s).contains(u"“17”"_s));
        ssq::test::click(dialog, u"Command1"_s);
        QVERIFY(m_prompter->messageTexts().value(0).contains(u"“17”"_s));
        ssq::test::retype(dialog, u"Text1"_s, QString());
        ssq::test::click(dialog, u"Command3"_s);
        QCOMPARE(ssq::test::textOf(dialog, u"Text1"_s), u"11 05"_s);
        ssq::test::retype(dialog, u"Text1"_s, u"8"_s);
        QCOMPARE(ssq::test::textOf(dialog, u"Label2"_s), u"共3注，金额6元"_s);

        QTemporaryDir dir;
        m_prompter->clear();
        m_prompter->answerFileName(dir.filePath(u"周二"_s));
        ssq::test::click(dialog, u"Command1"_s);
        const QByteArray lines("01 02 03 04 05 06 + 08\n01 02 03 04 05 07 + 08\n"
                               "01 02 03 04 05 08 + 08\n");
        QCOMPARE(ssq::test::bytesOf(dir.filePath(u"周二.txt"_s)), lines);
        QVERIFY(m_prompter->messageTexts().value(0).contains(u"共3注，金额6元"_s));
        ssq::test::click(dialog, u"Command2"_s);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromLatin1(lines));
        // Once the blue-ball window is closed there is nothing to take.
        form3->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_prompter->clear();
        ssq::test::retype(dialog, u"Text1"_s, QString());
        ssq::test::click(dialog, u"Command3"_s);
        QCOMPARE(m_prompter->messageTexts(), QStringList{ssq::noBlueWindowResultMessage()});
        QCOMPARE(ssq::test::textOf(dialog, u"Text1"_s), QString());
        ssq::test::click(dialog, u"Command4"_s);
        QVERIFY(!dialog->isVisible());
    }

    void randomPick() {
        keep(10);
        QWidget* dialog = open(u"SJXZ"_s, u"FormSJXZ"_s);
        QVERIFY(dialog);
        ssq::test::retype(dialog, u"Text1"_s, u"11"_s);
        ssq::test::click(dialog, u"Command1"_s);
        QCOMPARE(m_prompter->messageTexts(), QStringList{u"请输入要选的注数：1到10之间的整数"_s});
        QVERIFY(dialog->isVisible());
        QCOMPARE(m_window->selectionResult().count(), 10);

        ssq::test::retype(dialog, u"Text1"_s, u"4"_s);
        ssq::test::retype(dialog, u"Text2"_s, u"8"_s);
        ssq::test::click(dialog, u"Command1"_s);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(m_window->selectionResult().count(), 4);
        QCOMPARE(ssq::test::textOf(m_window, u"Text2"_s),
                 u"已从选号结果中随机选出4注,可以显示、保存、打印和导出"_s);
        auto* list = m_window->findChild<QComboBox*>(u"Combo1"_s);
        QCOMPARE(list->count(), 4);
        QStringList listed;
        for (int i = 0; i < 4; ++i)
            listed.append(list->itemText(i));
        QVERIFY2(listed.first().endsWith(u" + 8"_s), qPrintable(listed.first()));
        // Saved with their blue, as any result is; distinct picks are checked without the window.
        item(u"BCHM"_s)->trigger();
        QCOMPARE(ssq::loadSavedResults(m_temp->connection()).texts, listed);
    }

    // The wheel window covers the result of the moment, and its tickets become the result.
    void wheelWindow() {
        keep(200);
        QWidget* form = open(u"XZJZ"_s, u"FormXZJZ"_s);
        QVERIFY(form);
        QCOMPARE(ssq::test::textOf(form, u"Label4"_s), u"当前选号结果共有200注"_s);
        QVERIFY(open(u"XZJZ"_s, u"FormXZJZ"_s) == form); // once at a time
        keep(300);
        QSignalSpy ended(form, SIGNAL(searchEnded()));
        ssq::test::click(form, u"Command2"_s);
        QVERIFY(ended.wait(30000));
        QVERIFY(
            ssq::test::textOf(form, u"Label3"_s).startsWith(u"已逐一验证：全部300注保留号码"_s));
        ssq::test::click(form, u"Command5"_s);
        const int tickets = m_window->selectionResult().count();
        QVERIFY(tickets > 0 && tickets < 300);
        QCOMPARE(ssq::test::textOf(m_window, u"Text2"_s),
                 u"缩水保号：300注保留号码保5个红球，%1注，已逐一验证"_s.arg(tickets));
        QCOMPARE(m_window->findChild<QComboBox*>(u"Combo1"_s)->count(), tickets);
    }

    void prizeWindow() {
        QVERIFY(ssq::test::addDraws(m_temp->connection(), {{6095, {2, 3, 5, 7, 8, 9}, 5},
                                                           {6096, {1, 4, 16, 22, 26, 31}, 4}}));
        QTemporaryDir dir;
        const QString path = dir.filePath(u"号码.txt"_s);
        const QByteArray tickets("01 04 16 22 26 31 + 04\n1 4 16 22 27 30\n1 4 16 2 3 5 8 + 4\n");
        QVERIFY(ssq::test::writeBytes(path, tickets));

        auto* form = qobject_cast<ssq::PrizeCheckWindow*>(open(u"ZJCX"_s, u"FormZJCX"_s));
        QVERIFY(form);
        // 查询中奖 checks in the background; this waits for the outcome.
        const auto check = [form] {
            ssq::test::click(form, u"Command2"_s);
            QTRY_VERIFY(!form->isChecking());
        };
        auto* issues = form->findChild<QComboBox*>(u"Combo1"_s);
        QCOMPARE(issues->itemText(0), u"2026096期   01 04 16 22 26 31 + 04"_s);
        m_prompter->answerFileName(path);
        ssq::test::click(form, u"Command1"_s);
        QCOMPARE(ssq::test::textOf(form, u"Text1"_s), path);
        check();
        QVERIFY(m_prompter->messageTexts().isEmpty());
        QCOMPARE(ssq::test::textOf(form, u"Label1_1"_s), u"一等奖：1注（浮动奖金）"_s);
        QCOMPARE(ssq::test::textOf(form, u"Label3"_s), u"投注：9注，18元"_s);
        auto* winners = form->findChild<QTableWidget*>(u"Grid1"_s);
        QCOMPARE(winners->rowCount(), 9);
        QCOMPARE(winners->item(0, 0)->text() + winners->item(0, 1)->text(),
                 u"01 04 16 22 26 31 + 04一等奖"_s);

        // Another issue; the saved results with a blue list.
        QVERIFY(ssq::saveResults(m_temp->connection(), 1, [](int) { return u"2 3 5 7 8 9"_s; }).ok);
        issues->setCurrentIndex(1);
        ssq::test::click(form, u"Option2"_s);
        ssq::test::retype(form, u"Text2"_s, u"5 6"_s);
        check();
        QCOMPARE(ssq::test::textOf(form, u"Label1_1"_s) + ssq::test::textOf(form, u"Label1_2"_s),
                 u"一等奖：1注（浮动奖金）二等奖：1注（浮动奖金）"_s);
        QCOMPARE(ssq::test::textOf(form, u"Label3"_s), u"投注：2注，4元"_s);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"

// The main window as a player uses it: the menus, the title-bar clock, typing a last draw and
// converting it, the AC query, auto-input of the newest draw, the draw-history items, exit and
// the 1024 × 768 layout.

#include "shell/caption_clock.h"
#include "shell/main_window.h"
#include "store/draw_entry.h"
#include "store/maintenance.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"

#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ssq::test::TempDatabase> m_temp;
    std::unique_ptr<ssq::test::ScriptedPrompter> m_prompter;
    QPointer<ssq::MainWindow> m_window;

    QLineEdit* box(int i) { return m_window->findChild<QLineEdit*>(u"Text1_%1"_s.arg(i)); }
    QString boxes(int first, int last, const QString& separator = {}) {
        QStringList texts;
        for (int i = first; i <= last; ++i)
            texts.append(box(i)->text());
        return texts.join(separator);
    }
    // Types into Text1 1.. like a person: select what is there, type over it.
    void typeRow(const QString& blankSeparated) {
        const QStringList values = blankSeparated.split(u' ');
        for (int i = 0; i < values.size(); ++i) {
            box(1 + i)->selectAll();
            QTest::keyClick(box(1 + i), Qt::Key_Delete);
            QTest::keyClicks(box(1 + i), values[i]);
        }
    }
    void click(const QString& name) {
        QTest::mouseClick(m_window->findChild<QPushButton*>(name), Qt::LeftButton);
    }

private Q_SLOTS:
    void init() {
        m_temp = std::make_unique<ssq::test::TempDatabase>();
        QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
        m_prompter = std::make_unique<ssq::test::ScriptedPrompter>();
        m_window = new ssq::MainWindow(m_temp->database());
        m_window->findChild<QTimer*>(u"Timer1"_s)->stop();
        m_window->show();
    }
    void cleanup() {
        delete m_window;
        m_prompter.reset();
        m_temp.reset();
    }

    void menuBarInOrder() {
        // Each menu with its entries; a name that menuItem() does not find gets a '?'.
        const QString expected =
            u"XH 红球选号 | TJCZ 条件操作: BCTJ 保存条件设置, TJZX 条件再现, SQTJCC 上期条件查错, "
            u"BCWJ 保存条件到文件…, ZRWJ 从文件载入条件… | XHJGCC 选号结果操作: BCHM 保存所选号码, "
            u"xshm 号码显示与打印(必须先保存号码) | CX 查询: AC AC值查询, WQCX 往期是否开出查询 | "
            u"HMFX 号码特性分析 | ZXT 指标折线图 | KJSJ 数据操作: TJSJ 数据添加、删除、修改, "
            u"CKSJ 查看历史数据, DRSJ 导入开奖数据文件 | WH 数据库维护: BF "
            u"数据库备份(请您定期备份), "
            u"XF 用备份数据库替换当前数据库(修复), YS 数据库压缩(减肥优化) | LQXH 蓝球选号 | "
            u"MNYX 模拟开奖游戏 | TC 退出"_s;
        const auto describe = [&](QAction* a) {
            return a->objectName() + u' ' + a->text() +
                   (m_window->menuItem(a->objectName()) == a ? u""_s : u"?"_s);
        };
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
        // Menus that hold entries, the AC query and exit work from the start; later features
        // enable their own items.
        for (const QString& name :
             {u"TJCZ"_s, u"XHJGCC"_s, u"CX"_s, u"KJSJ"_s, u"WH"_s, u"AC"_s, u"TC"_s})
            QVERIFY2(m_window->menuItem(name)->isEnabled(), qPrintable(name));
    }

    void clockCaption() {
        QCOMPARE(m_window->windowTitle(), QString());
        QCOMPARE(m_window->findChild<QTimer*>(u"Timer1"_s)->interval(), 1000);
        const QDateTime now(QDate(2025, 3, 7), QTime(21, 4, 9));
        m_window->tickClock(now);
        QCOMPARE(m_window->windowTitle(), u"Ravelko  "_s + ssq::captionDateTime(now));
        QVERIFY(ssq::captionDateTime(now).endsWith(u" 21:04:09"_s));
    }

    void convertsTypedDraw_data() {
        QTest::addColumn<QString>("red");
        QTest::addColumn<QString>("code"); // Text1_8 afterwards, a blank, Text1_9..15
        QTest::addColumn<QString>("message");
        QTest::newRow("1..6") << u"1 2 3 4 5 6"_s << u"0000001 0000001"_s << QString();
        QTest::newRow("28..33") << u"28 29 30 31 32 33"_s << u"1107568 1107568"_s << QString();
        // A refused row leaves what was there.
        QTest::newRow("5 5") << u"5 5 6 7 8 9"_s << u"0000009 "_s
                             << u"请按从小到大的顺序输入开奖号码"_s;
        QTest::newRow("300") << u"1 2 3 4 5 300"_s << u"0000009 "_s << QString();
    }
    void convertsTypedDraw() {
        QFETCH(QString, red);
        QFETCH(QString, code);
        QFETCH(QString, message);
        box(8)->setText(u"0000009"_s);
        typeRow(red);
        click(u"Command2"_s);
        QCOMPARE(box(8)->text() + u' ' + boxes(9, 15), code);
        QCOMPARE(m_prompter->messageTexts().join(u'|'), message);
    }

    void acQuery() {
        typeRow(u"1 2 4 8 16 32"_s);
        click(u"Command2"_s);
        QCOMPARE(box(8)->text(), u"0005277"_s);
        click(u"Command3"_s);
        m_window->menuItem(u"AC"_s)->trigger();
        const QStringList both{u"常规AC值为15"_s, u"代码AC值为5"_s};
        QCOMPARE(m_prompter->messageTexts(), both + both);
    }

    void autoInput() {
        QVERIFY(ssq::addDraw(m_temp->connection(), {7001, {2, 4, 13, 20, 27, 33}, 9}).written);
        QVERIFY(ssq::addDraw(m_temp->connection(), {7002, {1, 5, 12, 20, 27, 33}, 8}).written);
        box(8)->setText(u"0000001"_s);
        click(u"Command1"_s);
        // The code waits for Command2; the grid shows the table the row came from.
        QCOMPARE(boxes(1, 8, u" "_s), u"1 5 12 20 27 33 8 0000001"_s);
        QVERIFY(m_prompter->messages().isEmpty());
        QCOMPARE(m_window->dataGrid()->model()->rowCount(), 2);
        click(u"Command2"_s);
        QCOMPARE(box(8)->text(), u"0096810"_s);
    }

    // The grid reads its whole result, so no half-read query keeps the file locked against the
    // program's other connections (backup, import).
    void gridLeavesTheFileFreeForOtherWriters() {
        QVERIFY(QSqlQuery(m_temp->connection())
                    .exec(u"insert into kjhm (期号) with recursive n(i) as (select 1 union all "
                          u"select i + 1 from n where i < 400) select i from n"_s));
        m_window->showInGrid(u"select * from kjhm"_s);
        QCOMPARE(m_window->dataGrid()->model()->rowCount(), 400);
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"other"_s);
            other.setDatabaseName(m_temp->path());
            QVERIFY(other.open());
            QVERIFY(QSqlQuery(other).exec(u"insert into kjhm (期号) values (401)"_s));
        }
        QSqlDatabase::removeDatabase(u"other"_s);
    }

    void storeItemsOpenTheirWindowsOnce() {
        for (const QString& itemAndForm :
             {u"TJSJ Form9"_s, u"CKSJ Form4"_s, u"WQCX Form10"_s, u"DRSJ Form12"_s}) {
            const QStringList names = itemAndForm.split(u' ');
            m_window->menuItem(names[0])->trigger();
            m_window->menuItem(names[0])->trigger();
            const QList<QWidget*> windows =
                m_window->findChildren<QWidget*>(names[1], Qt::FindDirectChildrenOnly);
            QCOMPARE(windows.size(), 1);
            QVERIFY(windows[0]->isWindow() && windows[0]->isVisible());
        }
        // A window closed with its own button is loaded afresh next time.
        QPointer<QWidget> entry = m_window->findChild<QWidget*>(u"Form9"_s);
        entry->close();
        QTRY_VERIFY(entry.isNull());
        m_window->menuItem(u"TJSJ"_s)->trigger();
        QVERIFY(m_window->findChild<QWidget*>(u"Form9"_s));
    }

    void maintenanceItems() {
        QTemporaryDir backups;
        ssq::setBackupFolder(backups.filePath(u"Ravelko数据库备份"_s));
        const QString folder = ssq::backupFolder();
        for (const QString& item : {u"BF"_s, u"XF"_s, u"YS"_s})
            m_window->menuItem(item)->trigger();
        ssq::setBackupFolder({});
        QCOMPARE(m_prompter->messageTexts(),
                 (QStringList{
                     u"数据库备份完毕（备份文件保存在%1）"_s.arg(QDir::toNativeSeparators(folder)),
                     u"数据库替换完毕"_s, u"数据库压缩完毕"_s}));
        QVERIFY(QFile::exists(ssq::backupFilePath(folder)));
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
        m_window->menuItem(u"TC"_s)->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_window.isNull());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"

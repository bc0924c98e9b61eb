// The main window as a player uses it: the menus, the title-bar clock, typing a last draw and
// converting it, the AC query, auto-input of the newest draw, exit, and the 1024 × 768 layout.

#include "red/condition_panel_view.h"
#include "red/last_draw_frame.h"
#include "shell/caption_clock.h"
#include "shell/main_window.h"
#include "store/record_set.h"
#include "store/transaction.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QLineEdit* box(QWidget& window, int index) {
    return window.findChild<QLineEdit*>(u"Text1_%1"_s.arg(index));
}

QStringList boxes(QWidget& window, int first, int last) {
    QStringList texts;
    for (int i = first; i <= last; ++i)
        texts.append(box(window, i)->text());
    return texts;
}

// Types into Text1 1.. like a person: select what is there, type over it.
void typeRow(QWidget& window, const QStringList& values) {
    for (int i = 0; i < values.size(); ++i) {
        QLineEdit* edit = box(window, 1 + i);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, values[i]);
    }
}

void click(QWidget& window, const QString& name) {
    auto* button = window.findChild<QPushButton*>(name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

void addDraw(QSqlDatabase db, int issue, const QList<int>& reds, int blue) {
    ssq::RecordSet draws(db);
    QString error;
    QVERIFY2(draws.open(u"select* from kjhm order by 期号 "_s, &error), qPrintable(error));
    draws.addNew();
    draws.setValue(0, QString::number(issue));
    for (int r : reds)
        draws.setValue(r, QString::number(r));
    draws.setValue(33 + blue, QString::number(blue));
    QVERIFY2(draws.update(&error), qPrintable(error));
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void menuBarInOrder();
    void clockCaption();
    void convertsTypedDraw_data();
    void convertsTypedDraw();
    void asksForAscendingOrder();
    void outOfRangeWritesNothing_data();
    void outOfRangeWritesNothing();
    void acQueryShowsBothValues();
    void acQueryRefusesUnorderedRow();
    void autoInputFillsNewestDraw();
    void autoInputOnEmptyHistory();
    void gridLeavesTheFileFreeForOtherWriters();
    void exitClosesEverything();
    void fitsScreenOf1024By768();

private:
    std::unique_ptr<ssq::test::TempDatabase> m_temp;
    QPointer<ssq::MainWindow> m_window;
    std::unique_ptr<ssq::test::ScriptedPrompter> m_prompter;
};

void TestMainWindow::init() {
    m_temp = std::make_unique<ssq::test::TempDatabase>();
    QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
    m_prompter = std::make_unique<ssq::test::ScriptedPrompter>();
    m_window = new ssq::MainWindow(m_temp->database());
    m_window->findChild<QTimer*>(u"Timer1"_s)->stop();
    m_window->show();
}

void TestMainWindow::cleanup() {
    delete m_window;
    m_prompter.reset();
    m_temp.reset();
}

void TestMainWindow::menuBarInOrder() {
    struct Item {
        QString name;
        QString caption;
        QList<std::pair<QString, QString>> entries;
    };
    const QList<Item> expected = {
        {u"XH"_s, u"红球选号"_s, {}},
        {u"TJCZ"_s,
         u"条件操作"_s,
         {{u"BCTJ"_s, u"保存条件设置"_s},
          {u"TJZX"_s, u"条件再现"_s},
          {u"SQTJCC"_s, u"上期条件查错"_s},
          {u"BCWJ"_s, u"保存条件到文件…"_s},
          {u"ZRWJ"_s, u"从文件载入条件…"_s}}},
        {u"XHJGCC"_s,
         u"选号结果操作"_s,
         {{u"BCHM"_s, u"保存所选号码"_s}, {u"xshm"_s, u"号码显示与打印(必须先保存号码)"_s}}},
        {u"CX"_s, u"查询"_s, {{u"AC"_s, u"AC值查询"_s}, {u"WQCX"_s, u"往期是否开出查询"_s}}},
        {u"HMFX"_s, u"号码特性分析"_s, {}},
        {u"ZXT"_s, u"指标折线图"_s, {}},
        {u"KJSJ"_s,
         u"数据操作"_s,
         {{u"TJSJ"_s, u"数据添加、删除、修改"_s},
          {u"CKSJ"_s, u"查看历史数据"_s},
          {u"DRSJ"_s, u"导入开奖数据文件"_s}}},
        {u"WH"_s,
         u"数据库维护"_s,
         {{u"BF"_s, u"数据库备份(请您定期备份)"_s},
          {u"XF"_s, u"用备份数据库替换当前数据库(修复)"_s},
          {u"YS"_s, u"数据库压缩(减肥优化)"_s}}},
        {u"LQXH"_s, u"蓝球选号"_s, {}},
        {u"MNYX"_s, u"模拟开奖游戏"_s, {}},
        {u"TC"_s, u"退出"_s, {}},
    };
    // Menus that hold entries, the AC query and exit work from the start; later features
    // enable their own items.
    const QStringList working = {u"TJCZ"_s, u"XHJGCC"_s, u"CX"_s, u"KJSJ"_s,
                                 u"WH"_s,   u"AC"_s,     u"TC"_s};

    const QList<QAction*> bar = m_window->menuBar()->actions();
    QCOMPARE(bar.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const Item& item = expected[i];
        QCOMPARE(bar[i]->objectName(), item.name);
        QCOMPARE(bar[i]->text(), item.caption);
        QCOMPARE(m_window->menuItem(item.name), bar[i]);
        if (working.contains(item.name))
            QVERIFY(bar[i]->isEnabled());
        QList<QAction*> entries;
        if (bar[i]->menu())
            for (QAction* a : bar[i]->menu()->actions())
                if (!a->isSeparator())
                    entries.append(a);
        QCOMPARE(entries.size(), item.entries.size());
        for (int k = 0; k < entries.size(); ++k) {
            QCOMPARE(entries[k]->objectName(), item.entries[k].first);
            QCOMPARE(entries[k]->text(), item.entries[k].second);
            if (working.contains(item.entries[k].first))
                QVERIFY(entries[k]->isEnabled());
            QCOMPARE(m_window->findChild<QAction*>(item.entries[k].first), entries[k]);
        }
    }
}

void TestMainWindow::clockCaption() {
    QCOMPARE(m_window->windowTitle(), QString());
    QCOMPARE(m_window->findChild<QTimer*>(u"Timer1"_s)->interval(), 1000);
    const QDateTime now(QDate(2025, 3, 7), QTime(21, 4, 9));
    m_window->tickClock(now);
    QCOMPARE(m_window->windowTitle(), u"Ravelko  "_s + ssq::captionDateTime(now));
    QVERIFY(ssq::captionDateTime(now).endsWith(u" 21:04:09"_s));
}

void TestMainWindow::convertsTypedDraw_data() {
    QTest::addColumn<QStringList>("red");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("digits");
    QTest::newRow("1..6") << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s}
                          << u"0000001"_s
                          << QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"1"_s};
    QTest::newRow("28..33") << QStringList{u"28"_s, u"29"_s, u"30"_s, u"31"_s, u"32"_s, u"33"_s}
                            << u"1107568"_s
                            << QStringList{u"1"_s, u"1"_s, u"0"_s, u"7"_s, u"5"_s, u"6"_s, u"8"_s};
}

void TestMainWindow::convertsTypedDraw() {
    QFETCH(QStringList, red);
    QFETCH(QString, code);
    QFETCH(QStringList, digits);
    box(*m_window, 7)->setText(u"9"_s);
    typeRow(*m_window, red);
    click(*m_window, u"Command2"_s);
    QCOMPARE(box(*m_window, 8)->text(), code);
    QCOMPARE(boxes(*m_window, 9, 15), digits);
    QCOMPARE(box(*m_window, 7)->text(), u"9"_s);
    QVERIFY(m_prompter->messages().isEmpty());
}

void TestMainWindow::asksForAscendingOrder() {
    typeRow(*m_window, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s});
    click(*m_window, u"Command2"_s);
    typeRow(*m_window, {u"5"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s, u"9"_s});
    click(*m_window, u"Command2"_s);
    QCOMPARE(m_prompter->messageTexts(), QStringList{u"请按从小到大的顺序输入开奖号码"_s});
    QCOMPARE(box(*m_window, 8)->text(), u"0000001"_s);
}

void TestMainWindow::outOfRangeWritesNothing_data() {
    QTest::addColumn<QStringList>("red");
    QTest::newRow("300") << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"300"_s};
    QTest::newRow("34") << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"34"_s};
    QTest::newRow("0") << QStringList{u"0"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s};
}

void TestMainWindow::outOfRangeWritesNothing() {
    QFETCH(QStringList, red);
    typeRow(*m_window, red);
    click(*m_window, u"Command2"_s);
    QCOMPARE(boxes(*m_window, 8, 15), QStringList(8, QString()));
    QVERIFY(m_prompter->messages().isEmpty());
}

void TestMainWindow::acQueryShowsBothValues() {
    typeRow(*m_window, {u"1"_s, u"2"_s, u"4"_s, u"8"_s, u"16"_s, u"32"_s});
    click(*m_window, u"Command2"_s);
    QCOMPARE(box(*m_window, 8)->text(), u"0005277"_s);
    click(*m_window, u"Command3"_s);
    QCOMPARE(m_prompter->messageTexts(), (QStringList{u"常规AC值为15"_s, u"代码AC值为5"_s}));

    // The menu runs the same query.
    m_prompter->clear();
    m_window->menuItem(u"AC"_s)->trigger();
    QCOMPARE(m_prompter->messageTexts(), (QStringList{u"常规AC值为15"_s, u"代码AC值为5"_s}));
}

void TestMainWindow::acQueryRefusesUnorderedRow() {
    typeRow(*m_window, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u""_s});
    click(*m_window, u"Command3"_s);
    QCOMPARE(m_prompter->messageTexts(),
             QStringList{u"请在上期开奖号输入区按从小到大的顺序填好六个红球号码，再查询AC值"_s});
    QCOMPARE(m_prompter->messages().front().icon, ssq::Prompter::Icon::Warning);
}

void TestMainWindow::autoInputFillsNewestDraw() {
    addDraw(m_temp->connection(), 7001, {2, 4, 13, 20, 27, 33}, 9);
    addDraw(m_temp->connection(), 7003, {1, 5, 12, 20, 27, 33}, 8);
    addDraw(m_temp->connection(), 7002, {3, 8, 11, 19, 24, 30}, 16);
    box(*m_window, 8)->setText(u"0000001"_s);

    click(*m_window, u"Command1"_s);
    QCOMPARE(boxes(*m_window, 1, 7),
             (QStringList{u"1"_s, u"5"_s, u"12"_s, u"20"_s, u"27"_s, u"33"_s, u"8"_s}));
    QCOMPARE(box(*m_window, 8)->text(), u"0000001"_s);
    QVERIFY(m_prompter->messages().isEmpty());
    // DataGrid1 now shows the table the row was read from.
    QCOMPARE(m_window->dataGrid()->model()->rowCount(), 3);

    click(*m_window, u"Command2"_s);
    QCOMPARE(box(*m_window, 8)->text(), u"0096810"_s);
}

void TestMainWindow::autoInputOnEmptyHistory() {
    typeRow(*m_window, {u"1"_s, u"2"_s});
    click(*m_window, u"Command1"_s);
    QCOMPARE(m_prompter->messageTexts(),
             QStringList{u"开奖号码表中还没有开奖记录，无法自动输入上期号。"
                         u"请先通过菜单“数据操作”添加或导入开奖数据。"_s});
    QCOMPARE(boxes(*m_window, 1, 3), (QStringList{u"1"_s, u"2"_s, u""_s}));
}

// The grid holds the whole result, so no half-read query keeps the file locked against the
// program's other connections (backup, import).
void TestMainWindow::gridLeavesTheFileFreeForOtherWriters() {
    {
        ssq::Transaction transaction(m_temp->connection());
        ssq::RecordSet draws(m_temp->connection());
        QVERIFY(draws.open(u"select* from kjhm order by 期号 "_s));
        for (int issue = 1; issue <= 400; ++issue) {
            draws.addNew();
            draws.setValue(0, QString::number(issue));
            for (int r = 1; r <= 6; ++r)
                draws.setValue(r, QString::number(r));
            draws.setValue(34, u"1"_s);
            QVERIFY(draws.update());
        }
        QVERIFY(transaction.commit());
    }
    click(*m_window, u"Command1"_s);
    QCOMPARE(m_window->dataGrid()->model()->rowCount(), 400);

    {
        QSqlDatabase other = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"other"_s);
        other.setDatabaseName(m_temp->path());
        QVERIFY(other.open());
        QSqlQuery insert(other);
        QVERIFY2(insert.exec(u"insert into kjhm (期号) values (401)"_s),
                 qPrintable(insert.lastError().text()));
        other.close();
    }
    QSqlDatabase::removeDatabase(u"other"_s);
}

void TestMainWindow::exitClosesEverything() {
    m_window->menuItem(u"TC"_s)->trigger();
    QVERIFY(!m_window || !m_window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_window.isNull());
}

// Every area is present and on screen within 1024 × 768.
void TestMainWindow::fitsScreenOf1024By768() {
    QVERIFY(m_window->width() <= 1024);
    QVERIFY(m_window->height() <= 768 - 30);
    QVERIFY(m_window->menuBar()->sizeHint().width() <= m_window->width());
    const QRect inside = m_window->rect();
    for (const QString& name :
         {u"Frame1"_s, u"Frame2"_s, u"Frame3"_s, u"Frame4"_s, u"Frame5"_s, u"Frame6"_s, u"Text2"_s,
          u"ProgressBar1"_s, u"Label4"_s, u"DataGrid1"_s, u"Command5"_s}) {
        auto* w = m_window->findChild<QWidget*>(name);
        QVERIFY2(w && w->isVisible(), qPrintable(name));
        const QRect r(w->mapTo(m_window.data(), QPoint(0, 0)), w->size());
        QVERIFY2(inside.contains(r), qPrintable(name));
    }
    QCOMPARE(m_window->findChild<QCheckBox*>(u"Check1_0"_s)->text(),
             u"指标一区条件设置（常规指标）"_s);
    QCOMPARE(m_window->findChild<QCheckBox*>(u"Check2"_s)->text(),
             u"指标二区条件设置（代码指标）"_s);
    QCOMPARE(m_window->findChild<QCheckBox*>(u"Check3"_s)->text(),
             u"指标三区条件设置（常规增补指标）"_s);
    QCOMPARE(
        m_window->findChild<QLabel*>(u"Label4"_s)->text(),
        u"注意：软件正在运行选号程序时,请不要有其他任何键盘、鼠标操作，否则进度条显示会停滞！"_s);
    // The non-tolerance markers exist for the engine but are never shown.
    auto* markers = m_window->findChild<QGroupBox*>(u"Frame7"_s);
    QVERIFY(markers && !markers->isVisible());
    for (int i = 0; i <= 40; ++i)
        QVERIFY(markers->findChild<QLineEdit*>(u"Text3_%1"_s.arg(i)));
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"

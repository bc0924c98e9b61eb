#include "shell/widgets/main_window.h"
#include "shell/widgets/newer_draw_notice.h"

#include "analysis/ac_query.h"
#include "red/widgets/condition_panel_view.h"
#include "red/widgets/last_draw_frame.h"
#include "shell/widgets/blue_menus.h"
#include "shell/caption_clock.h"
#include "shell/widgets/game_menus.h"
#include "shell/widgets/analysis_menus.h"
#include "shell/widgets/backtest_menus.h"
#include "shell/widgets/panel_menus.h"
#include "shell/widgets/result_menus.h"
#include "shell/widgets/store_menus.h"
#include "shell/widgets/ticket_menus.h"
#include "store/database.h"
#include "ui/prompter.h"
#include "ui/widgets/grid_widths.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kClockMs = 1000;
constexpr int kWindowWidth = 1016;
constexpr int kWindowHeight = 728;
constexpr double kGridColumnTwips = 390.0473;

} // namespace

MainWindow::MainWindow(Database& db, QWidget* parent) : QMainWindow(parent), m_db(db) {
    setObjectName(u"Form1"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    buildMenus();
    connectStoreMenus(*this);
    connectGameMenus(*this);

    m_lastDraw = new LastDrawFrame(db, this);
    m_panel = new ConditionPanelView(this);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(4);
    layout->addWidget(m_lastDraw);
    layout->addWidget(m_panel, 1);
    layout->addWidget(buildResultArea());
    setCentralWidget(central);
    resize(kWindowWidth, kWindowHeight);

    connect(m_lastDraw->acQueryButton(), &QPushButton::clicked, this, &MainWindow::showAcValues);
    connect(m_lastDraw, &LastDrawFrame::recordsOpened, this, &MainWindow::showInGrid);
    connectPanelMenus(*this);
    connectResultMenus(*this);
    connectBlueMenus(*this);
    connectAnalysisMenus(*this);
    connectTicketMenus(*this);
    connectBacktestMenus(*this);
    connectNewerDrawNotice(*this);

    // The caption stays empty until the clock's first tick.
    setWindowTitle(QString());
    m_clock = new QTimer(this);
    m_clock->setObjectName(u"Timer1"_s);
    m_clock->setInterval(kClockMs);
    connect(m_clock, &QTimer::timeout, this, [this] { tickClock(QDateTime::currentDateTime()); });
    m_clock->start();
}

QMenu* MainWindow::addMenu(const QString& name, const QString& caption) {
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    m_items.insert(name, menu->menuAction());
    return menu;
}

QAction* MainWindow::addItem(QWidget* menu, const QString& name, const QString& caption,
                             bool enabled) {
    auto* item = new QAction(caption, menu);
    item->setObjectName(name);
    item->setEnabled(enabled);
    menu->addAction(item);
    m_items.insert(name, item);
    return item;
}

// Items whose windows and operations are not built yet stay visible but disabled.
void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    addItem(bar, u"XH"_s, u"红球选号"_s, false);

    QMenu* conditions = addMenu(u"TJCZ"_s, u"条件操作"_s);
    addItem(conditions, u"BCTJ"_s, u"保存条件设置"_s, false);
    addItem(conditions, u"TJZX"_s, u"条件再现"_s, false);
    addItem(conditions, u"SQTJCC"_s, u"上期条件查错"_s, false);
    conditions->addSeparator();
    addItem(conditions, u"BCWJ"_s, u"保存条件到文件…"_s, false);
    addItem(conditions, u"ZRWJ"_s, u"从文件载入条件…"_s, false);
    addItem(conditions, u"HTCS"_s, u"条件历史回测…"_s, false);

    QMenu* results = addMenu(u"XHJGCC"_s, u"选号结果操作"_s);
    addItem(results, u"BCHM"_s, u"保存所选号码"_s, false);
    addItem(results, u"xshm"_s, u"号码显示与打印(必须先保存号码)"_s, false);

    QMenu* query = addMenu(u"CX"_s, u"查询"_s);
    QAction* ac = addItem(query, u"AC"_s, u"AC值查询"_s, true);
    connect(ac, &QAction::triggered, this, &MainWindow::showAcValues);
    addItem(query, u"WQCX"_s, u"往期是否开出查询"_s, false);

    addItem(bar, u"HMFX"_s, u"号码特性分析"_s, false);
    addItem(bar, u"ZXT"_s, u"指标折线图"_s, false);

    QMenu* data = addMenu(u"KJSJ"_s, u"数据操作"_s);
    addItem(data, u"TJSJ"_s, u"数据添加、删除、修改"_s, false);
    addItem(data, u"CKSJ"_s, u"查看历史数据"_s, false);
    addItem(data, u"DRSJ"_s, u"导入开奖数据文件"_s, false);
    addItem(data, u"ZTKJ"_s, u"粘贴开奖号码…"_s, false);
    addItem(data, u"LWGX"_s, u"联网更新开奖数据"_s, false);

    QMenu* maintenance = addMenu(u"WH"_s, u"数据库维护"_s);
    addItem(maintenance, u"BF"_s, u"数据库备份(请您定期备份)"_s, false);
    addItem(maintenance, u"XF"_s, u"用备份数据库替换当前数据库(修复)"_s, false);
    addItem(maintenance, u"YS"_s, u"数据库压缩(减肥优化)"_s, false);

    addItem(bar, u"LQXH"_s, u"蓝球选号"_s, false);
    addItem(bar, u"MNYX"_s, u"模拟开奖游戏"_s, false);
    QAction* exit = addItem(bar, u"TC"_s, u"退出"_s, true);
    connect(exit, &QAction::triggered, this, &MainWindow::exitProgram);
}

QWidget* MainWindow::buildResultArea() {
    auto* area = new QWidget(this);

    auto* resultLabel = new QLabel(u"选号结果："_s, area);
    resultLabel->setObjectName(u"Label2"_s);
    m_resultText = new QLineEdit(area);
    m_resultText->setObjectName(u"Text2"_s);
    m_resultText->setReadOnly(true);

    auto* progressLabel = new QLabel(u"完成进度："_s, area);
    progressLabel->setObjectName(u"Label3"_s);
    m_progress = new QProgressBar(area);
    m_progress->setObjectName(u"ProgressBar1"_s);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);

    auto* warning = new QLabel(
        u"注意：软件正在运行选号程序时,请不要有其他任何键盘、鼠标操作，否则进度条显示会停滞！"_s,
        area);
    warning->setObjectName(u"Label4"_s);
    warning->setWordWrap(true);
    warning->setStyleSheet(u"color: #c00000;"_s);

    auto* status = new QGridLayout;
    status->setContentsMargins(0, 0, 0, 0);
    status->setVerticalSpacing(4);
    status->addWidget(resultLabel, 0, 0);
    status->addWidget(m_resultText, 0, 1, 1, 2);
    auto* liveCount = new QLabel(area); // filled by the live count of connectBacktestMenus
    liveCount->setObjectName(u"LiveCount"_s);
    status->addWidget(progressLabel, 1, 0);
    status->addWidget(m_progress, 1, 1);
    // Shown by connectNewerDrawNotice when the database holds a newer draw than the last-draw row.
    auto* newerDraw = new QLabel(area);
    newerDraw->setObjectName(u"NewerDraw"_s);
    newerDraw->setStyleSheet(u"color: #c00000;"_s);
    newerDraw->hide();
    auto* countLine = new QVBoxLayout;
    countLine->setSpacing(0);
    countLine->addWidget(newerDraw);
    countLine->addWidget(liveCount);
    status->addLayout(countLine, 1, 2);
    status->addWidget(warning, 2, 0, 1, 3);
    status->setRowStretch(3, 1);

    auto* display = new QGroupBox(u"号码显示区"_s, area);
    display->setObjectName(u"Frame6"_s);
    m_resultList = new QComboBox(display);
    m_resultList->setObjectName(u"Combo1"_s);
    m_resultList->setPlaceholderText(u"点击下拉箭头显示号码"_s);
    m_resultList->setMinimumWidth(190);
    m_showResults = new QPushButton(u"显示5000注选号结果"_s, display);
    m_showResults->setObjectName(u"Command4"_s);
    m_showResults->setEnabled(false);
    auto* displayLayout = new QVBoxLayout(display);
    displayLayout->setContentsMargins(6, 4, 6, 6);
    displayLayout->addWidget(m_resultList);
    displayLayout->addWidget(m_showResults);

    m_grid = new QTableView(area);
    m_grid->setObjectName(u"DataGrid1"_s);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setFixedSize(300, 96);
    m_gridModel = new QSqlQueryModel(this);
    m_grid->setModel(m_gridModel);
    setDefaultColumnWidth(*m_grid, kGridColumnTwips);

    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addLayout(status, 1);
    row->addWidget(display);
    row->addWidget(m_grid);
    return area;
}

void MainWindow::showInGrid(const QString& queryText) {
    m_gridModel->setQuery(queryText, m_db.connection());
    // A query read only in part keeps the file locked against the program's other connections
    // (backup, import); draw tables are small, so the grid reads its result to the end.
    while (m_gridModel->canFetchMore())
        m_gridModel->fetchMore();
}

PanelState MainWindow::panelState() const {
    PanelState state;
    m_panel->readState(state);
    for (int i = LastDrawFrame::kFirstBox; i <= LastDrawFrame::kLastBox; ++i)
        state.text1[i] = m_lastDraw->text(i);
    return state;
}

void MainWindow::setPanelState(const PanelState& state) {
    m_panel->showState(state);
    for (int i = LastDrawFrame::kFirstBox; i <= LastDrawFrame::kLastBox; ++i)
        if (m_lastDraw->text(i) != state.text1[i])
            m_lastDraw->setText(i, state.text1[i]);
}

void MainWindow::tickClock(const QDateTime& now) {
    setWindowTitle(u"Ravelko  "_s + captionDateTime(now));
}

void MainWindow::showAcValues() {
    const AcQueryResult result = acQuery(m_lastDraw->redTexts(), m_lastDraw->codeDigitTexts());
    if (!result.ok) {
        prompter().message(this, result.error, Prompter::Icon::Warning);
        return;
    }
    prompter().message(this, redAcMessage(result.redAc));
    prompter().message(this, codeAcMessage(result.codeAc));
}

void MainWindow::exitProgram() {
    QApplication::closeAllWindows();
    QApplication::quit();
}

void MainWindow::onMenuItem(const QString& name, const std::function<void()>& action) {
    QAction* item = menuItem(name);
    if (!item)
        return;
    connect(item, &QAction::triggered, this, action);
    item->setEnabled(true);
}

void MainWindow::openWindow(const QString& name, const std::function<QWidget*()>& make) {
    QWidget* window = findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    if (!window) {
        window = make();
        window->setParent(this, Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace ssq

#include "shell/widgets/main_window.h"
#include "shell/widgets/newer_draw_notice.h"

#include "analysis/ac_query.h"
#include "analysis/hot_cold_table.h"
#include "backtest/live_count.h"
#include "red/last_draw_row.h"
#include "red/saved_results.h"
#include "red/widgets/condition_panel_view.h"
#include "red/widgets/last_draw_frame.h"
#include "red/widgets/result_actions.h"
#include "shell/caption_clock.h"
#include "shell/widgets/main_menu.h"
#include "store/database.h"
#include "ui/prompter.h"
#include "ui/widgets/grid_widths.h"

#include <QAbstractButton>
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
#include <QScrollArea>
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
    m_resultActions = new ResultActions(db, this);

    m_lastDraw = new LastDrawFrame(db, this);
    m_panel = new ConditionPanelView(this);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(4);
    layout->addWidget(m_lastDraw);
    layout->addWidget(m_panel, 1);
    layout->addWidget(buildResultArea());
    // On a screen lower than the window (1366 × 768 with a taskbar, 1920 × 1080 at 150 %) the
    // panel scrolls instead of running off the screen's bottom.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(u"MainScroll"_s);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(central);
    setCentralWidget(scroll);
    resize(kWindowWidth, kWindowHeight);

    connect(m_lastDraw->acQueryButton(), &QPushButton::clicked, this, &MainWindow::showAcValues);
    connect(m_lastDraw, &LastDrawFrame::recordsOpened, this, &MainWindow::showInGrid);
    QPushButton* hotCold = m_panel->hotColdButton();
    connect(hotCold, &QPushButton::clicked, this, &MainWindow::fillHotColdTable);
    hotCold->setEnabled(true);
    startLiveCount();
    connectMainMenu(*this, buildMainMenu(menuBar()));
    watchNewerDraw(*this, *m_lastDraw, *m_newerDraw);

    // The caption stays empty until the clock's first tick.
    setWindowTitle(QString());
    m_clock = new QTimer(this);
    m_clock->setObjectName(u"Timer1"_s);
    m_clock->setInterval(kClockMs);
    connect(m_clock, &QTimer::timeout, this, [this] { tickClock(QDateTime::currentDateTime()); });
    m_clock->start();
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
    m_liveCount = new QLabel(area);
    m_liveCount->setObjectName(u"LiveCount"_s);
    status->addWidget(progressLabel, 1, 0);
    status->addWidget(m_progress, 1, 1);
    // Shown while the database holds a newer draw than the last-draw row.
    m_newerDraw = new QLabel(area);
    m_newerDraw->setObjectName(u"NewerDraw"_s);
    m_newerDraw->setStyleSheet(u"color: #c00000;"_s);
    m_newerDraw->hide();
    auto* countLine = new QVBoxLayout;
    countLine->setSpacing(0);
    countLine->addWidget(m_newerDraw);
    countLine->addWidget(m_liveCount);
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
    connect(m_showResults, &QPushButton::clicked, this, &MainWindow::listResult);
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
    // Every caption whole ("代码文本", "AC值"): the narrow default only for what fits in it.
    setDefaultColumnWidth(*m_grid, kGridColumnTwips);
    widenColumnsToContent(*m_grid);
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
        prompter().message(this, result.message, Prompter::Icon::Warning);
        return;
    }
    prompter().message(this, redAcMessage(result.redAc));
    prompter().message(this, codeAcMessage(result.codeAc));
}

void MainWindow::exitProgram() {
    QApplication::closeAllWindows();
    QApplication::quit();
}

void MainWindow::setRunning(bool running) {
    m_running = running;
    menuBar()->setEnabled(!running);
    m_lastDraw->setEnabled(!running);
    m_panel->setEnabled(!running);
    // The result list would show the previous run's combinations while a new one is made.
    if (running)
        m_showResultsWasEnabled = m_showResults->isEnabled();
    m_showResults->setEnabled(running ? false : m_showResultsWasEnabled);
}

void MainWindow::showProgress(int done, int total) {
    m_progress->setRange(0, total);
    m_progress->setValue(done);
}

void MainWindow::showSelectionResult(SelectionResult result, const QString& line, bool listed) {
    m_selection = std::move(result);
    m_resultText->setText(line);
    if (!listed)
        return;
    m_resultList->clear();
    m_resultList->addItems(
        listResults(m_selection.count(), [this](int i) { return m_selection.text(i); }).items);
}

void MainWindow::listResult() {
    m_resultActions->showResultList(*m_resultList, m_selection.count(),
                                    [this](int i) { return m_selection.text(i); });
}

void MainWindow::fillHotColdTable() {
    const HotColdTableResult result = ssq::hotColdTable(m_db.connection());
    showInGrid(newestDrawQuery());
    if (result.ok)
        m_hotCold = result.values;
    prompter().message(this, result.message,
                       result.ok ? Prompter::Icon::Information : Prompter::Icon::Warning);
}

// The live count beside Text2 follows every edit of the last-draw row, the panel and the hot/cold
// table.
void MainWindow::startLiveCount() {
    auto* count =
        new LiveCount([this] { return readSelectionInputs(panelState(), m_hotCold); }, this);
    connect(count, &LiveCount::textChanged, m_liveCount, &QLabel::setText);
    for (QWidget* area : {static_cast<QWidget*>(m_lastDraw), static_cast<QWidget*>(m_panel)}) {
        for (QLineEdit* box : area->findChildren<QLineEdit*>())
            connect(box, &QLineEdit::textChanged, count, &LiveCount::panelChanged);
        for (QAbstractButton* button : area->findChildren<QAbstractButton*>())
            if (button->isCheckable())
                connect(button, &QAbstractButton::toggled, count, &LiveCount::panelChanged);
    }
    // The hot/cold table has no box of its own; the button that fills it stands for it.
    connect(m_panel->hotColdButton(), &QPushButton::clicked, count, &LiveCount::panelChanged);
    count->countNow();
}

} // namespace ssq

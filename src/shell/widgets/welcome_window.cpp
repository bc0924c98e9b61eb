#include "shell/widgets/welcome_window.h"

#include "shell/caption_clock.h"
#include "shell/credit_scroll.h"
#include "shell/widgets/desktop_display_modes.h"
#include "shell/widgets/main_window.h"
#include "shell/widgets/movie_player_widget.h"
#include "shell/widgets/screen_mode_window.h"
#include "store/database.h"
#include "store/draw_history.h"
#include "store/shipped_history.h"
#include "store/widgets/history_import_window.h"
#include "store/widgets/update_draws_window.h"
#include "ui/app_paths.h"
#include "ui/prompter.h"
#include "ui/twips.h"
#include "ui/url_opener.h"
#include "ui/widgets/named_widgets.h"
#include "ui/widgets/single_window.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kTimerMs = 150;
constexpr int kCreditDesignLeft = 240; // twips
constexpr int kWindowWidth = 720;
constexpr int kPlayerWidth = 480;
constexpr int kPlayerHeight = 200;

// The first start on a database without draws: when the history the program ships with can be
// read, asks whether to import its newest decade and, on Yes, runs that import in the import
// window. The question comes again on every start while the database has no draw.
void offerShippedHistory(Database& db, QWidget* parent) {
    QString error;
    if (newestDraw(db.connection(), &error) || !error.isEmpty())
        return;
    const std::optional<ShippedHistory> shipped = readShippedHistory(shippedHistoryPath(), &error);
    if (!shipped)
        return;
    const QString question =
        u"数据库中还没有开奖数据。\n\n本软件带有历年的真实开奖数据，是否现在导入最新一个年代的开奖"
        u"数据"
        u"（%1期至%2期，共%3期）？\n\n选“否”则数据库保持为空，以后可以用“数据操作 → "
        u"导入开奖数据文件”"
        u"导入，或在“数据操作 → 数据添加、删除、修改”里逐期录入。"_s
            .arg(shipped->fromIssue, shipped->lastIssue)
            .arg(shipped->drawCount);
    if (!prompter().question(parent, question))
        return;
    if (HistoryImportWindow* window = HistoryImportWindow::openWithShippedHistory(db, parent))
        window->startImport();
}

} // namespace

WelcomeWindow::WelcomeWindow(Database& db, QWidget* parent) : QWidget(parent), m_db(db) {
    setObjectName(u"Form7"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"欢迎使用Ravelko2.2"_s);
    setFixedWidth(kWindowWidth);

    auto* greeting = new QLabel(u"欢迎使用Ravelko2.2"_s, this);
    greeting->setObjectName(u"Label2"_s);
    greeting->setAlignment(Qt::AlignCenter);
    greeting->setStyleSheet(u"font-size: 26px; font-weight: bold; color: #c00000;"_s);

    m_player = new MoviePlayerWidget(this);
    m_player->setObjectName(u"ShockwaveFlash1"_s);
    m_player->setFixedSize(kPlayerWidth, kPlayerHeight);
    m_player->play(QDir(appPaths().shippedFolder).filePath(u"ssq.gif"_s));

    auto* screenHint = new QLabel(u"请在1024*768分辩率下使用本软件"_s, this);
    screenHint->setObjectName(u"Label1"_s);
    screenHint->setAlignment(Qt::AlignCenter);
    screenHint->setStyleSheet(u"font-size: 15px;"_s);

    auto* resolutionHint = new QLabel(u"如果无法显示软件整个界面，请点击:"_s, this);
    resolutionHint->setObjectName(u"Label6"_s);
    QPushButton* resolution = namedButton(u"Command7"_s, u"点击此处更改屏幕分辩率"_s, this);

    QPushButton* enter = namedButton(u"Command3"_s, u"进入"_s, this);
    QPushButton* update = namedButton(u"Command1"_s, u"联网更新开奖数据"_s, this);
    QPushButton* home = namedButton(u"Command6"_s, u"软件主页"_s, this);
    for (QPushButton* b : {enter, update, home})
        b->setMinimumSize(130, 40);
    enter->setDefault(true);
    enter->setStyleSheet(u"font-weight: bold;"_s);

    auto* resolutionRow = new QHBoxLayout;
    resolutionRow->addStretch(1);
    resolutionRow->addWidget(resolutionHint);
    resolutionRow->addWidget(resolution);
    resolutionRow->addStretch(1);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(enter);
    buttonRow->addSpacing(20);
    buttonRow->addWidget(update);
    buttonRow->addSpacing(20);
    buttonRow->addWidget(home);
    buttonRow->addStretch(1);

    auto* content = new QVBoxLayout;
    content->setContentsMargins(16, 16, 16, 8);
    content->setSpacing(10);
    content->addWidget(greeting);
    content->addWidget(m_player, 0, Qt::AlignHCenter);
    content->addWidget(screenHint);
    content->addLayout(resolutionRow);

    auto* footer = new QVBoxLayout;
    footer->setContentsMargins(16, 8, 16, 16);
    footer->addLayout(buttonRow);

    // The credit lane spans the whole width, so Label5's left edge is the window's coordinate.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addLayout(content);
    outer->addWidget(makeCreditLane());
    outer->addLayout(footer);

    connect(enter, &QPushButton::clicked, this, &WelcomeWindow::enterMainWindow);
    connect(resolution, &QPushButton::clicked, this, &WelcomeWindow::openResolutionWindow);
    connect(update, &QPushButton::clicked, this, &WelcomeWindow::openUpdateWindow);
    connect(home, &QPushButton::clicked, this, &WelcomeWindow::openHomePage);

    m_timer = new QTimer(this);
    m_timer->setObjectName(u"Timer1"_s);
    m_timer->setInterval(kTimerMs);
    connect(m_timer, &QTimer::timeout, this, [this] { tick(QDateTime::currentDateTime()); });
    m_timer->start();
}

QWidget* WelcomeWindow::makeCreditLane() {
    auto* lane = new QWidget(this);
    lane->setFixedHeight(30);
    m_credit = new QLabel(u"Ravelko2.2 双色球选号助手 —— 理性选号，量力而行，祝您好运！"_s, lane);
    m_credit->setObjectName(u"Label5"_s);
    m_credit->setStyleSheet(u"color: #0050a0; font-size: 14px;"_s);
    m_credit->adjustSize();
    setCreditLeft(kCreditDesignLeft);
    return lane;
}

void WelcomeWindow::setCreditLeft(int twips) {
    m_creditLeft = twips;
    m_credit->move(twipsToPixels(twips), (30 - m_credit->height()) / 2);
}

void WelcomeWindow::tick(const QDateTime& now) {
    const CreditStep step = nextCreditStep(m_creditLeft);
    setCreditLeft(step.left);
    if (step.moved)
        setWindowTitle(u"欢迎使用Ravelko2.2  "_s + captionDateTime(now));
}

void WelcomeWindow::enterMainWindow() {
    static QPointer<MainWindow> main;
    const bool opened = !main;
    showSingleWindow(main, nullptr, [this] { return new MainWindow(m_db); });
    if (opened) {
        // Asked once the main window is on screen; the welcome window is gone by then.
        Database& db = m_db;
        MainWindow* shown = main;
        QTimer::singleShot(0, shown, [&db, shown] { offerShippedHistory(db, shown); });
    }
    close();
}

void WelcomeWindow::openResolutionWindow() {
    showScreenModeWindow();
}

void WelcomeWindow::openUpdateWindow() {
    UpdateDrawsWindow::open(m_db);
}

void WelcomeWindow::openHomePage() {
    urlOpener().open(homePageUrl());
}

} // namespace ssq

// ssq-screenshots FOLDER: renders every window of the program to FOLDER/<objectName>.png,
// offscreen, on a fresh database in a temporary folder. A new window is one more entry in
// windowMakers().

#include "analysis/trend_chart_model.h"
#include "analysis/widgets/indicator_chart_window.h"
#include "analysis/widgets/number_characteristics_window.h"
#include "analysis/widgets/trend_chart_window.h"
#include "backtest/widgets/backtest_window.h"
#include "blue/widgets/blue_selection_window.h"
#include "game/fast_random.h"
#include "game/widgets/game_window.h"
#include "red/saved_results.h"
#include "red/selection_engine.h"
#include "red/selection_result.h"
#include "red/widgets/last_draw_frame.h"
#include "red/widgets/results_window.h"
#include "shell/widgets/desktop_display_modes.h"
#include "shell/widgets/main_window.h"
#include "shell/widgets/screen_mode_window.h"
#include "shell/widgets/welcome_window.h"
#include "store/database.h"
#include "store/draw_answer.h"
#include "store/draw_entry.h"
#include "store/draw_history.h"
#include "store/history_import.h"
#include "store/widgets/database_recovery_dialog.h"
#include "store/widgets/draw_entry_window.h"
#include "store/widgets/draw_preview.h"
#include "store/widgets/history_import_window.h"
#include "store/widgets/history_viewer_window.h"
#include "store/widgets/past_draw_query_window.h"
#include "store/widgets/paste_draws_window.h"
#include "store/widgets/update_draws_window.h"
#include "tickets/widgets/prize_check_window.h"
#include "tickets/widgets/random_pick_dialog.h"
#include "tickets/widgets/ticket_export_dialog.h"
#include "tickets/widgets/wheel_window.h"
#include "ui/prompter.h"
#include "ui/translations.h"
#include "ui/url_opener.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/screen_fit.h"
#include "ui/widgets/window_render.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using WindowMaker = std::function<QWidget*(ssq::Database&)>;

QWidget* welcomeWindow(ssq::Database& db) {
    return new ssq::WelcomeWindow(db);
}

// The main window as a player leaves it after a run: the last draw typed in and converted, a
// few conditions in each zone with a tolerance, and the result line.
QWidget* mainWindow(ssq::Database& db) {
    auto* window = new ssq::MainWindow(db);
    auto* row = window->findChild<ssq::LastDrawFrame*>();
    const QStringList draw = {u"1"_s, u"5"_s, u"12"_s, u"20"_s, u"27"_s, u"33"_s, u"8"_s};
    for (int i = 0; i < draw.size(); ++i)
        row->setText(1 + i, draw[i]);
    row->convertToCode();

    ssq::PanelState panel = window->panelState();
    const std::vector<std::pair<int, QString>> texts = {
        {16, u"12"_s}, {50, u"120"_s}, {51, u"80"_s},  {52, u"10"_s}, {53, u"6"_s},  {56, u"4"_s},
        {57, u"2"_s},  {62, u"2"_s},   {63, u"0"_s},   {66, u"35"_s}, {67, u"15"_s}, {104, u"0"_s},
        {105, u"9"_s}, {136, u"3"_s},  {137, u"1"_s},  {138, u"3"_s}, {139, u"1"_s}, {140, u"3"_s},
        {141, u"1"_s}, {142, u"30"_s}, {143, u"15"_s}, {156, u"4"_s}, {168, u"1"_s}, {169, u"0"_s}};
    for (const auto& [index, text] : texts)
        panel.text1[index] = text;
    for (int k : {0, 1, 4, 5, 7, 10, 12, 13, 25, 32, 33, 34, 35})
        panel.check1[k] = 1;
    panel.check2 = 1;
    panel.check3 = 1;
    panel.option1 = true;
    panel.check4 = 1;
    panel.text3[4] = u"4"_s;
    window->setPanelState(panel);
    ssq::SelectionResult result = ssq::SelectionEngine(panel, window->hotColdTable()).run();
    const QString line = result.resultLine();
    window->showSelectionResult(std::move(result), line, false);
    // The live count beside the result line catches up with the panel.
    QEventLoop settle;
    QTimer::singleShot(1000, &settle, &QEventLoop::quit);
    settle.exec();
    return window;
}

// Form8 on its first page of saved results.
QWidget* resultsWindow(ssq::Database& db) {
    ssq::saveResults(db.connection(), 320,
                     [](int i) { return ssq::comboTextOfCode(1 + i * 3001); });
    auto* window = new ssq::ResultsWindow(db);
    window->showFirstPage();
    return window;
}

// Every 30th combination, as a run might keep them.
ssq::SelectionResult someKept() {
    ssq::SelectionResult kept;
    for (int code = 1; code <= 1107568; code += 30)
        kept.codes.push_back(code);
    return kept;
}

// "导出选号结果…" with two blues typed.
QWidget* ticketExportDialog(ssq::Database&) {
    auto* dialog = new ssq::TicketExportDialog(someKept(), {});
    dialog->findChild<QLineEdit*>(u"Text1"_s)->setText(u"08 12"_s);
    return dialog;
}

QWidget* randomPickDialog(ssq::Database&) {
    auto* dialog = new ssq::RandomPickDialog(someKept(), {});
    dialog->findChild<QLineEdit*>(u"Text1"_s)->setText(u"10"_s);
    dialog->findChild<QLineEdit*>(u"Text2"_s)->setText(u"08"_s);
    return dialog;
}

// "旋转矩阵与缩水…" after a 中5保4 wheel of twelve reds with one banker, priced with two blues.
QWidget* wheelWindow(ssq::Database&) {
    auto* window = new ssq::WheelWindow([] { return someKept(); }, {});
    for (int red : {1, 5, 8, 12, 14, 17, 20, 23, 26, 27, 30, 33})
        window->findChild<QPushButton*>(u"Check1_%1"_s.arg(red))->setChecked(true);
    window->findChild<QLineEdit*>(u"Text2"_s)->setText(u"08"_s);
    window->findChild<QComboBox*>(u"Combo1"_s)->setCurrentText(u"中5保4"_s);
    window->findChild<QLineEdit*>(u"Text3"_s)->setText(u"08 12"_s);
    QEventLoop loop;
    QObject::connect(window, &ssq::WheelWindow::searchEnded, &loop, &QEventLoop::quit);
    window->buildPoolWheel();
    if (window->busy())
        loop.exec();
    return window;
}

// The real draws from 2020 on, imported once, for the windows that analyse the history.
bool withHistory(ssq::Database& db) {
    if (!ssq::loadDraws(db.connection()).empty())
        return true;
    const QString file = QDir(QStringLiteral(SSQ_DATA_DIR)).filePath(u"ssq-history.csv"_s);
    return ssq::importHistoryFile(db.connection(), file, u"2020001"_s).ok;
}

// "中奖查询" after checking three saved tickets against the newest of two draws.
QWidget* prizeCheckWindow(ssq::Database& db) {
    withHistory(db); // the newest draw is 2026096: 1 4 16 22 26 31 + 4
    const QStringList saved{u"1 4 16 22 26 30"_s, u"1 4 16 23 27 30"_s, u"2 4 16 22 27 33"_s};
    ssq::saveResults(db.connection(), 3, [&saved](int i) { return saved[i]; });
    auto* window = new ssq::PrizeCheckWindow(db, {});
    window->findChild<QRadioButton*>(u"Option2"_s)->setChecked(true);
    window->findChild<QLineEdit*>(u"Text2"_s)->setText(u"04 09"_s);
    window->check();
    return window;
}

void tick(QWidget& window, const QList<int>& boxes) {
    for (int k : boxes)
        window.findChild<QCheckBox*>(u"Check1_%1"_s.arg(k))->setChecked(true);
}

// Form9 with a draw ticked and its issue typed, showing the indicator table.
QWidget* drawEntryWindow(ssq::Database& db) {
    auto* window = new ssq::DrawEntryWindow(db);
    tick(*window, {1, 5, 12, 20, 27, 33, 41});
    window->findChild<QLineEdit*>(u"Text1"_s)->setText(u"6097"_s);
    window->showIndicators();
    return window;
}

QWidget* historyViewerWindow(ssq::Database& db) {
    auto* window = new ssq::HistoryViewerWindow(db);
    window->showIndicators();
    return window;
}

QWidget* pastDrawQueryWindow(ssq::Database& db) {
    auto* window = new ssq::PastDrawQueryWindow(db);
    tick(*window, {3, 8, 15, 16, 23, 30});
    return window;
}

QWidget* historyImportWindow(ssq::Database& db) {
    auto* window = new ssq::HistoryImportWindow(db);
    window->findChild<QLineEdit*>(u"Text2"_s)->setText(u"2020001"_s);
    return window;
}

// "粘贴开奖号码" with rows copied from a web page and a message, one of them mistyped.
QWidget* pasteDrawsWindow(ssq::Database& db) {
    withHistory(db);
    auto* window = new ssq::PasteDrawsWindow(db);
    window->findChild<QPlainTextEdit*>(u"Text1"_s)
        ->setPlainText(u"期号\t开奖日期\t红球\t蓝球\n"
                       u"2026096\t2026-08-20(四)\t01\t04\t16\t22\t26\t31\t04\t389,123,456\n"
                       u"第2026097期 红球：05 11 17 23 29 33 蓝球：07\n"
                       u"2026098期 02,09,14,20,27,31+12\n"
                       u"2026099 03 08 15 16 23 30 17\n"_s);
    return window;
}

// "联网更新开奖数据" after an answer in the draw service's format (no network is used).
QWidget* updateDrawsWindow(ssq::Database& db) {
    withHistory(db);
    auto* window = new ssq::UpdateDrawsWindow(db);
    const ssq::DrawAnswer answer = ssq::readDrawAnswer(
        R"J({"state":0,"result":[{"code":"2026098","red":"02,09,14,20,27,31","blue":"12"},
        {"code":"2026097","red":"33,05,29,11,23,17","blue":"07"},
        {"code":"2026096","red":"01,04,16,22,26,31","blue":"04"}]})J");
    window->preview()->showDraws(answer.draws, answer.prizes);
    window->findChild<QLabel*>(u"Label2"_s)
        ->setText(u"已取得%1期开奖数据。"_s.arg(answer.draws.size()));
    window->findChild<QProgressBar*>(u"ProgressBar1"_s)->setValue(100);
    return window;
}

// Form2 after "分析全部数据特性" over the last 30 draws.
QWidget* numberCharacteristicsWindow(ssq::Database& db) {
    withHistory(db);
    auto* window = new ssq::NumberCharacteristicsWindow(db);
    window->findChild<QLineEdit*>(u"Text1"_s)->setText(u"30"_s);
    window->analyseAll();
    return window;
}

// Form6 with the sums of the last 30 draws.
QWidget* indicatorChartWindow(ssq::Database& db) {
    withHistory(db);
    auto* window = new ssq::IndicatorChartWindow(db);
    window->findChild<QLineEdit*>(u"Text1"_s)->setText(u"30"_s);
    window->loadIssues(u"30"_s);
    window->drawChart(3);
    return window;
}

// "号码走势图" of the newest 30 draws with a pick marked in the bottom row.
QWidget* trendChart30(ssq::Database& db) {
    withHistory(db);
    auto* window = new ssq::TrendChartWindow(db);
    window->setProperty("screenshotName", u"trend-chart-30"_s);
    for (int column : {2, 8, 13, 21, 26, 30, 40})
        window->model()->togglePick(column);
    return window;
}

// All 983 draws of the 2020s, long omissions shaded.
QWidget* trendChartAll(ssq::Database& db) {
    withHistory(db);
    auto* window = new ssq::TrendChartWindow(db);
    window->setProperty("screenshotName", u"trend-chart-all"_s);
    auto* choice = window->findChild<QComboBox*>(u"Combo1"_s);
    choice->setCurrentIndex(choice->count() - 1);
    window->findChild<QCheckBox*>(u"Check2"_s)->setChecked(true);
    return window;
}

// Answers the blue analysis prompt and keeps every message off the screen.
class QuietPrompter : public ssq::Prompter {
public:
    void message(QWidget*, const QString&, Icon) override {}
    bool question(QWidget*, const QString&) override { return false; }
    std::optional<QString> input(QWidget*, const QString&, const QString&,
                                 const QString&) override {
        return u"30"_s;
    }
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
};

// Form3 after a run: eliminated numbers, 单, a code-sum range and one failure allowed.
QWidget* blueWindowAfterRun(ssq::Database& db) {
    auto* window = new ssq::BlueSelectionWindow(db);
    ssq::BlueControls c;
    for (int box : {3, 2, 13, 7, 9, 15, 12})
        c.check[box] = 1;
    c.text[1] = u"3"_s;
    c.text[2] = u"14"_s;
    c.text[17] = u"6"_s;
    c.text[18] = u"3"_s;
    c.text[27] = u"1"_s;
    c.text[28] = u"0"_s;
    window->setControls(c);
    window->runSelection();
    window->setProperty("screenshotName", u"Form3-run"_s);
    return window;
}

// Form3 after that run and "蓝球号码分析" over the real draws from 2020 on, answering 30.
QWidget* blueWindowAfterAnalysis(ssq::Database& db) {
    withHistory(db);
    auto* window = static_cast<ssq::BlueSelectionWindow*>(blueWindowAfterRun(db));
    QuietPrompter quiet;
    ssq::setPrompter(&quiet);
    window->analyse();
    ssq::setPrompter(nullptr);
    window->setProperty("screenshotName", u"Form3-analysis"_s);
    return window;
}

// Form5 after a random pick and one draw, on a fixed seed so the picture is the same every time.
QWidget* gameWindow(ssq::Database&) {
    auto* window = new ssq::GameWindow(std::make_unique<ssq::FastRandom>(2026));
    window->pickAtRandom();
    window->drawOnce();
    return window;
}

// The help window on the program's own help page.
QWidget* helpWindow(ssq::Database&) {
    auto* window = new ssq::HelpWindow;
    window->showPage(ssq::homePageUrl());
    return window;
}

// Form11 on the desktop it is rendered on (offscreen: the one mode it can read).
QWidget* screenModeWindow(ssq::Database&) {
    return new ssq::ScreenModeWindow(ssq::makeDesktopDisplayModes());
}

// The back-test window after a run over the newest 30 of the real draws from 2020 on, with a
// set of conditions over zones 1 and 3.
QWidget* backtestWindow(ssq::Database& db) {
    withHistory(db);
    ssq::PanelState panel;
    const std::vector<std::pair<int, QString>> texts = {
        {50, u"130"_s}, {51, u"80"_s}, {52, u"10"_s}, {53, u"7"_s},  {56, u"4"_s},
        {57, u"2"_s},   {62, u"1"_s},  {63, u"0"_s},  {136, u"3"_s}, {137, u"1"_s},
        {138, u"3"_s},  {139, u"1"_s}, {140, u"3"_s}, {141, u"1"_s}, {142, u"32"_s},
        {143, u"20"_s}, {150, u"2"_s}, {151, u"0"_s}, {168, u"1"_s}, {169, u"0"_s}};
    for (const auto& [index, text] : texts)
        panel.text1[index] = text;
    for (int k : {0, 4, 5, 7, 10, 32, 33, 34, 35, 38})
        panel.check1[k] = 1;
    panel.check3 = 1;
    auto* window = new ssq::BacktestWindow(db, [panel] { return panel; });
    QEventLoop loop;
    QObject::connect(window, &ssq::BacktestWindow::finished, &loop, &QEventLoop::quit);
    window->startBacktest();
    if (window->isRunning())
        loop.exec();
    return window;
}

// The start-up question about a damaged database, with a valid backup to offer; the reason is
// the one opening a file of garbage gives.
QWidget* databaseRecoveryDialog(ssq::Database& db) {
    const QString damaged = QFileInfo(db.path()).dir().filePath(u"damaged.mdb"_s);
    if (QFile file(damaged); file.open(QIODevice::WriteOnly))
        file.write(QByteArray(4096, 'x'));
    ssq::RecoveryOffer offer;
    ssq::Database(damaged).open(&offer.reason);
    offer.canRestore = true;
    offer.canStartEmpty = true;
    offer.backupPath = u"/home/player/Ravelko数据库备份/ssq1.mdb"_s;
    return new ssq::DatabaseRecoveryDialog(offer);
}

std::vector<WindowMaker> windowMakers() {
    return {welcomeWindow,
            mainWindow,
            resultsWindow,
            drawEntryWindow,
            historyViewerWindow,
            pastDrawQueryWindow,
            historyImportWindow,
            pasteDrawsWindow,
            updateDrawsWindow,
            ticketExportDialog,
            randomPickDialog,
            prizeCheckWindow,
            numberCharacteristicsWindow,
            indicatorChartWindow,
            trendChart30,
            trendChartAll,
            blueWindowAfterRun,
            blueWindowAfterAnalysis,
            gameWindow,
            screenModeWindow,
            helpWindow,
            backtestWindow,
            databaseRecoveryDialog,
            wheelWindow};
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ssq::installChineseTranslations(app);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: ssq-screenshots FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));

    QTemporaryDir temp;
    ssq::Database db(temp.filePath(u"ssq.mdb"_s));
    QString error;
    if (!temp.isValid() || !db.open(&error)) {
        err << error << '\n';
        return 1;
    }

    int failures = 0;
    for (const WindowMaker& make : windowMakers()) {
        QWidget* window = make(db);
        // As the program opens it on this screen; dialogs open at their own size.
        if (!qobject_cast<QDialog*>(window))
            ssq::fitOnScreen(*window);
        // A window shown in more than one state names each picture itself.
        const QString name = window->property("screenshotName").toString();
        const QString path =
            folder.filePath((name.isEmpty() ? window->objectName() : name) + u".png"_s);
        if (ssq::saveWindowPng(*window, path, &error)) {
            out << QDir::toNativeSeparators(path) << '\n';
        } else {
            err << error << '\n';
            ++failures;
        }
        delete window;
    }
    return failures == 0 ? 0 : 1;
}

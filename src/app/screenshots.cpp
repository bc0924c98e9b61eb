// ssq-screenshots FOLDER: renders every window of the program to FOLDER/<objectName>.png,
// offscreen, on a fresh database in a temporary folder. A new window is one more entry in
// windowMakers().

#include "red/last_draw_frame.h"
#include "red/results_window.h"
#include "red/saved_results.h"
#include "red/selection_engine.h"
#include "red/selection_result.h"
#include "shell/main_window.h"
#include "ui/web_addresses.h"
#include "shell/welcome_window.h"
#include "store/database.h"
#include "store/database_recovery_dialog.h"
#include "store/draw_entry_window.h"
#include "store/history_import_window.h"
#include "store/history_viewer_window.h"
#include "store/past_draw_query_window.h"
#include "ui/qt_window_render.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextStream>

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
    ssq::LastDrawFrame* row = window->lastDrawFrame();
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
    window->resultText()->setText(result.resultLine());
    window->setSelectionResult(std::move(result));
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

void tick(QWidget& window, const QList<int>& boxes) {
    for (int k : boxes)
        window.findChild<QCheckBox*>(u"Check1_%1"_s.arg(k))->setChecked(true);
}

// Form9 with a draw ticked and its issue typed, showing the indicator table.
QWidget* drawEntryWindow(ssq::Database& db) {
    auto* window = new ssq::DrawEntryWindow(db, ssq::downloadPageUrl());
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

// The start-up question about a damaged database, with a valid backup to offer.
QWidget* databaseRecoveryDialog(ssq::Database&) {
    ssq::RecoveryOffer offer;
    offer.reason = u"数据库文件“/home/player/ssq/ssq.mdb”已损坏或无法读取（file is not a database）。程序没有改动这个文件。"_s;
    offer.canRestore = true;
    offer.canStartEmpty = true;
    offer.backupPath = u"/home/player/Ravelko数据库备份/ssq1.mdb"_s;
    return new ssq::DatabaseRecoveryDialog(offer);
}

std::vector<WindowMaker> windowMakers() {
    return {welcomeWindow,       mainWindow,          resultsWindow,      drawEntryWindow,
            historyViewerWindow, pastDrawQueryWindow, historyImportWindow,
            databaseRecoveryDialog};
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
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
        const QString path = folder.filePath(window->objectName() + u".png"_s);
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

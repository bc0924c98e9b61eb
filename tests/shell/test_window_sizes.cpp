// Every window fits a 1366 × 768 laptop with a taskbar and, in a second run, 1920 × 1080 at
// 150 %; the grids players read across show every column whole without scrolling sideways.

#include "analysis/widgets/indicator_chart_window.h"
#include "analysis/widgets/number_characteristics_window.h"
#include "backtest/widgets/backtest_window.h"
#include "blue/widgets/blue_selection_window.h"
#include "game/widgets/game_window.h"
#include "red/widgets/results_window.h"
#include "shell/widgets/desktop_display_modes.h"
#include "shell/widgets/main_window.h"
#include "shell/widgets/screen_mode_window.h"
#include "shell/widgets/welcome_window.h"
#include "store/database_recovery.h"
#include "store/widgets/database_recovery_dialog.h"
#include "store/widgets/draw_entry_window.h"
#include "store/widgets/draw_grid_view.h"
#include "store/widgets/history_import_window.h"
#include "store/widgets/history_viewer_window.h"
#include "store/widgets/past_draw_query_window.h"
#include "support/draw_tables.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"
#include "support/widget_actions.h"
#include "tickets/widgets/prize_check_window.h"
#include "tickets/widgets/random_pick_dialog.h"
#include "tickets/widgets/ticket_export_dialog.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/screen_fit.h"

#include <QAction>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;
using namespace ssq;

namespace {

// The first shown column of `grid` that is cut or narrower than its text, named.
QString columnsCut(QTableView& grid) {
    QCoreApplication::processEvents();
    const QHeaderView& header = *grid.horizontalHeader();
    if (grid.horizontalScrollBar()->maximum() > 0)
        return u"scrolls sideways by %1"_s.arg(grid.horizontalScrollBar()->maximum());
    for (int c = 0; c < header.count(); ++c) {
        if (header.isSectionHidden(c) || header.sectionSize(c) == 0)
            continue;
        const QString caption = grid.model()->headerData(c, Qt::Horizontal).toString();
        if (header.sectionViewportPosition(c) + header.sectionSize(c) > grid.viewport()->width())
            return caption + u" outside"_s;
        const int content =
            std::max(static_cast<const QAbstractItemView&>(grid).sizeHintForColumn(c),
                     header.sectionSizeHint(c));
        if (header.sectionSize(c) < content)
            return caption + u" narrower than its text"_s;
    }
    return {};
}

} // namespace

class TestWindowSizes : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDatabase> m_temp;
    std::unique_ptr<test::ScriptedPrompter> m_prompter;

    // Shows `window` as the program opens it and says where it does not fit.
    QString fits(QWidget& window, bool fitted = true) {
        if (fitted)
            fitOnScreen(window);
        else
            window.resize(window.sizeHint().expandedTo(window.minimumSizeHint()));
        window.show();
        QCoreApplication::processEvents();
        const QRect area = window.screen()->availableGeometry();
        const QRect frame(window.pos(), window.size() + QSize(kFrameWidth, kFrameHeight));
        if (!area.contains(frame))
            return u"%1: %2x%3 with its frame does not fit %4x%5"_s.arg(window.objectName())
                .arg(window.width())
                .arg(window.height())
                .arg(area.width())
                .arg(area.height());
        return {};
    }

private Q_SLOTS:
    void initTestCase() {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        qInfo("screen %dx%d", area.width(), area.height());
        QVERIFY(area.width() <= 1366 && area.height() <= 728);
    }
    void init() {
        m_temp = std::make_unique<test::TempDatabase>();
        QVERIFY(test::addRealDraws(m_temp->connection(), u"2022001"_s, 60));
        m_prompter = std::make_unique<test::ScriptedPrompter>();
    }
    void cleanup() {
        m_prompter.reset();
        m_temp.reset();
    }

    void everyWindowFits() {
        Database& db = m_temp->database();
        SelectionResult kept;
        for (int code = 1; code <= 5000; code += 7)
            kept.codes.push_back(code);
        RecoveryOffer offer;
        offer.reason = u"数据库文件已损坏"_s;
        offer.canStartEmpty = offer.canRestore = true;
        offer.backupPath = u"/home/player/Ravelko数据库备份/ssq1.mdb"_s;
        const QList<std::pair<std::function<QWidget*()>, bool>> makers{
            {[&] { return new WelcomeWindow(db); }, true},
            {[&] { return new MainWindow(db); }, true},
            {[&] { return new ResultsWindow(db); }, true},
            {[&] { return new DrawEntryWindow(db); }, true},
            {[&] { return new HistoryViewerWindow(db); }, true},
            {[&] { return new PastDrawQueryWindow(db); }, true},
            {[&] { return new HistoryImportWindow(db); }, true},
            {[&] { return new PrizeCheckWindow(db, {}); }, true},
            {[&] { return new NumberCharacteristicsWindow(db); }, true},
            {[&] { return new IndicatorChartWindow(db); }, true},
            {[&] { return new BlueSelectionWindow(db); }, true},
            {[&] { return new GameWindow; }, true},
            {[&] { return new ScreenModeWindow(makeDesktopDisplayModes()); }, true},
            {[&] { return new BacktestWindow(db, [] { return PanelState{}; }); }, true},
            {[&] { return new HelpWindow; }, true},
            // Dialogs open at their own size.
            {[&] { return new DatabaseRecoveryDialog(offer); }, false},
            {[&] { return new TicketExportDialog(kept, {}); }, false},
            {[&] { return new RandomPickDialog(kept, {}); }, false},
        };
        QStringList failures;
        for (const auto& [make, fitted] : makers) {
            std::unique_ptr<QWidget> window(make());
            if (const QString why = fits(*window, fitted); !why.isEmpty())
                failures.append(why);
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u"; "_s)));
    }

    // The main window's small grid: every caption whole, "代码文本" and "AC值" included.
    void mainGridCaptions() {
        MainWindow window(m_temp->database());
        QVERIFY(fits(window).isEmpty());
        for (const QString& table : {u"kjhm"_s, u"kjdm"_s, u"kjzb"_s}) {
            window.showInGrid(u"select * from %1 order by 期号"_s.arg(table));
            auto* grid = window.findChild<QTableView*>(u"DataGrid1"_s);
            const QHeaderView& header = *grid->horizontalHeader();
            for (int c = 0; c < header.count(); ++c)
                QVERIFY2(header.sectionSize(c) >= header.sectionSizeHint(c),
                         qPrintable(table + u": "_s +
                                    grid->model()->headerData(c, Qt::Horizontal).toString()));
        }
    }

    // The blue window's distribution and analysis grids side by side, and the hot and cold
    // numbers 1..33 in one row.
    void gridsShowEveryColumn() {
        BlueSelectionWindow blue(m_temp->database());
        QVERIFY(fits(blue).isEmpty());
        m_prompter->answerInput(u"30"_s);
        blue.findChild<QAction*>(u"CQCS"_s)->trigger();
        QCOMPARE(blue.historyGrid()->model()->columnCount(), 17);
        QCOMPARE(columnsCut(*blue.historyGrid()), QString());
        QCOMPARE(columnsCut(*blue.analysisGrid()), QString());

        NumberCharacteristicsWindow numbers(m_temp->database());
        QVERIFY(fits(numbers).isEmpty());
        test::retype(&numbers, u"Text1"_s, u"30"_s);
        test::click(&numbers, u"HQLRTXFX"_s);
        QCOMPARE(numbers.hotColdGrid()->model()->columnCount(), 35);
        QCOMPARE(columnsCut(*numbers.hotColdGrid()), QString());
    }
};

QTEST_MAIN(TestWindowSizes)
#include "test_window_sizes.moc"

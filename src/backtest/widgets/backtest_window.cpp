#include "backtest/widgets/backtest_window.h"

#include "backtest/backtest_table_model.h"
#include "store/database.h"
#include "ui/prompter.h"
#include "ui/widgets/named_widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kDefaultLast = 30;

} // namespace

BacktestWindow::BacktestWindow(Database& db, std::function<PanelState()> panel, QWidget* parent)
    : QWidget(parent), m_db(db), m_panel(std::move(panel)) {
    setObjectName(u"BacktestWindow"_s);
    setWindowTitle(u"条件历史回测"_s);
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* intro = new QLabel(u"用主窗口中现在设置的条件和容错，逐期检验最近若干期的开奖号码："
                             u"每期都以它的上一期作为上期号码、以它之前的开奖数据计算冷热值，"
                             u"看选号程序当时会不会保留这期开奖号码，以及当时会保留多少注。"_s,
                             this);
    intro->setObjectName(u"Label3"_s);
    intro->setWordWrap(true);

    auto* lastLabel = new QLabel(u"回测最近"_s, this);
    lastLabel->setObjectName(u"Label1"_s);
    m_last = new QLineEdit(QString::number(kDefaultLast), this);
    m_last->setObjectName(u"Text1"_s);
    m_last->setMaximumWidth(60);
    auto* lastUnit = new QLabel(u"期"_s, this);
    lastUnit->setObjectName(u"Label4"_s);

    auto* controls = new QHBoxLayout;
    controls->addWidget(lastLabel);
    controls->addWidget(m_last);
    controls->addWidget(lastUnit);
    m_start = addNamedButton(controls, u"Command1"_s, u"开始回测"_s, this);
    m_stop = addNamedButton(controls, u"Command2"_s, u"取消"_s, this);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(u"ProgressBar1"_s);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    controls->addWidget(m_progress, 1);

    m_model = new BacktestTableModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(u"DataGrid1"_s);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setDefaultSectionSize(22);
    m_table->setColumnWidth(0, 60);
    m_table->setColumnWidth(1, 150);
    m_table->setColumnWidth(2, 200);
    m_table->setColumnWidth(3, 80);

    m_summary = new QLabel(this);
    m_summary->setObjectName(u"Label2"_s);
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QHBoxLayout;
    m_copy = addNamedButton(buttons, u"Command3"_s, u"复制"_s, this);
    m_save = addNamedButton(buttons, u"Command4"_s, u"保存为CSV…"_s, this);
    buttons->addStretch(1);
    QPushButton* close = addNamedButton(buttons, u"Command5"_s, u"关闭"_s, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(controls);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_summary);
    layout->addLayout(buttons);
    resize(720, 560);

    connect(m_start, &QPushButton::clicked, this, &BacktestWindow::startBacktest);
    connect(m_stop, &QPushButton::clicked, this, &BacktestWindow::cancelBacktest);
    connect(m_copy, &QPushButton::clicked, this, &BacktestWindow::copyRows);
    connect(m_save, &QPushButton::clicked, this, &BacktestWindow::saveCsv);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(&m_job, &BackgroundJob::progressChanged, this,
            [this](qint64 done) { m_progress->setValue(static_cast<int>(done)); });
    setRunning(false);
}

void BacktestWindow::startBacktest() {
    if (isRunning())
        return;
    QString error;
    const std::optional<int> last = backtestDepth(m_last->text(), &error);
    if (!last) {
        prompter().message(this, error, Prompter::Icon::Warning);
        return;
    }
    std::vector<StoredDraw> history = loadDraws(m_db.connection(), &error);
    if (!error.isEmpty()) {
        prompter().message(this, error, Prompter::Icon::Warning);
        return;
    }
    // Read once, here: the panel may change while the workers run.
    auto backtest = std::make_shared<const Backtest>(m_panel(), HotColdValues{}, std::move(history),
                                                     BacktestSettings{*last, true});
    if (const std::optional<QString> refusal = backtest->refusal()) {
        prompter().message(this, *refusal, Prompter::Icon::Warning);
        return;
    }
    m_progress->setRange(0, backtest->targetCount());
    m_progress->setValue(0);
    m_summary->setText(u"正在回测%1期……"_s.arg(backtest->targetCount()));
    m_model->setRows({});
    m_skipped = backtest->skippedCount();
    m_job.start(
        [backtest](JobControl& control) {
            return backtest->run([&control](int done) { control.setProgress(done); },
                                 control.cancelFlag());
        },
        [this](JobOutcome<BacktestResult> outcome) { runEnded(std::move(outcome)); });
    setRunning(true);
}

void BacktestWindow::cancelBacktest() {
    m_job.cancel();
}

void BacktestWindow::runEnded(JobOutcome<BacktestResult> outcome) {
    BacktestResult result = outcome.value ? std::move(*outcome.value) : BacktestResult{};
    const bool failed = !outcome.value;
    // A finished run leaves the bar full; a cancelled or failed one empty.
    m_progress->setValue(result.cancelled || failed ? 0 : m_progress->maximum());
    if (failed) {
        m_summary->setText(outcome.failure);
    } else if (result.cancelled) {
        m_summary->setText(u"回测已取消。"_s);
    } else {
        QString summary = summaryText(result.summary());
        if (m_skipped > 0)
            summary +=
                u"\n另有%1期的开奖记录或其上一期不是完整的六个红球加一个蓝球，未参与回测。"_s.arg(
                    m_skipped);
        m_summary->setText(summary);
        m_model->setRows(result.rows);
    }
    m_result = std::move(result);
    setRunning(false);
    Q_EMIT finished();
}

void BacktestWindow::copyRows() {
    QList<int> rows;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows())
        rows.append(index.row());
    QApplication::clipboard()->setText(m_model->rowsText(rows));
}

void BacktestWindow::saveCsv() {
    const QString path = askSavePath(this, u"保存回测结果"_s, u"逗号分隔文件 (*.csv)"_s, u".csv"_s);
    if (path.isEmpty())
        return;
    QString error;
    if (!saveBacktestCsv(path, m_model->rows(), &error)) {
        prompter().message(this, error, Prompter::Icon::Warning);
        return;
    }
    prompter().message(this, u"回测结果已保存到文件“%1”"_s.arg(path), Prompter::Icon::Information);
}

void BacktestWindow::setRunning(bool running) {
    m_start->setEnabled(!running);
    m_last->setEnabled(!running);
    m_stop->setEnabled(running);
    const bool rows = !running && m_model->rowCount() > 0;
    m_copy->setEnabled(rows);
    m_save->setEnabled(rows);
}

} // namespace ssq

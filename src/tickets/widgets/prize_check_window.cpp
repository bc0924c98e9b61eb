#include "tickets/widgets/prize_check_window.h"

#include "store/database.h"
#include "store/issue_text.h"
#include "tickets/prize_check.h"
#include "tickets/widgets/blue_window_result.h"
#include "ui/prompter.h"
#include "ui/widgets/named_widgets.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

QString drawCaption(const StoredDraw& draw) {
    if (!draw.complete)
        return u"%1期   号码不完整"_s.arg(issueText(draw.issue));
    QStringList reds;
    for (int red : draw.red)
        reds.append(u"%1"_s.arg(red, 2, 10, QLatin1Char('0')));
    return u"%1期   %2 + %3"_s.arg(issueText(draw.issue), reds.join(u' '))
        .arg(draw.blue, 2, 10, QLatin1Char('0'));
}

} // namespace

// What the worker hands back: the report, or why the tickets could not be read.
struct PrizeCheckWindow::Checked {
    std::optional<PrizeReport> report;
    QString refusal;
};

PrizeCheckWindow::PrizeCheckWindow(Database& db, BlueResult blues, QWidget* parent)
    : QWidget(parent), m_db(db), m_blueResult(std::move(blues)) {
    setObjectName(u"FormZJCX"_s);
    setWindowTitle(u"中奖查询"_s);
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);

    if (std::optional<std::vector<StoredDraw>> draws = prizeDraws(m_db.connection(), &m_drawsError))
        m_draws = std::move(*draws);
    m_issue = new QComboBox(this);
    m_issue->setObjectName(u"Combo1"_s);
    for (const StoredDraw& draw : m_draws)
        m_issue->addItem(drawCaption(draw));
    m_issue->setMaxVisibleItems(20);
    auto* issueRow = new QHBoxLayout;
    issueRow->addWidget(new QLabel(u"开奖期号："_s, this));
    issueRow->addWidget(m_issue, 1);

    auto* exit = namedButton(u"Command3"_s, u"退出"_s, this);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    m_check = namedButton(u"Command2"_s, u"查询中奖"_s, this);
    connect(m_check, &QPushButton::clicked, this, &PrizeCheckWindow::check);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(u"ProgressBar1"_s);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_cancel = namedButton(u"Command5"_s, u"取消"_s, this);
    connect(m_cancel, &QPushButton::clicked, this, &PrizeCheckWindow::cancelCheck);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_check);
    buttons->addWidget(m_progress, 1);
    buttons->addWidget(m_cancel);
    buttons->addSpacing(24);
    buttons->addWidget(exit);
    connect(&m_job, &BackgroundJob::progressChanged, this, [this](qint64 done, qint64 total) {
        m_progress->setValue(total > 0 ? static_cast<int>(done * 100 / total) : 0);
    });

    m_source = buildSourceFrame();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(issueRow);
    layout->addWidget(m_source);
    layout->addLayout(buttons);
    layout->addWidget(buildResultFrame(), 1);
    resize(560, 620);
    setChecking(false);
}

QWidget* PrizeCheckWindow::buildSourceFrame() {
    auto* frame = new QGroupBox(u"要查询的号码"_s, this);
    frame->setObjectName(u"Frame1"_s);
    m_fromFile = new QRadioButton(u"号码文件："_s, frame);
    m_fromFile->setObjectName(u"Option1"_s);
    m_fromSaved = new QRadioButton(u"保存的号码（“保存所选号码”所存）"_s, frame);
    m_fromSaved->setObjectName(u"Option2"_s);
    m_fromFile->setChecked(true);
    auto* group = new QButtonGroup(frame);
    group->addButton(m_fromFile);
    group->addButton(m_fromSaved);

    m_path = new QLineEdit(frame);
    m_path->setObjectName(u"Text1"_s);
    auto* choose = namedButton(u"Command1"_s, u"选择文件…"_s, frame);
    connect(choose, &QPushButton::clicked, this, &PrizeCheckWindow::chooseFile);

    m_blues = new QLineEdit(blueListText(currentBlues(m_blueResult)), frame);
    m_blues->setObjectName(u"Text2"_s);
    m_blues->setPlaceholderText(u"例如 08 12"_s);
    auto* take = namedButton(u"Command4"_s, u"取蓝球选号结果"_s, frame);
    connect(take, &QPushButton::clicked, this, &PrizeCheckWindow::takeBlueResult);

    auto* note =
        new QLabel(u"文件每行一注，如“01 05 12 20 27 33 + 08”；7到20个红球或2到16个蓝球的"
                   u"复式号码按其包含的全部单注计算。不带蓝球的号码与上面的每个蓝球各成一注。"_s,
                   frame);
    note->setWordWrap(true);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(m_fromFile, 0, 0);
    grid->addWidget(m_path, 0, 1);
    grid->addWidget(choose, 0, 2);
    grid->addWidget(m_fromSaved, 1, 0, 1, 3);
    grid->addWidget(new QLabel(u"蓝球号码："_s, frame), 2, 0);
    grid->addWidget(m_blues, 2, 1);
    grid->addWidget(take, 2, 2);
    grid->addWidget(note, 3, 0, 1, 3);
    return frame;
}

QWidget* PrizeCheckWindow::buildResultFrame() {
    auto* frame = new QGroupBox(u"中奖情况"_s, this);
    frame->setObjectName(u"Frame2"_s);
    auto* counts = new QGridLayout;
    for (int level = 1; level <= kPrizeLevels; ++level) {
        auto* label = new QLabel(frame);
        label->setObjectName(u"Label1_%1"_s.arg(level));
        m_levels.append(label);
        counts->addWidget(label, (level - 1) / 3, (level - 1) % 3);
    }
    m_prize = new QLabel(frame);
    m_prize->setObjectName(u"Label2"_s);
    m_cost = new QLabel(frame);
    m_cost->setObjectName(u"Label3"_s);
    m_winners = new QTableWidget(0, 3, frame);
    m_winners->setObjectName(u"Grid1"_s);
    m_winners->setHorizontalHeaderLabels({u"中奖号码"_s, u"奖级"_s, u"文件行号"_s});
    m_winners->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_winners->verticalHeader()->setDefaultSectionSize(20);
    m_winners->horizontalHeader()->setStretchLastSection(true);
    m_winners->setColumnWidth(0, 200);

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(counts);
    layout->addWidget(m_prize);
    layout->addWidget(m_cost);
    layout->addWidget(m_winners, 1);
    showReport(PrizeReport{});
    return frame;
}

void PrizeCheckWindow::chooseFile() {
    const QString path =
        prompter().openFileName(this, u"选择号码文件"_s, u"号码文件 (*.txt);;所有文件 (*)"_s);
    if (path.isEmpty())
        return;
    m_path->setText(path);
    m_fromFile->setChecked(true);
}

void PrizeCheckWindow::takeBlueResult() {
    takeBlueWindowResult(m_blueResult, m_blues, this);
}

void PrizeCheckWindow::check() {
    if (isChecking())
        return;
    const auto refuse = [this](const QString& why) {
        prompter().message(this, why, Prompter::Icon::Warning);
    };
    if (!m_drawsError.isEmpty()) {
        refuse(m_drawsError);
        return;
    }
    QString error;
    const int chosen = m_issue->currentIndex();
    const std::optional<StoredDraw> draw = choosePrizeDraw(
        m_draws, chosen < 0 ? std::nullopt : std::optional(m_draws[std::size_t(chosen)].issue),
        &error);
    if (!draw) {
        refuse(error);
        return;
    }
    const std::optional<BlueList> blues = parseBlueList(m_blues->text(), &error);
    if (!blues) {
        refuse(error);
        return;
    }
    // The saved results are read here, on the window's connection; a file on the worker.
    std::vector<TicketLine> saved;
    const QString path = m_fromSaved->isChecked() ? QString() : m_path->text().trimmed();
    if (m_fromSaved->isChecked()) {
        std::optional<std::vector<TicketLine>> lines = savedResultLines(m_db.connection(), &error);
        if (!lines) {
            refuse(error);
            return;
        }
        saved = std::move(*lines);
    } else if (path.isEmpty()) {
        refuse(u"请先选择号码文件"_s);
        return;
    }
    m_job.start(
        [path, saved = std::move(saved), blues = *blues, draw = *draw](JobControl& control) {
            Checked checked;
            std::optional<std::vector<TicketLine>> read;
            if (!path.isEmpty()) {
                read = readTicketFile(path, &checked.refusal);
                if (!read)
                    return checked;
            }
            checked.report = checkTickets(read ? *read : saved, blues, draw,
                                          [&control](qint64 done, qint64 total) {
                                              control.setProgress(done, total);
                                              return !control.cancelled();
                                          });
            return checked;
        },
        [this](const JobOutcome<Checked>& outcome) { checkEnded(outcome); });
    m_progress->setValue(0);
    setChecking(true);
}

void PrizeCheckWindow::cancelCheck() {
    m_job.cancel();
}

void PrizeCheckWindow::checkEnded(const JobOutcome<Checked>& outcome) {
    setChecking(false);
    const PrizeReport* report =
        outcome.value && outcome.value->report ? &*outcome.value->report : nullptr;
    if (outcome.cancelled || (report && report->cancelled)) {
        m_progress->setValue(0);
        showReport(PrizeReport{});
        m_cost->setText(u"查询已取消"_s);
    } else if (report) {
        m_progress->setValue(100);
        showReport(*report);
    } else {
        m_progress->setValue(0);
        prompter().message(this, outcome.value ? outcome.value->refusal : outcome.failure,
                           Prompter::Icon::Warning);
    }
    Q_EMIT finished();
}

void PrizeCheckWindow::setChecking(bool checking) {
    m_issue->setEnabled(!checking);
    m_source->setEnabled(!checking);
    m_check->setEnabled(!checking);
    m_cancel->setEnabled(checking);
}

void PrizeCheckWindow::showReport(const PrizeReport& report) {
    for (int level = 1; level <= kPrizeLevels; ++level) {
        const int prize = fixedPrize(level);
        m_levels[level - 1]->setText(
            u"%1：%2注"_s.arg(prizeLevelName(level)).arg(report.counts[level]) +
            (prize > 0 ? u"（%1元）"_s.arg(prize) : u"（浮动）"_s));
    }
    m_prize->setText(
        u"固定奖金合计：%1元（一等奖、二等奖为浮动奖金，未计入）"_s.arg(report.fixedTotal));
    m_cost->setText(
        u"投注：%1注，%2元"_s.arg(report.tickets).arg(report.cost()) +
        (report.winnersCut ? u"；下表只列出前%1注中奖号码"_s.arg(kMaxListedWinners) : QString()));
    m_winners->setRowCount(static_cast<int>(report.winners.size()));
    for (int row = 0; row < report.winners.size(); ++row) {
        const Winner& w = report.winners[row];
        m_winners->setItem(row, 0, new QTableWidgetItem(w.ticket));
        m_winners->setItem(row, 1, new QTableWidgetItem(prizeLevelName(w.level)));
        m_winners->setItem(
            row, 2,
            new QTableWidgetItem(w.lineNumber > 0 ? QString::number(w.lineNumber) : QString()));
    }
}

} // namespace ssq

#include "tickets/widgets/wheel_window.h"

#include "tickets/ticket_export.h"
#include "tickets/ticket_line.h"
#include "tickets/widgets/blue_window_result.h"
#include "ui/prompter.h"
#include "ui/widgets/named_widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

QString redsText(const std::vector<int>& reds) {
    QStringList parts;
    for (int red : reds)
        parts << u"%1"_s.arg(red, 2, 10, QLatin1Char('0'));
    return parts.join(u' ');
}

} // namespace

WheelWindow::WheelWindow(ResultSource current, BlueResult blues, QWidget* parent)
    : QWidget(parent), m_current(std::move(current)), m_blueResult(std::move(blues)) {
    setObjectName(u"FormXZJZ"_s);
    setWindowTitle(u"旋转矩阵与缩水"_s);
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(u"ProgressBar1"_s);
    m_progress->setRange(0, 1000);
    m_progress->setTextVisible(false);
    m_cancel = namedButton(u"Command3"_s, u"取消"_s, this);
    m_cancel->setEnabled(false);
    auto* exit = namedButton(u"Command6"_s, u"退出"_s, this);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_cancel);
    progressRow->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildPoolFrame());
    layout->addWidget(buildKeptFrame());
    layout->addLayout(progressRow);
    layout->addWidget(buildTicketFrame(), 1);
    resize(640, 720);

    m_poll = new QTimer(this);
    m_poll->setInterval(100);
    connect(m_poll, &QTimer::timeout, this, [this] { m_progress->setValue(m_permille.load()); });
    connect(m_cancel, &QPushButton::clicked, this, &WheelWindow::cancel);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    showCost();
}

WheelWindow::~WheelWindow() {
    if (m_worker) {
        m_cancelled = true;
        m_worker->wait();
        delete m_worker;
    }
}

void WheelWindow::showEvent(QShowEvent* event) {
    showKeptCount();
    QWidget::showEvent(event);
}

void WheelWindow::showKeptCount() {
    m_keptCount->setText(u"当前选号结果共有%1注"_s.arg(m_current().count()));
}

QWidget* WheelWindow::buildPoolFrame() {
    auto* frame = new QGroupBox(u"旋转矩阵：号码池（7到20个红球）"_s, this);
    frame->setObjectName(u"Frame1"_s);
    auto* numbers = new QGridLayout;
    numbers->setSpacing(2);
    for (int red = 1; red <= kRedMax; ++red) {
        auto* box = new QPushButton(u"%1"_s.arg(red, 2, 10, QLatin1Char('0')), frame);
        box->setObjectName(u"Check1_%1"_s.arg(red));
        box->setCheckable(true);
        box->setFixedWidth(34);
        connect(box, &QPushButton::toggled, this, &WheelWindow::poolBoxToggled);
        numbers->addWidget(box, (red - 1) / 11, (red - 1) % 11);
        m_numbers.append(box);
        m_inputs.append(box);
    }
    m_pool = new QLineEdit(frame);
    m_pool->setObjectName(u"Text1"_s);
    m_pool->setPlaceholderText(u"点选上面的号码，或输入，如 01 05 12 20 27 33 08"_s);
    connect(m_pool, &QLineEdit::textEdited, this, &WheelWindow::poolTextEdited);
    m_bankers = new QLineEdit(frame);
    m_bankers->setObjectName(u"Text2"_s);
    m_bankers->setPlaceholderText(u"可不填，最多5个，须在号码池中"_s);
    m_guarantee = new QComboBox(frame);
    m_guarantee->setObjectName(u"Combo1"_s);
    for (Guarantee g : offeredGuarantees())
        m_guarantee->addItem(guaranteeText(g));
    m_guarantee->setCurrentIndex(1); // 中6保5
    m_seed = new QSpinBox(frame);
    m_seed->setObjectName(u"Spin1"_s);
    m_seed->setRange(0, 999999);
    m_seed->setValue(static_cast<int>(kDefaultCoverSeed));
    auto* go = namedButton(u"Command1"_s, u"生成旋转矩阵"_s, frame);
    connect(go, &QPushButton::clicked, this, &WheelWindow::buildPoolWheel);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(u"号码池："_s, frame), 0, 0);
    fields->addWidget(m_pool, 0, 1, 1, 5);
    fields->addWidget(new QLabel(u"胆码："_s, frame), 1, 0);
    fields->addWidget(m_bankers, 1, 1, 1, 5);
    fields->addWidget(new QLabel(u"保号："_s, frame), 2, 0);
    fields->addWidget(m_guarantee, 2, 1);
    fields->addWidget(new QLabel(u"种子："_s, frame), 2, 2);
    fields->addWidget(m_seed, 2, 3);
    fields->setColumnStretch(4, 1);
    fields->addWidget(go, 2, 5);
    auto* note = new QLabel(u"中m保g：开出的红球中有m个在号码池中（胆码都开出）时，至少有一注"
                            u"含其中g个。"_s,
                            frame);
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(numbers);
    layout->addLayout(fields);
    layout->addWidget(note);
    m_inputs.append({m_pool, m_bankers, m_guarantee, m_seed, go});
    return frame;
}

QWidget* WheelWindow::buildKeptFrame() {
    auto* frame = new QGroupBox(u"缩水保号：当前选号结果"_s, this);
    frame->setObjectName(u"Frame2"_s);
    m_keptCount = new QLabel(frame);
    m_keptCount->setObjectName(u"Label4"_s);
    m_keep = new QComboBox(frame);
    m_keep->setObjectName(u"Combo2"_s);
    m_keep->addItem(u"保5个红球"_s, 5);
    m_keep->addItem(u"保4个红球"_s, 4);
    auto* go = namedButton(u"Command2"_s, u"缩水保号"_s, frame);
    connect(go, &QPushButton::clicked, this, &WheelWindow::coverKeptSet);
    auto* row = new QHBoxLayout(frame);
    row->addWidget(m_keptCount);
    row->addStretch(1);
    row->addWidget(m_keep);
    row->addWidget(go);
    m_inputs.append({m_keep, go});
    return frame;
}

QWidget* WheelWindow::buildTicketFrame() {
    auto* frame = new QGroupBox(u"号码"_s, this);
    frame->setObjectName(u"Frame3"_s);
    m_count = new QLabel(frame);
    m_count->setObjectName(u"Label1"_s);
    m_verification = new QLabel(frame);
    m_verification->setObjectName(u"Label3"_s);
    m_verification->setWordWrap(true);
    m_list = new QPlainTextEdit(frame);
    m_list->setObjectName(u"List1"_s);
    m_list->setReadOnly(true);
    m_blues = new QLineEdit(blueListText(currentBlues(m_blueResult)), frame);
    m_blues->setObjectName(u"Text3"_s);
    m_blues->setPlaceholderText(u"例如 08 12，可不填"_s);
    connect(m_blues, &QLineEdit::textChanged, this, &WheelWindow::showCost);
    auto* take = namedButton(u"Command4"_s, u"取蓝球选号结果"_s, frame);
    connect(take, &QPushButton::clicked, this, &WheelWindow::takeBlueResult);
    m_cost = new QLabel(frame);
    m_cost->setObjectName(u"Label2"_s);
    m_setResult = namedButton(u"Command5"_s, u"设为当前结果"_s, frame);
    m_setResult->setEnabled(false);
    connect(m_setResult, &QPushButton::clicked, this, &WheelWindow::setAsResult);

    auto* blueRow = new QHBoxLayout;
    blueRow->addWidget(new QLabel(u"蓝球号码："_s, frame));
    blueRow->addWidget(m_blues, 1);
    blueRow->addWidget(take);
    auto* costRow = new QHBoxLayout;
    costRow->addWidget(m_cost, 1);
    costRow->addWidget(m_setResult);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(m_count);
    layout->addWidget(m_verification);
    layout->addWidget(m_list, 1);
    layout->addLayout(blueRow);
    layout->addLayout(costRow);
    m_inputs.append({m_blues, take});
    return frame;
}

void WheelWindow::poolBoxToggled() {
    std::vector<int> pool;
    for (int red = 1; red <= kRedMax; ++red)
        if (m_numbers[red - 1]->isChecked())
            pool.push_back(red);
    m_pool->setText(redsText(pool));
}

// Typed numbers tick their boxes; what is not a red number is left for the check at the start.
void WheelWindow::poolTextEdited() {
    QString error;
    const std::optional<std::vector<int>> pool = parseRedList(m_pool->text(), &error);
    if (!pool)
        return;
    for (int red = 1; red <= kRedMax; ++red) {
        QSignalBlocker quiet(m_numbers[red - 1]);
        m_numbers[red - 1]->setChecked(std::find(pool->begin(), pool->end(), red) != pool->end());
    }
}

void WheelWindow::buildPoolWheel() {
    QString error;
    const std::optional<std::vector<int>> pool = parseRedList(m_pool->text(), &error);
    const std::optional<std::vector<int>> bankers =
        pool ? parseRedList(m_bankers->text(), &error) : std::nullopt;
    if (!bankers) {
        prompter().message(this, error, Prompter::Icon::Warning);
        return;
    }
    const WheelRequest request{*pool, *bankers,
                               offeredGuarantees()[std::max(0, m_guarantee->currentIndex())]};
    if (const std::optional<QString> refusal = wheelRefusal(request)) {
        prompter().message(this, *refusal, Prompter::Icon::Warning);
        return;
    }
    const std::uint64_t seed = static_cast<std::uint64_t>(m_seed->value());
    start([request,
           seed](const CoverProgress& progress) { return buildWheel(request, seed, progress); },
          u"旋转矩阵%1（号码池%2个%3）"_s.arg(guaranteeText(request.guarantee))
              .arg(request.pool.size())
              .arg(request.bankers.empty() ? QString()
                                           : u"，胆码%1个"_s.arg(request.bankers.size())));
}

void WheelWindow::coverKeptSet() {
    const int keep = m_keep->currentData().toInt();
    const SelectionResult kept = m_current();
    showKeptCount();
    if (const std::optional<QString> refusal = keptCoverRefusal(kept.codes.size(), keep)) {
        prompter().message(this, *refusal, Prompter::Icon::Warning);
        return;
    }
    const std::uint64_t seed = static_cast<std::uint64_t>(m_seed->value());
    start(
        [codes = kept.codes, keep, seed](const CoverProgress& progress) {
            return ssq::coverKeptSet(codes, keep, seed, progress);
        },
        u"缩水保号：%1注保留号码保%2个红球"_s.arg(kept.count()).arg(keep));
}

void WheelWindow::start(const std::function<TicketCover(const CoverProgress&)>& work,
                        const QString& describe) {
    if (m_worker)
        return;
    m_describing = describe;
    m_permille = 0;
    m_cancelled = false;
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    setRunning(true);
    m_worker = QThread::create([this, work] {
        m_found = work([this](int permille) {
            m_permille = permille;
            return !m_cancelled.load();
        });
    });
    connect(m_worker, &QThread::finished, this, &WheelWindow::finish);
    m_worker->start();
    m_poll->start();
}

void WheelWindow::cancel() {
    m_cancelled = true;
}

void WheelWindow::finish() {
    m_poll->stop();
    m_worker->deleteLater();
    m_worker = nullptr;
    setRunning(false);
    const TicketCover found = std::move(m_found);
    m_found = {};
    if (found.cancelled) {
        // The tickets shown before, if any, stay as they were.
        m_progress->setValue(0);
        m_progress->setFormat(u"已取消"_s);
        m_progress->setTextVisible(true);
        m_setResult->setEnabled(m_shown && m_shown->verified());
        Q_EMIT searchEnded();
        return;
    }
    m_progress->setValue(1000);
    QStringList lines;
    for (const RedCombo& ticket : found.tickets)
        lines << singleTicketText(ticket, 0);
    m_list->setPlainText(lines.join(u'\n'));
    m_count->setText(u"%1：共%2注"_s.arg(m_describing).arg(found.tickets.size()));
    // A check that failed is shown as what it is and the tickets cannot be taken on.
    m_verification->setText(found.check.line);
    m_verification->setStyleSheet(found.verified() ? u"color: #006400;"_s
                                                   : u"color: #b00000; font-weight: bold;"_s);
    m_shownLine = u"%1，%2注，已逐一验证"_s.arg(m_describing).arg(found.tickets.size());
    m_shown = found;
    m_setResult->setEnabled(found.verified());
    showCost();
    Q_EMIT searchEnded();
}

void WheelWindow::showCost() {
    QString error;
    const std::optional<BlueList> blues = parseBlueList(m_blues->text(), &error);
    if (!blues) {
        m_cost->setText(error);
        return;
    }
    SelectionResult tickets;
    if (m_shown)
        for (const RedCombo& ticket : m_shown->tickets)
            tickets.codes.push_back(redCode(ticket));
    m_cost->setText(exportSummary(exportTicketCount(tickets, *blues)));
}

void WheelWindow::setRunning(bool running) {
    for (QWidget* input : m_inputs)
        input->setEnabled(!running);
    m_cancel->setEnabled(running);
    if (running)
        m_setResult->setEnabled(false);
}

void WheelWindow::takeBlueResult() {
    takeBlueWindowResult(m_blueResult, m_blues, this);
}

void WheelWindow::setAsResult() {
    if (!m_shown || !m_shown->verified())
        return;
    SelectionResult tickets;
    tickets.walked = true;
    for (const RedCombo& ticket : m_shown->tickets)
        tickets.codes.push_back(redCode(ticket));
    Q_EMIT resultChosen(tickets, m_shownLine);
    prompter().message(this,
                       u"这%1注号码已设为当前选号结果，可以显示、保存、打印、导出和查询中奖"_s.arg(
                           tickets.count()));
}

} // namespace ssq

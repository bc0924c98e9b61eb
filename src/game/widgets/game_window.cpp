#include "game/widgets/game_window.h"

#include "game/fast_random.h"
#include "game/game_pick.h"
#include "game/game_texts.h"
#include "model/leading_number_text.h"
#include "ui/prompter.h"
#include "ui/widgets/named_widgets.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// &HC0FFFF on &HFF0000 for a win, &HFFFFFF on &HFF for a loss (the window system's BGR values).
void setRowColours(QLineEdit* box, bool win) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, win ? QColor(0xFF, 0xFF, 0xC0) : QColor(Qt::white));
    palette.setColor(QPalette::Text, win ? QColor(Qt::blue) : QColor(Qt::red));
    box->setPalette(palette);
}

QLabel* namedLabel(const QString& name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

QLabel* title(const QString& name, const QString& caption, QWidget* parent) {
    QLabel* label = namedLabel(name, caption, parent);
    label->setStyleSheet(u"font-size: 18px; font-weight: bold; color: #c00000;"_s);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

GameWindow::GameWindow(std::unique_ptr<RandomSource> source, QWidget* parent)
    : QWidget(parent), m_source(std::move(source)) {
    if (!m_source)
        m_source = std::make_unique<FastRandom>(FastRandom::systemSeed());
    setObjectName(u"Form5"_s);
    setWindowTitle(u"娱乐"_s);

    for (int i = 1; i <= 20; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(u"Text%1"_s.arg(i));
        m_text[i] = box;
        if (i <= 15) {
            box->setFixedWidth(38);
            box->setAlignment(Qt::AlignCenter);
        }
        if (i <= 8)
            box->setMaxLength(2);
        else if (i <= 17 || i == 20)
            box->setReadOnly(true);
    }
    m_text[18]->setMaxLength(1);
    m_text[19]->setMaxLength(1);
    m_text[18]->setFixedWidth(30);
    m_text[19]->setFixedWidth(30);

    const auto ballRow = [this](QLabel* label, int first, int last) {
        auto* row = new QHBoxLayout;
        row->addWidget(label);
        for (int i = first; i < last; ++i)
            row->addWidget(m_text[i]);
        row->addWidget(namedLabel(u"Label2"_s, u"＋"_s, this));
        row->addWidget(m_text[last]);
        row->addStretch(1);
        return row;
    };
    const auto textRow = [this](QLabel* label, QLineEdit* box) {
        auto* row = new QHBoxLayout;
        label->setFixedWidth(100);
        row->addWidget(label);
        row->addWidget(box, 1);
        return row;
    };
    const auto buttonRow = [this](const QList<std::pair<QString, QString>>& buttons) {
        auto* row = new QHBoxLayout;
        row->addWidget(namedLabel(u"Label6"_s, u"功能按钮："_s, this));
        QList<QPushButton*> made;
        for (const auto& [name, caption] : buttons) {
            QPushButton* button = addNamedButton(row, name, caption, this);
            m_gameButtons.append(button);
            made.append(button);
        }
        row->addStretch(1);
        return std::pair{row, made};
    };

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title(u"Label8"_s, u"双色球7复式随机选号"_s, this));
    auto* pickLabel = namedLabel(u"Label1"_s, u"7复式随机号码："_s, this);
    auto* drawLabel = namedLabel(u"Label3"_s, u"随机开奖号码："_s, this);
    pickLabel->setFixedWidth(100);
    drawLabel->setFixedWidth(100);
    layout->addLayout(ballRow(pickLabel, 1, 8));
    layout->addLayout(ballRow(drawLabel, 9, 15));
    layout->addLayout(textRow(namedLabel(u"Label5"_s, u"选中号码："_s, this), m_text[16]));
    layout->addLayout(textRow(namedLabel(u"Label4"_s, u"中奖等级："_s, this), m_text[17]));
    const auto [firstRow, first] = buttonRow({{u"Command3"_s, u"数据清零"_s},
                                              {u"Command11"_s, u"随机选号"_s},
                                              {u"Command2"_s, u"随机开奖"_s},
                                              {u"Command5"_s, u"帮助"_s}});
    layout->addLayout(firstRow);
    layout->addSpacing(16);

    layout->addWidget(title(u"Label9"_s, u"双色球设定中奖等级开奖游戏"_s, this));
    auto* targets = new QHBoxLayout;
    targets->addWidget(namedLabel(u"Label10"_s, u"设置中奖条件:"_s, this));
    targets->addWidget(namedLabel(u"Label11"_s, u"红球数"_s, this));
    targets->addWidget(m_text[18]);
    targets->addWidget(namedLabel(u"Label12"_s, u"蓝球数"_s, this));
    targets->addWidget(m_text[19]);
    targets->addStretch(1);
    layout->addLayout(targets);
    layout->addLayout(textRow(namedLabel(u"Label13"_s, u"游戏统计:"_s, this), m_text[20]));
    const auto [secondRow, second] = buttonRow({{u"Command6"_s, u"数据清零"_s},
                                                {u"Command10"_s, u"机选"_s},
                                                {u"Command7"_s, u"自动开奖"_s},
                                                {u"Command8"_s, u"帮助"_s}});
    m_stop = addNamedButton(secondRow, u"Command12"_s, u"停止摇奖"_s, this);
    m_stop->setEnabled(false);
    layout->addLayout(secondRow);
    setMinimumWidth(560);

    connect(first[0], &QPushButton::clicked, this, &GameWindow::resetFirstGame);
    connect(first[1], &QPushButton::clicked, this, &GameWindow::pickAtRandom);
    connect(first[2], &QPushButton::clicked, this, &GameWindow::drawOnce);
    connect(first[3], &QPushButton::clicked, this, &GameWindow::showFirstHelp);
    connect(second[0], &QPushButton::clicked, this, &GameWindow::resetSecondGame);
    connect(second[1], &QPushButton::clicked, this, &GameWindow::pickAtRandom);
    connect(second[2], &QPushButton::clicked, this, &GameWindow::startRepeatedDraw);
    connect(second[3], &QPushButton::clicked, this, &GameWindow::showSecondHelp);
    connect(m_stop, &QPushButton::clicked, this, &GameWindow::stopRepeatedDraw);

    connect(&m_job, &BackgroundJob::progressChanged, this,
            [this](qint64 draws) { m_text[20]->setText(drawingText(draws)); });
}

std::array<double, 8> GameWindow::pickValues() const {
    std::array<double, 8> values{};
    for (int i = 0; i < 8; ++i)
        values[i] = numberOf(m_text[1 + i]->text());
    return values;
}

void GameWindow::pickAtRandom() {
    const GamePick pick = randomPick(*m_source);
    for (int i = 0; i < 7; ++i)
        m_text[1 + i]->setText(QString::number(pick.reds[i]));
    m_text[8]->setText(QString::number(pick.blue));
}

void GameWindow::showDraw(const GameDraw& draw) {
    for (int i = 0; i < 6; ++i)
        m_text[9 + i]->setText(QString::number(draw.reds[i]));
    m_text[15]->setText(QString::number(draw.blue));
}

void GameWindow::showPrize(int reds, bool blueHit) {
    m_text[17]->setText(prizeText(reds, blueHit));
    setRowColours(m_text[17], isWinningRow(reds, blueHit));
}

void GameWindow::drawOnce() {
    const PickCheck check = checkPick(pickValues());
    if (check.problem != PickProblem::None) {
        prompter().message(this, pickProblemMessage(check.problem));
        return;
    }
    const GameDraw draw = makeDraw(*m_source);
    const DrawHits hits = hitsOf(draw, check.pick);
    showDraw(draw);
    m_text[16]->setText(singleDrawHitText(draw, hits));
    showPrize(hits.reds, hits.blue);
}

void GameWindow::startRepeatedDraw() {
    if (isDrawing())
        return;
    const RepeatCheck check =
        checkRepeat(pickValues(), numberOf(m_text[18]->text()), numberOf(m_text[19]->text()));
    if (check.problem != PickProblem::None) {
        prompter().message(this, pickProblemMessage(check.problem));
        return;
    }
    m_repeatPick = check.pick;
    // The source is only touched by the worker until it ends: every button that draws is off.
    m_job.start(
        [source = m_source.get(), pick = check.pick, target = check.target](JobControl& control) {
            return repeatUntil(*source, pick, target, control.cancelFlag(), control.doneCounter());
        },
        [this](const JobOutcome<RepeatOutcome>& outcome) { repeatedDrawEnded(outcome); });
    setDrawing(true);
}

void GameWindow::stopRepeatedDraw() {
    m_job.cancel();
}

void GameWindow::repeatedDrawEnded(const JobOutcome<RepeatOutcome>& outcome) {
    setDrawing(false);
    if (!outcome.value) {
        m_text[20]->setText(outcome.failure);
        return;
    }
    const RepeatOutcome& ended = *outcome.value;
    if (!ended.met) {
        m_text[20]->setText(stoppedText(ended.draws));
        return;
    }
    const DrawHits hits = hitsOf(ended.last, m_repeatPick);
    showDraw(ended.last);
    m_text[20]->setText(drawCountText(ended.draws));
    setRowColours(m_text[20], true);
    m_text[16]->setText(repeatedDrawHitText(ended.last, hits));
    showPrize(hits.reds, hits.blue);
}

void GameWindow::setDrawing(bool drawing) {
    for (QPushButton* button : std::as_const(m_gameButtons))
        button->setEnabled(!drawing);
    for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 18, 19})
        m_text[i]->setReadOnly(drawing);
    m_stop->setEnabled(drawing);
    if (drawing)
        m_text[20]->setText(drawingText(0));
}

void GameWindow::resetFirstGame() {
    for (int i = 1; i <= 17; ++i)
        m_text[i]->clear();
}

void GameWindow::resetSecondGame() {
    for (int i = 1; i <= 20; ++i)
        m_text[i]->clear();
}

void GameWindow::showFirstHelp() {
    const QStringList greeting = helpGreeting();
    for (int i = 1; i <= 15; ++i) {
        QPalette palette = m_text[i]->palette();
        palette.setColor(QPalette::Text, Qt::red);
        m_text[i]->setPalette(palette);
        m_text[i]->setText(greeting[i - 1]);
    }
    prompter().message(this, firstGameHelp());
}

void GameWindow::showSecondHelp() {
    prompter().message(this, secondGameHelp());
}

void GameWindow::closeEvent(QCloseEvent* event) {
    if (isDrawing()) {
        m_job.stop();
        setDrawing(false);
    }
    QWidget::closeEvent(event);
}

} // namespace ssq

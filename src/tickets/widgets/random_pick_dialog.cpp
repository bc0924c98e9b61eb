#include "tickets/widgets/random_pick_dialog.h"

#include "model/leading_number_text.h"
#include "tickets/random_pick.h"
#include "tickets/widgets/blue_window_result.h"
#include "ui/prompter.h"
#include "ui/widgets/named_widgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

RandomPickDialog::RandomPickDialog(SelectionResult kept, BlueResult blues, QWidget* parent)
    : QDialog(parent), m_kept(std::move(kept)), m_blueResult(std::move(blues)),
      m_random(std::random_device{}()) {
    setObjectName(u"FormSJXZ"_s);
    setWindowTitle(u"从结果中随机选N注"_s);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* count = new QLabel(
        u"当前选号结果共有%1注，从中随机选出的号码不会重复。"_s.arg(m_kept.count()), this);
    count->setObjectName(u"Label1"_s);
    m_count = new QLineEdit(this);
    m_count->setObjectName(u"Text1"_s);
    m_blues = new QLineEdit(blueListText(currentBlues(m_blueResult)), this);
    m_blues->setObjectName(u"Text2"_s);
    m_blues->setPlaceholderText(u"例如 08 12，可不填"_s);
    auto* take = namedButton(u"Command3"_s, u"取蓝球选号结果"_s, this);

    auto* inputs = new QGridLayout;
    inputs->addWidget(new QLabel(u"要选的注数："_s, this), 0, 0);
    inputs->addWidget(m_count, 0, 1);
    inputs->addWidget(new QLabel(u"蓝球号码："_s, this), 1, 0);
    inputs->addWidget(m_blues, 1, 1);
    inputs->addWidget(take, 1, 2);
    auto* note = new QLabel(u"有多个蓝球时，各注轮流分到每个蓝球。选出的号码替换当前选号结果，"
                            u"可以显示、保存、打印和导出。"_s,
                            this);
    note->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* go = addNamedButton(buttons, u"Command1"_s, u"随机选号"_s, this);
    auto* cancel = addNamedButton(buttons, u"Command2"_s, u"取消"_s, this);
    go->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(count);
    layout->addLayout(inputs);
    layout->addWidget(note);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(take, &QPushButton::clicked, this, &RandomPickDialog::takeBlueResult);
    connect(go, &QPushButton::clicked, this, &RandomPickDialog::pick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void RandomPickDialog::takeBlueResult() {
    takeBlueWindowResult(m_blueResult, m_blues, this);
}

void RandomPickDialog::pick() {
    QString error;
    const std::optional<BlueList> blues = parseBlueList(m_blues->text(), &error);
    std::optional<SelectionResult> tickets;
    if (blues)
        tickets = pickTickets(m_kept, numberOf(m_count->text()), *blues, m_random, &error);
    if (!tickets) {
        prompter().message(this, error, Prompter::Icon::Warning);
        return;
    }
    Q_EMIT picked(*tickets);
    accept();
}

} // namespace ssq

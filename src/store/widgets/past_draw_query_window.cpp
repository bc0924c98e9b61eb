#include "store/widgets/past_draw_query_window.h"

#include "model/leading_number_text.h"
#include "store/database.h"
#include "store/database_decade.h"
#include "store/issue_number.h"
#include "store/past_draw_query.h"
#include "store/shipped_history.h"
#include "store/whole_history_query.h"
#include "store/widgets/draw_grid_view.h"
#include "ui/prompter.h"
#include "ui/widgets/named_widgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr double kGridTwips = 390.0473;

} // namespace

PastDrawQueryWindow::PastDrawQueryWindow(Database& db, QWidget* parent)
    : QWidget(parent), m_db(db) {
    setObjectName(u"Form10"_s);
    setWindowTitle(u"往期开出查询"_s);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"请选择需要查询的6个红球号码："_s, this));
    auto* boxes = new QGridLayout;
    for (int k = 1; k <= 33; ++k) {
        auto* box = new QCheckBox(QString::number(k), this);
        box->setObjectName(u"Check1_%1"_s.arg(k));
        m_boxes[k] = box;
        boxes->addWidget(box, (k - 1) / 11, (k - 1) % 11);
    }
    layout->addLayout(boxes);

    auto* resultRow = new QHBoxLayout;
    resultRow->addWidget(new QLabel(u"查询结果显示："_s, this));
    m_result = new QLineEdit(this);
    m_result->setObjectName(u"Text1"_s);
    m_result->setToolTip(u"格式示例：7002，7表示2007年，002表示第002期"_s);
    resultRow->addWidget(m_result, 1);
    m_issue = new QLineEdit(this);
    m_issue->setObjectName(u"Text2"_s);
    m_issue->setMaximumWidth(90);
    resultRow->addWidget(m_issue);
    layout->addLayout(resultRow);

    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](const QString& name, const QString& caption) {
        return addNamedButton(buttons, name, caption, this);
    };
    connect(addButton(u"Command1"_s, u"开始查询"_s), &QPushButton::clicked, this,
            &PastDrawQueryWindow::runQuery);
    connect(addButton(u"Command7"_s, u"显示数据"_s), &QPushButton::clicked, this,
            &PastDrawQueryWindow::showFound);
    connect(addButton(u"Command2"_s, u"清空选项框"_s), &QPushButton::clicked, this,
            &PastDrawQueryWindow::clearInputs);
    connect(addButton(u"Command6"_s, u"退出操作"_s), &QPushButton::clicked, this, &QWidget::close);
    buttons->addStretch();
    layout->addLayout(buttons);

    m_grid = new DrawGridView(m_db, this);
    layout->addWidget(m_grid, 1);
    resize(760, 560);
}

void PastDrawQueryWindow::runQuery() {
    m_issue->clear();
    QList<int> chosen;
    for (int k = 1; k <= 33; ++k)
        if (m_boxes[k]->isChecked())
            chosen.append(static_cast<int>(numberOf(m_boxes[k]->text())));
    const std::optional<RedCombo> red = pastDrawChoice(chosen);
    if (!red) {
        prompter().message(this, pastDrawChoiceRefusal(), Prompter::Icon::Warning);
        return;
    }

    m_grid->hide();
    QString error;
    // The shipped history older than the database is searched too, and the answer names the
    // draws searched.
    const WholeHistoryAnswer answer =
        queryWholeHistory(m_db.connection(), *red, shippedHistoryPath(), &error);
    m_result->setText(answer.resultText);
    m_issue->setText(answer.issueText);
    m_grid->show();
    m_grid->showQuery(u"select* from kjhm order by 期号 "_s, kGridTwips);
    // At the draw found, else (none, or one older than the database) at the newest ones.
    m_grid->goToDraw(answer.storedIssue ? std::optional<double>(*answer.storedIssue)
                                        : std::nullopt);
    if (!error.isEmpty())
        prompter().message(this, error, Prompter::Icon::Warning);
}

void PastDrawQueryWindow::showFound() {
    // A draw of the shipped history that the database does not hold is told in words.
    const QString shipped =
        shippedDrawText(m_db.connection(), m_issue->text(), shippedHistoryPath());
    if (!shipped.isEmpty()) {
        prompter().message(this, shipped, Prompter::Icon::Information);
        return;
    }
    double issue = numberOf(m_issue->text());
    QString ignored;
    if (const std::optional<int> stored =
            typedIssue(m_issue->text(), databaseDecade(m_db.connection()), &ignored);
        stored && m_issue->text().trimmed().size() == 7)
        issue = *stored;
    if (issue == 0 || !std::isfinite(issue)) {
        prompter().message(this, u"您要查询的号码未曾开出，无法显示数据"_s,
                           Prompter::Icon::Information);
        return;
    }
    m_grid->showQuery(u"select* from kjhm  where 期号 ="_s + QString::number(issue, 'g', 15),
                      kGridTwips);
}

void PastDrawQueryWindow::clearInputs() {
    m_result->clear();
    for (int k = 1; k <= 33; ++k)
        m_boxes[k]->setChecked(false);
}

} // namespace ssq

#include "store/widgets/draw_entry_window.h"

#include "model/leading_number_text.h"
#include "store/database.h"
#include "store/database_decade.h"
#include "store/draw_entry.h"
#include "store/draw_history.h"
#include "store/issue_number.h"
#include "store/widgets/draw_grid_view.h"
#include "store/widgets/update_draws_window.h"
#include "ui/prompter.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr double kNarrowTwips = 390.0473;
constexpr double kWideTwips = 490.0473;

const QString kIssueTip =
    u"格式示例：7002，7表示2007年，002表示第002期；也可以输入七位期号，如2026097"_s;

QString tableQuery(const QString& table) {
    return u"select* from %1 order by 期号 "_s.arg(table);
}

// The draw text and code text of kjzb are wider than the numbers.
DrawGridView::ColumnWidths widthsOf(const QString& table) {
    if (table == u"kjzb"_s)
        return {{1, 2000}, {2, 1350}};
    return {};
}

void tell(QWidget* parent, const QList<EntryMessage>& messages) {
    for (const EntryMessage& m : messages)
        prompter().message(parent, m.text,
                           m.warning ? Prompter::Icon::Warning : Prompter::Icon::Information);
}

} // namespace

DrawEntryWindow::DrawEntryWindow(Database& db, QWidget* parent) : QWidget(parent), m_db(db) {
    setObjectName(u"Form9"_s);
    setWindowTitle(u"添加开奖数据"_s);
    buildLayout();
    resize(1000, 720);
}

void DrawEntryWindow::buildLayout() {
    auto* layout = new QVBoxLayout(this);

    auto* boxes = new QGridLayout;
    boxes->addWidget(new QLabel(u"请选择红球开奖号码："_s, this), 0, 0, 1, 11);
    for (int k = 1; k <= 49; ++k) {
        const bool red = k <= 33;
        auto* box = new QCheckBox(QString::number(red ? k : k - 33), this);
        box->setObjectName(u"Check1_%1"_s.arg(k));
        m_boxes[k] = box;
        if (red)
            boxes->addWidget(box, 1 + (k - 1) / 11, (k - 1) % 11);
        else
            boxes->addWidget(box, 5 + (k - 34) / 8, (k - 34) % 8);
    }
    boxes->addWidget(new QLabel(u"请选择蓝球开奖号码："_s, this), 4, 0, 1, 11);
    layout->addLayout(boxes);

    auto* issueRow = new QHBoxLayout;
    issueRow->addWidget(new QLabel(u"请输入开奖期号(格式示例7002)："_s, this));
    m_issue = new QLineEdit(this);
    m_issue->setObjectName(u"Text1"_s);
    m_issue->setToolTip(kIssueTip);
    m_issue->setMaximumWidth(120);
    issueRow->addWidget(m_issue);
    issueRow->addStretch();
    layout->addLayout(issueRow);

    struct Button {
        int number;
        QString caption;
        void (DrawEntryWindow::*slot)();
    };
    const QList<QList<Button>> rows{
        {{1, u"添加数据"_s, &DrawEntryWindow::addDraw},
         {3, u"自动修改数据"_s, &DrawEntryWindow::modifyDraw},
         {4, u"删除数据"_s, &DrawEntryWindow::deleteDraw},
         {10, u"手动修改数据"_s, &DrawEntryWindow::allowManualEditing},
         {2, u"清空选项框"_s, &DrawEntryWindow::clearInputs},
         {5, u"数据录取说明"_s, &DrawEntryWindow::showEntryRules}},
        {{7, u"显示历史开奖号码"_s, &DrawEntryWindow::showNumbers},
         {8, u"显示历史开奖代码"_s, &DrawEntryWindow::showCodes},
         {9, u"显示历史开奖指标"_s, &DrawEntryWindow::showIndicators},
         {11, u"联网更新开奖数据"_s, &DrawEntryWindow::openUpdateWindow},
         {6, u"退出操作"_s, nullptr}},
    };
    for (const QList<Button>& row : rows) {
        auto* line = new QHBoxLayout;
        for (const Button& b : row) {
            auto* button = new QPushButton(b.caption, this);
            button->setObjectName(u"Command%1"_s.arg(b.number));
            if (b.slot)
                connect(button, &QPushButton::clicked, this, b.slot);
            else
                connect(button, &QPushButton::clicked, this, &QWidget::close);
            line->addWidget(button);
        }
        line->addStretch();
        layout->addLayout(line);
    }

    auto* advice =
        new QLabel(u"最新的开奖数据可以点击“联网更新开奖数据”取得；联网不成功时，可以在开奖网页上"
                   u"复制开奖号码，用主窗口“数据操作”菜单中的“粘贴开奖号码…”保存。如果数据库损坏"
                   u"或因操作失误而无法使用，可以用备份数据库替换它，或者用“导入开奖数据文件”"
                   u"重新导入软件自带的历史开奖数据。"_s,
                   this);
    advice->setObjectName(u"Label2"_s);
    advice->setWordWrap(true);
    layout->addWidget(advice);

    m_grid = new DrawGridView(m_db, this);
    layout->addWidget(m_grid, 1);
}

void DrawEntryWindow::showGridError() {
    prompter().message(this, u"无法读取数据库：%1"_s.arg(m_grid->lastError()),
                       Prompter::Icon::Warning);
}

void DrawEntryWindow::showTable(const QString& table, double defaultTwips,
                                std::optional<double> atIssue) {
    const bool ok = m_manual ? m_grid->showEditable(table, defaultTwips, widthsOf(table))
                             : m_grid->showQuery(tableQuery(table), defaultTwips, widthsOf(table));
    if (!ok)
        showGridError();
    // The player looks at the draw just changed, or at the newest ones.
    m_grid->goToDraw(atIssue);
}

std::optional<DrawInput> DrawEntryWindow::readEntry() {
    QList<int> reds;
    QList<int> blues;
    for (int k = 1; k <= 49; ++k) {
        if (m_boxes[k]->isChecked())
            (k <= 33 ? reds : blues).append(static_cast<int>(numberOf(m_boxes[k]->text())));
    }
    QString message;
    const QString issue = typedIssueText(m_issue->text(), &message);
    std::optional<DrawInput> draw;
    if (message.isEmpty())
        draw = validateEntry(issue, reds, blues, &message);
    if (!draw)
        prompter().message(this, message, Prompter::Icon::Warning);
    return draw;
}

QString DrawEntryWindow::typedIssueText(const QString& text, QString* message) const {
    // Seven digits of the database's decade stand for the stored four characters.
    const std::optional<int> issue = typedIssue(text, databaseDecade(m_db.connection()), message);
    if (issue && text.trimmed().size() == 7)
        return issueText(*issue);
    return text;
}

bool DrawEntryWindow::confirmPlausible(const DrawInput& draw) {
    const int decade = databaseDecade(m_db.connection());
    const bool sevenDigits = m_issue->text().trimmed().size() == 7;
    const std::optional<StoredDraw> newest = newestDraw(m_db.connection());
    const QString question = implausibleIssueQuestion(
        draw.issue, newest ? std::optional<int>(newest->issue) : std::nullopt,
        [&](int issue) { return sevenDigits ? fullIssueText(issue, decade) : issueText(issue); });
    return question.isEmpty() || prompter().question(this, question);
}

void DrawEntryWindow::addDraw() {
    const std::optional<DrawInput> draw = readEntry();
    if (!draw || !confirmPlausible(*draw))
        return;
    const EntryResult result = ssq::addDraw(m_db.connection(), *draw);
    showTable(u"kjzb"_s, kWideTwips, draw->issue);
    tell(this, result.messages);
}

void DrawEntryWindow::modifyDraw() {
    // The grid is hidden while the draw is recomputed and shown again however it ends.
    m_grid->hide();
    const auto showAgain = qScopeGuard([this] { m_grid->show(); });
    const std::optional<DrawInput> draw = readEntry();
    if (!draw)
        return;
    const EntryResult result = ssq::modifyDraw(m_db.connection(), *draw);
    if (result.written) {
        m_grid->show();
        showTable(u"kjhm"_s, kNarrowTwips, draw->issue);
    }
    tell(this, result.messages);
}

void DrawEntryWindow::deleteDraw() {
    const std::optional<QString> answer =
        prompter().input(this, u"请输入需要删除的期号"_s, u"数据删除"_s);
    // Cancelling deletes nothing (not even a draw stored with issue 0).
    if (!answer)
        return;
    QString decadeProblem;
    const QString issue = typedIssueText(*answer, &decadeProblem);
    if (!decadeProblem.isEmpty()) {
        prompter().message(this, decadeProblem + u"没有删除任何数据。"_s, Prompter::Icon::Warning);
        return;
    }
    m_grid->hide();
    // The answer must be a stored issue exactly: "3003.5" is not 3004.
    const EntryResult result = ssq::deleteDraw(m_db.connection(), issue);
    m_grid->show();
    showTable(u"kjhm"_s, kWideTwips, numberOf(issue));
    tell(this, result.messages);
}

void DrawEntryWindow::allowManualEditing() {
    m_manual = true;
    const QString shown = m_grid->shownSource();
    QString table = u"kjhm"_s;
    for (const QString& t : {u"kjhm"_s, u"kjdm"_s, u"kjzb"_s})
        if (shown == t || shown == tableQuery(t))
            table = t;
    showTable(table, kWideTwips);
    prompter().message(
        this,
        u"您现在可以手动修改数据了，即可以进行删除、修改等数据操作，不过，请您注意，如果要进行删除"
        u"操作，"
        u"您必须全部更改上述的三个表(开奖号码\\开奖代码\\开奖指标),使这三个表的数据库记录保持一致，"
        u"否则,数据库在运行时会出错"_s,
        Prompter::Icon::Information);
}

void DrawEntryWindow::clearInputs() {
    m_issue->clear();
    for (int k = 1; k <= 49; ++k)
        m_boxes[k]->setChecked(false);
}

void DrawEntryWindow::showEntryRules() {
    prompter().message(
        this,
        u"说明:第一条记录只录取开奖数据,第1至22条记录不录取冷热值一类的数据(默认为0),"
        u"以后的数据为全记录数据"_s,
        Prompter::Icon::Information);
}

void DrawEntryWindow::showNumbers() {
    showTable(u"kjhm"_s, kWideTwips);
}

void DrawEntryWindow::showCodes() {
    showTable(u"kjdm"_s, kWideTwips);
}

void DrawEntryWindow::showIndicators() {
    showTable(u"kjzb"_s, kWideTwips);
}

void DrawEntryWindow::openUpdateWindow() {
    // Over the window this one belongs to, so it closes with the program's main window.
    UpdateDrawsWindow::open(m_db, parentWidget());
}

} // namespace ssq

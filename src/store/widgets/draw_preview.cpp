#include "store/widgets/draw_preview.h"

#include "store/database.h"
#include "store/database_decade.h"
#include "ui/prompter.h"
#include "ui/widgets/named_widgets.h"

#include <QBrush>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

QString summaryOf(const DrawBatch& batch) {
    if (batch.lines.empty())
        return u"没有找到开奖号码。每一期一行：期号、6个红球号码、蓝球号码。"_s;
    QString text = u"找到%1期，其中新的%2期"_s.arg(batch.lines.size()).arg(batch.newCount);
    if (batch.problems > 0)
        return text + u"；有%1期有误或与数据库中的不同，改正之前不能保存。"_s.arg(batch.problems);
    if (batch.newCount == 0)
        return text + u"，没有需要保存的开奖数据。"_s;
    return text + u"，点“保存新增的开奖号码”即可保存。"_s;
}

} // namespace

DrawPreview::DrawPreview(Database& db, QWidget* parent) : QWidget(parent), m_db(db) {
    m_table = new QTableWidget(0, 4, this);
    m_table->setObjectName(u"Grid1"_s);
    m_table->setHorizontalHeaderLabels({u"期号"_s, u"红球"_s, u"蓝球"_s, u"状态"_s});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->setDefaultSectionSize(20);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(0, 80);
    m_table->setColumnWidth(1, 150);
    m_table->setColumnWidth(2, 50);
    m_summary = new QLabel(this);
    m_summary->setObjectName(u"Label3"_s);
    m_summary->setWordWrap(true);
    m_store = namedButton(u"Command3"_s, u"保存新增的开奖号码"_s, this);
    m_store->setEnabled(false);
    connect(m_store, &QPushButton::clicked, this, &DrawPreview::storeNewDraws);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_summary);
    layout->addWidget(m_store, 0, Qt::AlignLeft);
}

void DrawPreview::clear() {
    m_found.clear();
    m_prizes.clear();
    m_batch = {};
    m_table->setRowCount(0);
    m_summary->clear();
    m_store->setEnabled(false);
}

void DrawPreview::showDraws(const std::vector<SourceDraw>& found,
                            const std::vector<DrawPrizes>& prizes) {
    m_found = found;
    m_prizes = prizes;
    QString error;
    const std::vector<StoredDraw> stored = loadDraws(m_db.connection(), &error);
    if (!error.isEmpty()) {
        clear();
        m_summary->setText(u"无法读取数据库：%1"_s.arg(error));
        return;
    }
    m_batch = checkDraws(found, stored, databaseDecade(m_db.connection()));
    m_batch.prizes = prizes;
    m_table->setRowCount(static_cast<int>(m_batch.lines.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const BatchLine& line = m_batch.lines[static_cast<std::size_t>(row)];
        const QString numbers = batchNumbersText(line);
        const QStringList cells{line.issueText, numbers.section(u'+', 0, 0),
                                numbers.section(u'+', 1), statusText(line)};
        const bool problem =
            line.status == BatchStatus::Wrong || line.status == BatchStatus::Differs;
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (problem)
                item->setForeground(QBrush(Qt::red));
            m_table->setItem(row, column, item);
        }
    }
    m_summary->setText(summaryOf(m_batch));
    m_store->setEnabled(m_batch.problems == 0 && m_batch.newCount > 0);
}

void DrawPreview::storeNewDraws() {
    if (m_batch.problems > 0 || m_batch.newCount == 0)
        return;
    QStringList issues;
    for (const BatchLine& line : m_batch.lines)
        if (line.status == BatchStatus::New)
            issues.append(line.issueText);
    const QString range = issues.size() == 1
                              ? u"第%1期"_s.arg(issues.front())
                              : u"第%1期至第%2期"_s.arg(issues.front(), issues.back());
    if (!prompter().question(
            this,
            u"将把%1共%2期新的开奖数据保存到数据库中，确定吗？"_s.arg(range).arg(issues.size())))
        return;
    const BatchStoreReport report = ssq::storeNewDraws(m_db.connection(), m_batch);
    prompter().message(this, report.message,
                       report.ok ? Prompter::Icon::Information : Prompter::Icon::Warning);
    if (!report.ok)
        return;
    // The statuses become those of the database as it is now.
    showDraws(std::vector<SourceDraw>(m_found), std::vector<DrawPrizes>(m_prizes));
    Q_EMIT stored(report.stored);
}

} // namespace ssq

#include "store/widgets/draw_grid_view.h"

#include "store/database.h"
#include "store/maintenance.h"
#include "store/rowid_table_model.h"
#include "ui/prompter.h"
#include "ui/widgets/grid_widths.h"

#include <QHeaderView>
#include <QShortcut>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

void applyWidths(QTableView& grid, double defaultTwips, const DrawGridView::ColumnWidths& widths) {
    setDefaultColumnWidth(grid, defaultTwips);
    for (const auto& [column, twips] : widths)
        setColumnWidth(grid, column, twips);
    // The widths given are the least a column gets: the issue or a blue number is never cut.
    widenColumnsToContent(grid);
}

void fetchAll(QAbstractItemModel& model) {
    while (model.canFetchMore(QModelIndex()))
        model.fetchMore(QModelIndex());
}

} // namespace

DrawGridView::DrawGridView(Database& db, QWidget* parent) : QTableView(parent), m_db(db) {
    setObjectName(u"DataGrid1"_s);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(20);
    auto* del = new QShortcut(QKeySequence::Delete, this);
    del->setContext(Qt::WidgetShortcut);
    connect(del, &QShortcut::activated, this, &DrawGridView::refuseRowDeletion);
    connect(&databaseSwap(), &DatabaseSwap::aboutToClose, this, &DrawGridView::release);
    connect(&databaseSwap(), &DatabaseSwap::reopened, this, [this] {
        if (m_remake)
            present(m_remake);
    });
}

bool DrawGridView::present(const std::function<bool()>& make) {
    m_remake = make;
    m_shareFrom = -1;
    return make();
}

void DrawGridView::release() {
    setModel(nullptr);
    delete m_model;
    m_model = nullptr;
}

bool DrawGridView::showQuery(const QString& queryText, double defaultTwips,
                             const ColumnWidths& widths) {
    m_source = queryText;
    m_editable = false;
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    return present([this, queryText, defaultTwips, widths] {
        release();
        auto* model = new QSqlQueryModel(this);
        model->setQuery(QSqlQuery(queryText, m_db.connection()));
        fetchAll(*model);
        m_error = model->lastError().isValid() ? storeErrorText(model->lastError()) : QString();
        m_model = model;
        setModel(model);
        applyWidths(*this, defaultTwips, widths);
        return m_error.isEmpty();
    });
}

bool DrawGridView::showEditable(const QString& table, double defaultTwips,
                                const ColumnWidths& widths) {
    m_source = table;
    m_editable = true;
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    return present([this, table, defaultTwips, widths] {
        release();
        auto* model = new RowidTableModel(m_db.connection(), table, this);
        connect(
            model, &RowidTableModel::editRefused, this,
            [this](const QString& message) {
                prompter().message(this, message, Prompter::Icon::Warning);
            },
            Qt::QueuedConnection); // after the editor has closed
        const bool ok = model->select();
        fetchAll(*model);
        m_error = ok ? QString() : storeErrorText(model->lastError());
        m_model = model;
        setModel(model);
        applyWidths(*this, defaultTwips, widths);
        setColumnHidden(model->tableColumnCount(), true); // the rowid
        return ok;
    });
}

void DrawGridView::shareWidthFrom(int firstColumn) {
    m_shareFrom = firstColumn;
    fitColumnsToView(*this, firstColumn);
}

void DrawGridView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    if (m_shareFrom >= 0)
        fitColumnsToView(*this, m_shareFrom);
}

void DrawGridView::goToDraw(std::optional<double> issue) {
    QAbstractItemModel* shown = model();
    if (!shown || shown->rowCount() == 0)
        return;
    int issueColumn = -1;
    for (int c = 0; c < shown->columnCount() && issueColumn < 0; ++c)
        if (shown->headerData(c, Qt::Horizontal).toString() == u"期号"_s)
            issueColumn = c;
    int row = shown->rowCount() - 1;
    if (issueColumn >= 0) {
        int newest = -1, nearest = -1, exact = -1;
        double newestIssue = 0, nearestIssue = 0;
        for (int r = 0; r < shown->rowCount(); ++r) {
            bool ok = false;
            const double value = shown->index(r, issueColumn).data().toDouble(&ok);
            if (!ok)
                continue;
            if (newest < 0 || value > newestIssue) {
                newest = r;
                newestIssue = value;
            }
            if (issue && value == *issue && exact < 0)
                exact = r;
            if (issue && value < *issue && (nearest < 0 || value > nearestIssue)) {
                nearest = r;
                nearestIssue = value;
            }
        }
        row = exact >= 0 ? exact : nearest >= 0 ? nearest : newest >= 0 ? newest : row;
    }
    const QModelIndex index = shown->index(row, std::max(issueColumn, 0));
    setCurrentIndex(index);
    scrollTo(index, QAbstractItemView::PositionAtCenter);
    // Once more when the layout has given the grid its size (a window not yet on screen).
    QTimer::singleShot(0, this, [this, kept = QPersistentModelIndex(index)] {
        if (kept.isValid() && kept.model() == model())
            scrollTo(kept, QAbstractItemView::PositionAtCenter);
    });
}

void DrawGridView::refuseRowDeletion() {
    if (!m_editable)
        return;
    prompter().message(this,
                       u"手动修改只能改动单元格，不能删除整行。要删除一期开奖数据，请点击“删除数据”"
                       u"并输入期号，程序会在一次操作中同时删除三个表中的这一期。"_s,
                       Prompter::Icon::Warning);
}

bool showQueryOrWarn(DrawGridView& grid, QWidget* parent, const QString& queryText,
                     double defaultTwips, const DrawGridView::ColumnWidths& widths) {
    if (grid.showQuery(queryText, defaultTwips, widths))
        return true;
    prompter().message(parent, u"无法读取数据库：%1"_s.arg(grid.lastError()),
                       Prompter::Icon::Warning);
    return false;
}

} // namespace ssq

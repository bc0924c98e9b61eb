#include "store/draw_grid_view.h"

#include "store/database.h"
#include "store/database_swap.h"
#include "store/rowid_table_model.h"
#include "ui/qt_grid_widths.h"

#include <QHeaderView>
#include <QShortcut>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>

#include <algorithm>

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
    connect(del, &QShortcut::activated, this, &DrawGridView::deleteSelectedRows);
    connect(&databaseSwap(), &DatabaseSwap::aboutToClose, this, &DrawGridView::release);
    connect(&databaseSwap(), &DatabaseSwap::reopened, this, [this] {
        if (m_remake)
            present(m_remake);
    });
}

bool DrawGridView::present(const std::function<bool()>& make) {
    m_remake = make;
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
        m_error = model->lastError().isValid() ? model->lastError().text() : QString();
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
        const bool ok = model->select();
        fetchAll(*model);
        m_error = ok ? QString() : model->lastError().text();
        m_model = model;
        setModel(model);
        applyWidths(*this, defaultTwips, widths);
        setColumnHidden(model->tableColumnCount(), true); // the rowid
        return ok;
    });
}

void DrawGridView::deleteSelectedRows() {
    auto* model = qobject_cast<RowidTableModel*>(m_model);
    if (!m_editable || !model)
        return;
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        if (!rows.contains(index.row()))
            rows.append(index.row());
    // From the bottom up, so the rows still to go keep their positions.
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int row : rows)
        model->removeRow(row);
    model->select();
    fetchAll(*model);
}

} // namespace ssq

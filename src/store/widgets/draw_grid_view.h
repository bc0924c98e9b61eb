#pragma once
// DataGrid1 of the draw windows: shows a query of the program's database, read-only or, for
// manual modify, one draw table editable cell by cell. Widths are given in twips. It reads
// every row at once, so no read stays open on the file, and lets go of the file while the
// database is swapped (replace, compact), showing the same query again afterwards.

#include <QTableView>

#include <functional>
#include <optional>
#include <utility>

namespace ssq {

class Database;

class DrawGridView : public QTableView {
    Q_OBJECT
public:
    using ColumnWidths = QList<std::pair<int, double>>; // column, twips

    explicit DrawGridView(Database& db, QWidget* parent = nullptr);

    // Shows the result of `queryText`; false (and an empty grid) when the store fails.
    bool showQuery(const QString& queryText, double defaultTwips, const ColumnWidths& widths = {});
    // Shows `table` in issue order for hand editing: each edit is stored at once. Rows are not
    // deleted here (the Delete key says so): a draw is removed from all three tables by
    // "删除数据", or they drift apart.
    bool showEditable(const QString& table, double defaultTwips, const ColumnWidths& widths = {});

    // Makes the row of draw `issue` current and scrolls it into the middle of the grid: the
    // row itself, else the nearest earlier draw (one just deleted), else the newest draw.
    // Without an issue, or in a grid without a 期号 column, the newest draw (the last row).
    void goToDraw(std::optional<double> issue = std::nullopt);

    // Shares the grid's width among the columns from `firstColumn` on (see fitColumnsToView),
    // now and whenever the grid is resized, until the next query is shown.
    void shareWidthFrom(int firstColumn);

    bool isEditable() const { return m_editable; }
    // The query text or table name last shown.
    QString shownSource() const { return m_source; }
    QString lastError() const { return m_error; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool present(const std::function<bool()>& make);
    void release();
    void refuseRowDeletion();

    Database& m_db;
    QAbstractItemModel* m_model = nullptr;
    std::function<bool()> m_remake;
    bool m_editable = false;
    int m_shareFrom = -1; // -1: every column keeps its width
    QString m_source;
    QString m_error;
};

// Shows the query in grid; when the database cannot be read, says so over `parent` and returns
// false.
bool showQueryOrWarn(DrawGridView& grid, QWidget* parent, const QString& queryText,
                     double defaultTwips, const DrawGridView::ColumnWidths& widths = {});

} // namespace ssq

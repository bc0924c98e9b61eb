#pragma once
// Form4 "历史开奖数据查看": shows any of the three draw tables; changes nothing.

#include <QWidget>

namespace ssq {

class Database;
class DrawGridView;

class HistoryViewerWindow : public QWidget {
    Q_OBJECT
public:
    explicit HistoryViewerWindow(Database& db, QWidget* parent = nullptr);

    DrawGridView* grid() const { return m_grid; }

public Q_SLOTS:
    void showNumbers();    // Command3
    void showCodes();      // Command1
    void showIndicators(); // Command2

private:
    void showTable(const QString& queryText, double defaultTwips, bool indicators);

    Database& m_db;
    DrawGridView* m_grid = nullptr;
};

} // namespace ssq

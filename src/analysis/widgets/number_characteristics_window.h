#pragma once
// Form2 "号码特性分析": the hot/cold statistics of the red numbers with their cold, warm and hot
// lists (top), and the statistics of every pair and of the neighbour pairs (bottom left and
// right) with buttons that show either table sorted.

#include "analysis/pair_statistics.h"

#include <QWidget>

class QLineEdit;

namespace ssq {

class Database;
class DrawGridView;

class NumberCharacteristicsWindow : public QWidget {
    Q_OBJECT
public:
    explicit NumberCharacteristicsWindow(Database& db, QWidget* parent = nullptr);

    DrawGridView* hotColdGrid() const { return m_hotColdGrid; }     // DataGrid1
    DrawGridView* pairGrid() const { return m_pairGrid; }           // DataGrid2
    DrawGridView* neighbourGrid() const { return m_neighbourGrid; } // DataGrid3

public Q_SLOTS:
    void analyseHotCold();  // HQLRTXFX
    void countPairs();      // RTJ
    void countNeighbours(); // LHCQ
    void analyseAll();      // QB

private:
    QWidget* buildHotColdArea();
    QWidget* buildPairArea();
    void showSorted(DrawGridView* grid, const QString& queryText);
    // Counts the pairs of `list` into their table and shows it in `grid`.
    void countInto(PairList list, DrawGridView* grid);

    Database& m_db;
    QLineEdit* m_window = nullptr; // Text1
    QLineEdit* m_cold = nullptr;   // Text2
    QLineEdit* m_warm = nullptr;   // Text3
    QLineEdit* m_hot = nullptr;    // Text4
    DrawGridView* m_hotColdGrid = nullptr;
    DrawGridView* m_pairGrid = nullptr;
    DrawGridView* m_neighbourGrid = nullptr;
};

} // namespace ssq

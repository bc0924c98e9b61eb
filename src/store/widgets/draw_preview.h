#pragma once
// The preview the paste and update windows share: every draw found with its status, a summary,
// and the button that stores the new ones after the player confirms.

#include "store/draw_batch.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace ssq {

class Database;

class DrawPreview : public QWidget {
    Q_OBJECT
public:
    explicit DrawPreview(Database& db, QWidget* parent = nullptr);

    // Checks the draws against the database and shows them.
    void showDraws(const std::vector<SourceDraw>& found, const std::vector<DrawPrizes>& prizes);
    void clear();
    const DrawBatch& batch() const { return m_batch; }

    QTableWidget* table() const { return m_table; }
    QPushButton* storeButton() const { return m_store; }

public Q_SLOTS:
    // Command3 "保存新增的开奖号码".
    void storeNewDraws();

Q_SIGNALS:
    // New draws were stored.
    void stored(int count);

private:
    Database& m_db;
    std::vector<SourceDraw> m_found;
    std::vector<DrawPrizes> m_prizes;
    DrawBatch m_batch;
    QTableWidget* m_table = nullptr; // Grid1
    QLabel* m_summary = nullptr;     // Label3
    QPushButton* m_store = nullptr;  // Command3
};

} // namespace ssq

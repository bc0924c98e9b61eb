#pragma once
// "中奖查询": tickets from a file (one a line, 复式 lines too) or the saved results, checked
// against a stored draw, the newest unless another is chosen. Shows the count of each prize
// level, the fixed prizes, the tickets and their cost, and the winning tickets with their level.

#include "store/draw_history.h"
#include "tickets/widgets/blue_window_result.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace ssq {

class Database;
struct PrizeReport;

class PrizeCheckWindow : public QWidget {
    Q_OBJECT
public:
    // Reads the stored draws once; `blues` gives "取蓝球选号结果" its numbers. Deletes itself
    // when closed.
    PrizeCheckWindow(Database& db, BlueResult blues, QWidget* parent = nullptr);

public Q_SLOTS:
    void chooseFile();     // Command1
    void check();          // Command2
    void takeBlueResult(); // Command4

private:
    QWidget* buildSourceFrame();
    QWidget* buildResultFrame();
    void showReport(const PrizeReport& report);

    Database& m_db;
    BlueResult m_blueResult;
    std::vector<StoredDraw> m_draws; // newest first, as in Combo1
    QComboBox* m_issue = nullptr;
    QRadioButton* m_fromFile = nullptr;
    QRadioButton* m_fromSaved = nullptr;
    QLineEdit* m_path = nullptr;
    QLineEdit* m_blues = nullptr;
    QList<QLabel*> m_levels;
    QLabel* m_prize = nullptr;
    QLabel* m_cost = nullptr;
    QTableWidget* m_winners = nullptr;
};

} // namespace ssq

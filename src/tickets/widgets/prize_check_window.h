#pragma once
// "中奖查询": tickets from a file (one a line, 复式 lines too) or the saved results, checked
// against a stored draw, the newest unless another is chosen. Shows the count of each prize
// level, the fixed prizes, the tickets and their cost, and the winning tickets with their level.
// A large 复式 file is read and checked in the background with a progress bar and a cancel button.

#include "store/draw_history.h"
#include "tickets/widgets/blue_window_result.h"
#include "ui/background_job.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
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

    // From 查询中奖 until the outcome is shown.
    bool isChecking() const { return m_job.isRunning(); }

public Q_SLOTS:
    void chooseFile();     // Command1
    void check();          // Command2
    void takeBlueResult(); // Command4
    void cancelCheck();    // Command5

Q_SIGNALS:
    // A check started by 查询中奖 has ended, whichever way, and the window shows how.
    void finished();

private:
    struct Checked;
    QWidget* buildSourceFrame();
    QWidget* buildResultFrame();
    void showReport(const PrizeReport& report);
    void checkEnded(const JobOutcome<Checked>& outcome);
    void setChecking(bool checking);

    Database& m_db;
    BlueResult m_blueResult;
    std::vector<StoredDraw> m_draws; // newest first, as in Combo1
    QString m_drawsError;            // why the draws could not be read
    QComboBox* m_issue = nullptr;
    QWidget* m_source = nullptr;
    QRadioButton* m_fromFile = nullptr;
    QRadioButton* m_fromSaved = nullptr;
    QLineEdit* m_path = nullptr;
    QLineEdit* m_blues = nullptr;
    QList<QLabel*> m_levels;
    QLabel* m_prize = nullptr;
    QLabel* m_cost = nullptr;
    QTableWidget* m_winners = nullptr;
    QPushButton* m_check = nullptr;
    QPushButton* m_cancel = nullptr;
    QProgressBar* m_progress = nullptr;
    // Last: destroyed first, so a check under way is cancelled and waited for.
    BackgroundJob m_job;
};

} // namespace ssq

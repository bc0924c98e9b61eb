#pragma once
// "旋转矩阵与缩水…": a wheel over a pool of reds the player picks (boxes or typed), with bankers
// and a guarantee, or the cover of the current selection result; shows the tickets, their count,
// their cost with a blue list, and the line of the case-by-case check. The search runs off the
// window's thread with progress and a cancel button. "设为当前结果" hands verified tickets on
// as the selection result.

#include "red/selection_result.h"
#include "tickets/wheel.h"
#include "tickets/widgets/blue_window_result.h"

#include <QWidget>

#include <atomic>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QThread;
class QTimer;

namespace ssq {

class WheelWindow : public QWidget {
    Q_OBJECT
public:
    // The current selection result, read whenever the window needs it.
    using ResultSource = std::function<SelectionResult()>;

    // `blues` gives "取蓝球选号结果" its numbers. Deletes itself when closed.
    WheelWindow(ResultSource current, BlueResult blues, QWidget* parent = nullptr);
    // Cancels a search still running and waits for it.
    ~WheelWindow() override;

    bool busy() const { return m_worker != nullptr; }

public Q_SLOTS:
    void buildPoolWheel(); // Command1
    void coverKeptSet();   // Command2
    void cancel();         // Command3
    void takeBlueResult(); // Command4
    void setAsResult();    // Command5

Q_SIGNALS:
    // Verified tickets to stand as the selection result, with the line that describes them.
    void resultChosen(const ssq::SelectionResult& tickets, const QString& line);
    // A search ended: shown, cancelled or refused.
    void searchEnded();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showKeptCount();
    QWidget* buildPoolFrame();
    QWidget* buildKeptFrame();
    QWidget* buildTicketFrame();
    void poolBoxToggled();
    void poolTextEdited();
    void start(const std::function<TicketCover(const CoverProgress&)>& work,
               const QString& describe);
    void finish();
    void showCost();
    void setRunning(bool running);

    ResultSource m_current;
    BlueResult m_blueResult;
    QLabel* m_keptCount = nullptr;
    QList<QPushButton*> m_numbers; // Check1_1 .. Check1_33
    QLineEdit* m_pool = nullptr;
    QLineEdit* m_bankers = nullptr;
    QComboBox* m_guarantee = nullptr;
    QComboBox* m_keep = nullptr;
    QSpinBox* m_seed = nullptr;
    QLineEdit* m_blues = nullptr;
    QPlainTextEdit* m_list = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_cost = nullptr;
    QLabel* m_verification = nullptr;
    QProgressBar* m_progress = nullptr;
    QList<QWidget*> m_inputs; // disabled while a search runs
    QPushButton* m_cancel = nullptr;
    QPushButton* m_setResult = nullptr;

    QThread* m_worker = nullptr;
    QTimer* m_poll = nullptr;
    std::atomic<int> m_permille{0};
    std::atomic<bool> m_cancelled{false};
    TicketCover m_found;  // written by the worker, read once it has ended
    QString m_describing; // what the running search makes, for the result line
    std::optional<TicketCover> m_shown;
    QString m_shownLine;
};

} // namespace ssq

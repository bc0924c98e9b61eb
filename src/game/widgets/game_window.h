#pragma once
// Form5 "娱乐": two games on one pick of seven reds and a blue. The first draws once and tells
// the hits and prizes; the second draws again and again, on a worker thread with a stop button
// and a live count, until a draw hits the pick exactly as the player asked.

#include "game/game_draw.h"
#include "ui/background_job.h"

#include <QWidget>

#include <array>
#include <memory>

class QLineEdit;
class QPushButton;

namespace ssq {

class RandomSource;

class GameWindow : public QWidget {
    Q_OBJECT
public:
    // How often the count of a repeated draw is refreshed.
    static constexpr int kProgressMs = 100;

    // Without a source the window seeds its own fast generator once from the system.
    explicit GameWindow(std::unique_ptr<RandomSource> source = nullptr, QWidget* parent = nullptr);
    // From the start of a repeated draw until its outcome is on screen.
    bool isDrawing() const { return m_job.isRunning(); }

public Q_SLOTS:
    void pickAtRandom();      // Command11 "随机选号", Command10 "机选"
    void drawOnce();          // Command2 "随机开奖"
    void startRepeatedDraw(); // Command7 "自动开奖"
    void stopRepeatedDraw();  // Command12 "停止摇奖"
    void resetFirstGame();    // Command3 "数据清零"
    void resetSecondGame();   // Command6 "数据清零"
    void showFirstHelp();     // Command5 "帮助"
    void showSecondHelp();    // Command8 "帮助"

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::array<double, 8> pickValues() const;
    void showDraw(const GameDraw& draw);
    void showPrize(int reds, bool blueHit);
    void repeatedDrawEnded(const JobOutcome<RepeatOutcome>& outcome);
    void setDrawing(bool drawing);

    std::unique_ptr<RandomSource> m_source;
    std::array<QLineEdit*, 21> m_text{}; // Text1..Text20
    QList<QPushButton*> m_gameButtons;
    QPushButton* m_stop = nullptr;
    GamePick m_repeatPick;
    // Last: destroyed first, so a repeated draw still under way is stopped and waited for while
    // the source it draws from is still there.
    BackgroundJob m_job{nullptr, kProgressMs};
};

} // namespace ssq

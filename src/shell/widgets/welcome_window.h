#pragma once
// Form7, the window the program starts on: greeting, animation, the screen-size hint, a
// scrolling credit with the caption clock, and the ways into the main window, the screen
// resolution window, the update instructions and the home page.

#include <QWidget>

class QDateTime;
class QLabel;
class QPushButton;
class QTimer;

namespace ssq {

class Database;
class MoviePlayerWidget;

class WelcomeWindow : public QWidget {
    Q_OBJECT
public:
    // Deletes itself when closed.
    explicit WelcomeWindow(Database& db, QWidget* parent = nullptr);

    // Left edge of the credit Label5, in twips.
    int creditLeft() const { return m_creditLeft; }
    void setCreditLeft(int twips);

public Q_SLOTS:
    // One tick of Timer1.
    void tick(const QDateTime& now);
    // Command3: shows the main window and closes this one.
    void enterMainWindow();
    // Command7.
    void openResolutionWindow();
    // Command1 "联网更新开奖数据": the network update window.
    void openUpdateWindow();
    // Command6.
    void openHomePage();

private:
    QWidget* makeCreditLane();

    Database& m_db;
    MoviePlayerWidget* m_player = nullptr;
    QLabel* m_credit = nullptr;
    QTimer* m_timer = nullptr;
    int m_creditLeft = 0;
};

} // namespace ssq

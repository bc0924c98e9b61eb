#pragma once
// Form11 "调整屏幕分辩率": lists the desktop's display modes, switches to the chosen one for
// this session after telling the player, asks them to confirm, and on closing offers to go
// back to the mode that was active when the window opened.

#include "shell/screen_modes.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QPushButton;

namespace ssq {

class ScreenModeWindow : public QWidget {
    Q_OBJECT
public:
    explicit ScreenModeWindow(std::unique_ptr<DisplayModes> desktop, QWidget* parent = nullptr);
    ~ScreenModeWindow() override;

    int openingModeIndex() const { return m_openingIndex; }
    static QString manualInstructions();

public Q_SLOTS:
    void changeMode();     // Command1 "更改屏幕分辩率"
    void showScreenSize(); // Command3 "显示您的电脑当前的屏幕分辩率"

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void loadModes();
    void selectCurrentMode();

    std::unique_ptr<DisplayModes> m_desktop;
    ScreenModes m_modes;
    int m_openingIndex = -1;
    QComboBox* m_list = nullptr;
    QPushButton* m_change = nullptr;
};

// Shows the one screen-resolution window over the desktop's display modes (the welcome window's
// button and the 帮助 menu).
ScreenModeWindow* showScreenModeWindow();

} // namespace ssq

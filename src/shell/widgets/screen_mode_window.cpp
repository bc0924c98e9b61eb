#include "shell/widgets/screen_mode_window.h"

#include "shell/widgets/desktop_display_modes.h"
#include "ui/prompter.h"
#include "ui/widgets/named_widgets.h"
#include "ui/widgets/single_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

ScreenModeWindow::ScreenModeWindow(std::unique_ptr<DisplayModes> desktop, QWidget* parent)
    : QWidget(parent), m_desktop(std::move(desktop)), m_modes(*m_desktop) {
    setObjectName(u"Form11"_s);
    setWindowTitle(u"调整屏幕分辩率"_s);
    setFixedWidth(560);

    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(u"请在下面列表框中选择需要设置的分辩率："_s, this);
    prompt->setObjectName(u"Label1"_s);
    layout->addWidget(prompt);
    m_list = new QComboBox(this);
    m_list->setObjectName(u"Combo1"_s);
    layout->addWidget(m_list);

    auto* buttons = new QHBoxLayout;
    m_change = addNamedButton(buttons, u"Command1"_s, u"更改屏幕分辩率"_s, this);
    QPushButton* done = addNamedButton(buttons, u"Command2"_s, u"确定本次修改并退出"_s, this);
    QPushButton* size =
        addNamedButton(buttons, u"Command3"_s, u"显示您的电脑当前的屏幕分辩率"_s, this);
    layout->addLayout(buttons);

    if (!m_modes.canSwitch()) {
        auto* note = new QLabel(
            u"这个桌面不允许本程序更改屏幕分辩率（例如 Wayland 桌面，或没有 Xrandr 的显示），"
            u"上面只列出能读到的显示模式。请在系统的显示设置中调整分辩率。"_s,
            this);
        note->setObjectName(u"switchUnavailable"_s);
        note->setWordWrap(true);
        note->setStyleSheet(u"color: #c00000;"_s);
        layout->addWidget(note);
        m_change->setEnabled(false);
    }

    auto* manual = new QLabel(manualInstructions(), this);
    manual->setObjectName(u"Label2"_s);
    manual->setWordWrap(true);
    layout->addWidget(manual);

    connect(m_change, &QPushButton::clicked, this, &ScreenModeWindow::changeMode);
    connect(done, &QPushButton::clicked, this, &QWidget::close);
    connect(size, &QPushButton::clicked, this, &ScreenModeWindow::showScreenSize);

    loadModes();
    m_openingIndex = m_modes.currentModeIndex();
}

ScreenModeWindow::~ScreenModeWindow() = default;

ScreenModeWindow* showScreenModeWindow() {
    // A window of its own rather than a child: the welcome window that may ask for it closes
    // when the main window opens.
    static QPointer<ScreenModeWindow> window;
    return showSingleWindow(window, nullptr,
                            [] { return new ScreenModeWindow(makeDesktopDisplayModes()); });
}

QString ScreenModeWindow::manualInstructions() {
    return u"如果修改不成功或修改后仍然不能显示全部程序，请您按下述方法手动修改：                 "
           u"第一步：在桌面（屏"
           u"幕）空白处右键点击  →属性→设置→将“屏幕分辩率”的滑快移到适当位置（1024*768位置）       "
           u"      "
           u"      第二步：点击右边的“高级”按钮→常规→DPI设置→设置为“正常尺寸（96DPI）→确定         "
           u"  "
           u"                                如果字体有变化，那就继续执行第三步：     第三步：在"
           u"桌面（屏幕）空白处右键点击  →属性→外观→字体大小→设置为“正常”      "
           u"如果屏幕图像旋转了方向，请按如下步骤操作"
           u"：桌面空白处点击右键→图形选项→图形属性→旋转→设置为“正常”"_s;
}

void ScreenModeWindow::loadModes() {
    m_list->clear();
    m_list->addItems(m_modes.loadModes());
    if (m_modes.currentModeIndex() < 0)
        prompter().message(this, u"错误：不能读取新设置！"_s, Prompter::Icon::Critical);
    selectCurrentMode();
}

void ScreenModeWindow::selectCurrentMode() {
    m_list->setCurrentIndex(m_modes.currentModeIndex());
}

void ScreenModeWindow::changeMode() {
    const int chosen = m_list->currentIndex();
    if (chosen < 0)
        return; // nothing chosen, nothing to switch to
    prompter().message(this, u"即将更改您的屏幕分辩率"_s, Prompter::Icon::Information);
    const std::optional<DisplayMode> before = m_modes.activeMode();
    if (m_modes.applyMode(chosen)) {
        if (prompter().question(this, u"您的屏幕分辩率更改完成，请确定"_s))
            m_modes.setCurrentModeIndex(chosen);
        else
            m_modes.revertChange(before);
    }
    selectCurrentMode();
}

void ScreenModeWindow::showScreenSize() {
    QSize pixels;
    if (const std::optional<DisplayMode> active = m_modes.activeMode())
        pixels = QSize(active->width, active->height);
    else if (const QScreen* s = screen())
        pixels = s->size() * s->devicePixelRatio();
    prompter().message(this,
                       QString::number(pixels.width()) + u"x"_s + QString::number(pixels.height()));
}

void ScreenModeWindow::closeEvent(QCloseEvent* event) {
    if (m_openingIndex != -1 && m_openingIndex != m_modes.currentModeIndex()) {
        if (!prompter().question(this,
                                 u"本次设置已生效，您想保存本次设置吗?（点“否”恢复上次设置）"_s)) {
            m_modes.applyMode(m_openingIndex);
            m_modes.setCurrentModeIndex(m_openingIndex);
        }
        m_openingIndex = m_modes.currentModeIndex();
    }
    QWidget::closeEvent(event);
}

} // namespace ssq

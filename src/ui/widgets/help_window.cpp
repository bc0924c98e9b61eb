#include "ui/widgets/help_window.h"

#include "ui/widgets/named_widgets.h"
#include "ui/widgets/single_window.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(u"HelpWindow"_s);
    setWindowFlag(Qt::Window);
    setWindowTitle(u"帮助"_s);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(u"helpText"_s);
    // Pages of the help folder open here; addresses on the web go to the desktop's browser.
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        if (link.isRelative() || link.isLocalFile())
            m_browser->setSource(m_browser->source().resolved(link));
        else
            QDesktopServices::openUrl(link);
    });
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::followTitle);

    auto* back = namedButton(u"helpBack"_s, u"后退"_s, this);
    auto* home = namedButton(u"helpHome"_s, u"首页"_s, this);
    auto* close = namedButton(u"helpClose"_s, u"关闭"_s, this);
    back->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(home, &QPushButton::clicked, m_browser, &QTextBrowser::home);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(home);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser, 1);
    resize(760, 600);
}

void HelpWindow::showPage(const QUrl& page) {
    if (page.isLocalFile() && !QFileInfo::exists(page.toLocalFile())) {
        m_browser->setHtml(u"<h2>找不到帮助页</h2><p>帮助文件 %1 不在程序文件夹里，"
                           u"请重新安装本程序。</p>"_s.arg(page.toLocalFile().toHtmlEscaped()));
        setWindowTitle(u"帮助"_s);
        return;
    }
    m_browser->setSource(page);
    followTitle();
}

void HelpWindow::followTitle() {
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? u"帮助"_s : u"帮助 - "_s + title);
}

HelpWindow* showHelpPage(const QUrl& page) {
    static QPointer<HelpWindow> window;
    HelpWindow* shown = showSingleWindow(window, nullptr, [] { return new HelpWindow; });
    shown->showPage(page);
    return shown;
}

} // namespace ssq

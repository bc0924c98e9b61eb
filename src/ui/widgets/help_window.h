#pragma once
// The help pages shown inside the program: a browser over the HTML pages in the program's folder,
// so "软件主页", "文件格式说明" and the 帮助 menu work on a desktop without a web browser.

#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace ssq {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows `page` (a local HTML file); the title follows the page's own title.
    void showPage(const QUrl& page);
    QTextBrowser* browser() const { return m_browser; }

private:
    void followTitle();

    QTextBrowser* m_browser = nullptr;
};

// Shows `page` in the one help window, opening it when none is open.
HelpWindow* showHelpPage(const QUrl& page);

} // namespace ssq

#include "store/widgets/history_viewer_window.h"

#include "store/widgets/draw_grid_view.h"
#include "ui/widgets/named_widgets.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

HistoryViewerWindow::HistoryViewerWindow(Database& db, QWidget* parent)
    : QWidget(parent), m_db(db) {
    setObjectName(u"Form4"_s);
    setWindowTitle(u"历史开奖数据查看"_s);

    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](const QString& name, const QString& caption) {
        return addNamedButton(buttons, name, caption, this);
    };
    connect(addButton(u"Command3"_s, u"显示历史开奖号码"_s), &QPushButton::clicked, this,
            &HistoryViewerWindow::showNumbers);
    connect(addButton(u"Command1"_s, u"显示历史开奖代码"_s), &QPushButton::clicked, this,
            &HistoryViewerWindow::showCodes);
    connect(addButton(u"Command2"_s, u"显示历史开奖指标"_s), &QPushButton::clicked, this,
            &HistoryViewerWindow::showIndicators);
    connect(addButton(u"Command4"_s, u"返回"_s), &QPushButton::clicked, this, &QWidget::close);
    buttons->addStretch();
    layout->addLayout(buttons);

    m_grid = new DrawGridView(m_db, this);
    layout->addWidget(m_grid, 1);
    resize(1000, 640);
}

void HistoryViewerWindow::showTable(const QString& queryText, double defaultTwips,
                                    bool indicators) {
    DrawGridView::ColumnWidths widths;
    if (indicators) {
        widths = {{1, 2000}, {2, 1350}};
        for (int c = 35; c <= 43; ++c) // the nine blue-ball indicators
            widths.append({c, 700});
    }
    if (showQueryOrWarn(*m_grid, this, queryText, defaultTwips, widths))
        m_grid->goToDraw(); // the newest draws are the ones looked at
}

void HistoryViewerWindow::showNumbers() {
    showTable(u"select* from kjhm order by 期号 "_s, 390.0473, false);
}

void HistoryViewerWindow::showCodes() {
    showTable(u"select* from kjdm order by 期号 "_s, 390.0473, false);
}

void HistoryViewerWindow::showIndicators() {
    showTable(u"select* from kjzb order by 期号 "_s, 450, true);
}

} // namespace ssq

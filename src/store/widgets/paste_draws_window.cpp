#include "store/widgets/paste_draws_window.h"

#include "store/draw_source_parser.h"
#include "store/widgets/draw_preview.h"
#include "ui/widgets/named_widgets.h"
#include "ui/widgets/single_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

PasteDrawsWindow::PasteDrawsWindow(Database& db, QWidget* parent) : QWidget(parent) {
    setObjectName(u"FormZTKJ"_s);
    setWindowTitle(u"粘贴开奖号码"_s);

    auto* note = new QLabel(
        u"在开奖网页、表格或消息中选中开奖号码，复制后粘贴到下面。每一期一行：期号（如2026097、"
        u"第2026097期或26097）、6个红球号码和蓝球号码；日期、星期和号码后面的销售额、奖金等"
        u"会被略过。程序只保存数据库中还没有的各期。"_s,
        this);
    note->setObjectName(u"Label1"_s);
    note->setWordWrap(true);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(u"Text1"_s);
    m_text->setPlaceholderText(u"2026097 05 11 17 23 29 33 07"_s);
    m_preview = new DrawPreview(db, this);

    auto* buttons = new QHBoxLayout;
    QPushButton* paste = addNamedButton(buttons, u"Command1"_s, u"从剪贴板粘贴"_s, this);
    QPushButton* clear = addNamedButton(buttons, u"Command2"_s, u"清空"_s, this);
    buttons->addStretch(1);
    QPushButton* exit = addNamedButton(buttons, u"Command4"_s, u"退出操作"_s, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_preview, 2);

    connect(paste, &QPushButton::clicked, this, &PasteDrawsWindow::pasteClipboard);
    connect(clear, &QPushButton::clicked, m_text, &QPlainTextEdit::clear);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_text, &QPlainTextEdit::textChanged, this, &PasteDrawsWindow::findDraws);
    connect(m_preview, &DrawPreview::stored, this, &PasteDrawsWindow::stored);
    findDraws();
    resize(640, 620);
}

PasteDrawsWindow* PasteDrawsWindow::open(Database& db, QWidget* over) {
    static QPointer<PasteDrawsWindow> window;
    return showSingleWindow(window, over, [&db] { return new PasteDrawsWindow(db); });
}

void PasteDrawsWindow::pasteClipboard() {
    m_text->setPlainText(QGuiApplication::clipboard()->text());
}

void PasteDrawsWindow::findDraws() {
    if (m_text->toPlainText().trimmed().isEmpty()) {
        m_preview->clear();
        return;
    }
    m_preview->showDraws(parseDrawSource(m_text->toPlainText()), {});
}

} // namespace ssq

#pragma once
// "粘贴开奖号码": the player pastes text copied from a web page, a table or a message; every draw
// in it is shown with its status, and the new ones are stored after the player confirms.

#include <QWidget>

class QPlainTextEdit;

namespace ssq {

class Database;
class DrawPreview;

class PasteDrawsWindow : public QWidget {
    Q_OBJECT
public:
    explicit PasteDrawsWindow(Database& db, QWidget* parent = nullptr);

    // The one paste window, over `over` when it is made.
    static PasteDrawsWindow* open(Database& db, QWidget* over = nullptr);

    QPlainTextEdit* textBox() const { return m_text; }
    DrawPreview* preview() const { return m_preview; }

public Q_SLOTS:
    void pasteClipboard(); // Command1 "从剪贴板粘贴"
    void findDraws();      // on every change of the text

Q_SIGNALS:
    void stored(int count);

private:
    QPlainTextEdit* m_text = nullptr; // Text1
    DrawPreview* m_preview = nullptr;
};

} // namespace ssq

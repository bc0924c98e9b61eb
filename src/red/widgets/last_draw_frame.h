#pragma once
// Frame1 "上期开奖号输入" of the main window: the last draw's six reds and blue (Text1 1..7),
// its whole code (Text1 8) and code digits (Text1 9..15), with the buttons that fill them.

#include <QGroupBox>

#include <array>

class QLineEdit;
class QPushButton;

namespace ssq {

class Database;

class LastDrawFrame : public QGroupBox {
    Q_OBJECT
public:
    static constexpr int kFirstBox = 1;
    static constexpr int kLastBox = 15;

    explicit LastDrawFrame(Database& db, QWidget* parent = nullptr);

    // Text1 index 1..15.
    QLineEdit* box(int index) const;
    QString text(int index) const;
    void setText(int index, const QString& text);

    std::array<QString, 6> redTexts() const;
    std::array<QString, 7> codeDigitTexts() const;

    // Command3 "AC值查询": the main window runs the query, which its menu offers too.
    QPushButton* acQueryButton() const { return m_acQuery; }

public Q_SLOTS:
    // Command2 "转换为代码：".
    void convertToCode();
    // Command1 "自动输入上期号:".
    void fillNewestDraw();

Q_SIGNALS:
    // The frame read a table with this query; the main window shows it in its grid.
    void recordsOpened(const QString& queryText);

private:
    QLineEdit* makeBox(int index, int width);

    Database& m_db;
    std::array<QLineEdit*, kLastBox + 1> m_boxes{};
    QPushButton* m_autoInput = nullptr;
    QPushButton* m_convert = nullptr;
    QPushButton* m_acQuery = nullptr;
};

} // namespace ssq

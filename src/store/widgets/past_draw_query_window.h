#pragma once
// Form10 "往期开出查询": whether six chosen red numbers were ever drawn, and in which issue;
// then that draw's number row. Changes nothing.

#include <QWidget>

#include <array>

class QCheckBox;
class QLineEdit;

namespace ssq {

class Database;
class DrawGridView;

class PastDrawQueryWindow : public QWidget {
    Q_OBJECT
public:
    explicit PastDrawQueryWindow(Database& db, QWidget* parent = nullptr);

    DrawGridView* grid() const { return m_grid; }

public Q_SLOTS:
    void runQuery();    // Command1 "开始查询"
    void showFound();   // Command7 "显示数据"
    void clearInputs(); // Command2 "清空选项框"

private:
    Database& m_db;
    std::array<QCheckBox*, 34> m_boxes{}; // 1..33
    QLineEdit* m_result = nullptr;        // Text1
    QLineEdit* m_issue = nullptr;         // Text2
    DrawGridView* m_grid = nullptr;
};

} // namespace ssq

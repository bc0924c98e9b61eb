#pragma once
// Form9 "添加开奖数据": the user ticks the six reds and the blue of a draw and types its issue,
// then adds it, recomputes a stored draw (automatic modify), deletes one, edits the tables by
// hand (manual modify) or looks at them.

#include "store/draw_rows.h"

#include <QWidget>

#include <array>
#include <optional>

class QCheckBox;
class QLineEdit;

namespace ssq {

class Database;
class DrawGridView;

class DrawEntryWindow : public QWidget {
    Q_OBJECT
public:
    explicit DrawEntryWindow(Database& db, QWidget* parent = nullptr);

    DrawGridView* grid() const { return m_grid; }

public Q_SLOTS:
    void addDraw();            // Command1
    void clearInputs();        // Command2
    void modifyDraw();         // Command3
    void deleteDraw();         // Command4
    void showEntryRules();     // Command5
    void showNumbers();        // Command7
    void showCodes();          // Command8
    void showIndicators();     // Command9
    void allowManualEditing(); // Command10
    void openUpdateWindow();   // Command11 "联网更新开奖数据"

private:
    void buildLayout();
    // The ticked numbers and the issue, checked; nullopt after telling the user what is wrong.
    std::optional<DrawInput> readEntry();
    // The stored form of a typed issue: seven digits of the database's decade become four; one
    // of another decade sets *message.
    QString typedIssueText(const QString& text, QString* message) const;
    // Asks before storing an issue far ahead of the newest; false when the player says no.
    bool confirmPlausible(const DrawInput& draw);
    // Shows `table` at draw `atIssue` (the newest draw without one).
    void showTable(const QString& table, double defaultTwips,
                   std::optional<double> atIssue = std::nullopt);
    void showGridError();

    Database& m_db;
    std::array<QCheckBox*, 50> m_boxes{}; // 1..33 red, 34..49 blue
    QLineEdit* m_issue = nullptr;         // Text1
    DrawGridView* m_grid = nullptr;       // DataGrid1
    bool m_manual = false;
};

} // namespace ssq

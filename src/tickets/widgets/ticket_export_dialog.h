#pragma once
// "导出选号结果…": every kept combination of the current result as tickets, to a .txt or .csv file
// or, up to 5000 lines, to the clipboard, with an optional blue list (typed, or taken from the
// blue-ball window) that multiplies the tickets. The number of tickets and their cost show
// before anything is written.

#include "red/selection_result.h"
#include "tickets/widgets/blue_window_result.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace ssq {

class TicketExportDialog : public QDialog {
    Q_OBJECT
public:
    // Works on a copy of the result; `blues` gives "取蓝球选号结果" its numbers. Deletes itself
    // when closed.
    TicketExportDialog(SelectionResult result, BlueResult blues, QWidget* parent = nullptr);

public Q_SLOTS:
    void exportToFile();    // Command1
    void copyToClipboard(); // Command2
    void takeBlueResult();  // Command3

private:
    void showSummary();

    SelectionResult m_result;
    BlueResult m_blueResult;
    QLineEdit* m_blues = nullptr;
    QLabel* m_summary = nullptr;
};

} // namespace ssq

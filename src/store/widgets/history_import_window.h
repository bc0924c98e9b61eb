#pragma once
// "导入开奖数据文件": imports a draw history file. The file is read, checked and computed on a
// worker thread with the window's inputs disabled and its progress shown; cancelling leaves the
// database as it was. Writing the result is one short transaction on the program's connection.

#include "store/history_import.h"
#include "ui/background_job.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace ssq {

class Database;

class HistoryImportWindow : public QWidget {
    Q_OBJECT
public:
    explicit HistoryImportWindow(Database& db, QWidget* parent = nullptr);

    // Shows the program's one import window, loading it over `owner` (the window that asks, or
    // nullptr) when it is not loaded yet.
    static HistoryImportWindow* open(Database& db, QWidget* owner);
    // The same, with the history that ships with the program preselected: its file and the
    // first draw of its newest decade. Returns the window, or nullptr when the window is busy.
    static HistoryImportWindow* openWithShippedHistory(Database& db, QWidget* owner);

    bool isRunning() const { return m_job.isRunning(); }

public Q_SLOTS:
    void chooseFile();   // Command1
    void startImport();  // Command2
    void cancelImport(); // Command3
    void openHelpPage(); // Command5
    // Fills in the shipped history unless an import is running; false when it cannot be read
    // (the reason is shown in the window).
    bool presetShippedHistory();

Q_SIGNALS:
    // The import has ended, whichever way; the report says how.
    void finished(const ssq::ImportReport& report);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showProgress(qint64 done, qint64 total);
    void finish(const JobOutcome<ImportPlan>& outcome);
    void setRunning(bool running);

    Database& m_db;
    QLineEdit* m_file = nullptr;        // Text1
    QLineEdit* m_from = nullptr;        // Text2 "从期号"
    QPushButton* m_choose = nullptr;    // Command1
    QPushButton* m_start = nullptr;     // Command2
    QPushButton* m_cancel = nullptr;    // Command3
    QPushButton* m_close = nullptr;     // Command4
    QPushButton* m_help = nullptr;      // Command5
    QProgressBar* m_progress = nullptr; // ProgressBar1
    QLabel* m_status = nullptr;         // Label3
    // Last: destroyed first, so an import still being computed is cancelled and waited for.
    BackgroundJob m_job;
};

} // namespace ssq

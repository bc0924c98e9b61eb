#pragma once
// "联网更新开奖数据": fetches the newest draws from the draw service named in the settings,
// shows them with their statuses like a paste, and stores the new ones after the player
// confirms. The request runs in the background with progress and can be cancelled.

#include <QWidget>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace ssq {

class Database;
class DrawFetcher;
class DrawPreview;
struct FetchOutcome;

class UpdateDrawsWindow : public QWidget {
    Q_OBJECT
public:
    explicit UpdateDrawsWindow(Database& db, QWidget* parent = nullptr);

    // The one update window, over `over` when it is made.
    static UpdateDrawsWindow* open(Database& db, QWidget* over = nullptr);

    DrawPreview* preview() const { return m_preview; }
    bool isRunning() const;

public Q_SLOTS:
    void startUpdate();     // Command1 "开始更新"
    void cancelUpdate();    // Command2 "取消"
    void openPasteWindow(); // Command5 "粘贴开奖号码…"

Q_SIGNALS:
    void stored(int count);
    // The request has ended, whichever way.
    void fetched();

private:
    void finish(const FetchOutcome& outcome);
    void setRunning(bool running);

    Database& m_db;
    DrawFetcher* m_fetcher = nullptr;
    QLineEdit* m_source = nullptr;      // Text1
    QPushButton* m_start = nullptr;     // Command1
    QPushButton* m_cancel = nullptr;    // Command2
    QProgressBar* m_progress = nullptr; // ProgressBar1
    QLabel* m_status = nullptr;         // Label2
    DrawPreview* m_preview = nullptr;
};

} // namespace ssq

#pragma once
// Form8 "选号结果显示与打印": the saved results of hmbc, page by page in a grid, and their
// printing on A4 or B5 paper, with a print preview.

#include "red/result_page.h"
#include "red/saved_results.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ssq {

class Database;
class DrawGridView;
class PagePrinter;

class ResultsWindow : public QWidget {
    Q_OBJECT
public:
    // Reads the saved results from hmbc once; a window opened again must be a new one to read
    // them anew. Deletes itself when closed.
    explicit ResultsWindow(Database& db, QWidget* parent = nullptr);
    ~ResultsWindow() override;

    // Where "打印号码" prints (not owned); nullptr for the system's default printer.
    void setPrinter(PagePrinter* printer) { m_printer = printer; }

    const QStringList& savedResults() const { return m_saved; }
    // Non-empty when hmbc could not be read.
    QString loadError() const { return m_loadError; }

    // The page "打印号码" would print now, from the print frame's inputs.
    PrintPage pageToPrint() const;
    // What "打印号码" prints: that page, or every page from it to the last result when
    // "打印从起始号码到最后一注的全部页" is ticked.
    QList<PrintPage> pagesToPrint() const;

public Q_SLOTS:
    void showFirstPage();     // Command1
    void showNextPage();      // Command3
    void showPreviousPage();  // Command2
    void showAllResults();    // Command5
    void showPageIndicator(); // Label1, also on a click on it
    void printResults();      // Command4
    void previewResults();    // Command7

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildDisplayFrame();
    QWidget* buildPrintFrame();
    void showQuery(const QString& queryText);
    // Asks for the issue when its box is empty; false when the player gave none.
    bool askIssueIfEmpty();

    Database& m_db;
    QStringList m_saved;
    QString m_loadError;
    ResultsPaging m_paging;
    PagePrinter* m_printer = nullptr;
    std::unique_ptr<PagePrinter> m_systemPrinter;

    DrawGridView* m_grid = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_pageIndicator = nullptr;
    QLineEdit* m_issue = nullptr;
    QLineEdit* m_start = nullptr;
    QRadioButton* m_a4 = nullptr;
    QRadioButton* m_b5 = nullptr;
    QCheckBox* m_allPages = nullptr;
};

} // namespace ssq

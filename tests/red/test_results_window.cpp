#include "model/red_code.h"
#include "red/pdf_page_printer.h"
#include "red/results_window.h"
#include "red/saved_results.h"
#include "red/system_page_printer.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

QString resultText(int i) {
    return QString::fromStdString(comboText(comboOfCode(1 + i * 3001)));
}

template <typename T> T* child(QWidget& w, const QString& name) {
    T* c = w.findChild<T*>(name);
    if (!c)
        qWarning("no child %s", qPrintable(name));
    return c;
}

void click(QWidget& w, const QString& name) {
    QTest::mouseClick(child<QWidget>(w, name), Qt::LeftButton);
}

QString cell(QTableView* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
}

QString pdfText(const QString& path) {
    QProcess p;
    p.start(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestResultsWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void showsSavedResultsPageByPage();
    void printsTheChosenPage();
    void tellsWhenNoPrinterIsInstalled();
    void previewOpensAndExitCloses();

private:
    std::unique_ptr<test::TempDatabase> m_db;
    std::unique_ptr<test::ScriptedPrompter> m_prompter;
};

void TestResultsWindow::init() {
    m_db = std::make_unique<test::TempDatabase>();
    QVERIFY2(m_db->isValid(), qPrintable(m_db->error()));
    m_prompter = std::make_unique<test::ScriptedPrompter>();
    QVERIFY(saveResults(m_db->connection(), 320, resultText).saved);
}

void TestResultsWindow::cleanup() {
    m_prompter.reset();
    m_db.reset();
}

void TestResultsWindow::showsSavedResultsPageByPage() {
    ResultsWindow w(m_db->database());
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    w.show();
    QCOMPARE(w.objectName(), u"Form8"_s);
    QCOMPARE(w.windowTitle(), u"选号结果显示与打印"_s);
    QCOMPARE(child<QLabel>(w, u"Label4"_s)->text(), u"(您总共选出了320注号码)"_s);

    auto* grid = child<QTableView>(w, u"DataGrid1"_s);
    QCOMPARE(grid->model()->rowCount(), 65); // every row, the first one included

    auto* indicator = child<QLabel>(w, u"Label1"_s);
    QTest::mouseClick(indicator, Qt::LeftButton);
    QCOMPARE(indicator->text(), u"页次： 0 / 3"_s);

    click(w, u"Command1"_s);
    QCOMPARE(grid->model()->rowCount(), 30);
    QCOMPARE(cell(grid, 0, 0), u"1"_s);
    QCOMPARE(cell(grid, 0, 1), resultText(0));
    QCOMPARE(cell(grid, 29, 5), resultText(149));
    QCOMPARE(indicator->text(), u"页次： 1 / 3"_s);

    click(w, u"Command3"_s);
    QCOMPARE(grid->model()->rowCount(), 30);
    QCOMPARE(cell(grid, 0, 0), u"151"_s);
    QCOMPARE(indicator->text(), u"页次： 2 / 3"_s);
    click(w, u"Command3"_s);
    QCOMPARE(grid->model()->rowCount(), 4);
    QCOMPARE(cell(grid, 3, 5), resultText(319));
    QCOMPARE(indicator->text(), u"页次： 3 / 3"_s);

    click(w, u"Command5"_s);
    QCOMPARE(grid->model()->rowCount(), 65);
    QCOMPARE(grid->columnWidth(1), 2000 / 15);
    QCOMPARE(grid->columnWidth(0), 700 / 15 + 1);
    QVERIFY(m_prompter->messages().isEmpty());
}

void TestResultsWindow::printsTheChosenPage() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PdfPagePrinter printer(dir.filePath(u"print.pdf"_s));
    ResultsWindow w(m_db->database());
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    w.setPrinter(&printer);
    w.show();

    QTest::keyClicks(child<QLineEdit>(w, u"Text2"_s), u"7018"_s);
    auto* start = child<QLineEdit>(w, u"Text1"_s);
    start->clear();
    QTest::keyClicks(start, u"151"_s);
    QVERIFY(child<QRadioButton>(w, u"Option2"_s)->isChecked()); // A4 until B5 is chosen
    click(w, u"Option1"_s);
    click(w, u"Command4"_s);
    QVERIFY2(m_prompter->messages().isEmpty(), qPrintable(m_prompter->messageTexts().join(u'\n')));

    // B5 holds results 151 to 258, three to a line.
    const QString text = pdfText(printer.path());
    QVERIFY2(text.contains(u"Ravelko第7018期预选号码"_s), qPrintable(text));
    // The same line holds the next result after some blanks.
    const QRegularExpression sameLine(QRegularExpression::escape(resultText(150)) + u" +"_s +
                                      QRegularExpression::escape(resultText(151)));
    QVERIFY2(text.contains(sameLine), qPrintable(text));
    QVERIFY(text.contains(resultText(257)));
    QVERIFY(!text.contains(resultText(149)));
    QVERIFY(!text.contains(resultText(258)));
    QVERIFY(text.contains(u"感谢您使用本软件"_s));
}

void TestResultsWindow::tellsWhenNoPrinterIsInstalled() {
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("a printer is installed here; the test would print on paper");
    ResultsWindow w(m_db->database());
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    w.show();
    click(w, u"Command4"_s);
    QCOMPARE(m_prompter->messageTexts(), QStringList{noPrinterMessage()});
}

void TestResultsWindow::previewOpensAndExitCloses() {
    QPointer<ResultsWindow> w = new ResultsWindow(m_db->database());
    w->show();
    click(*w, u"Command7"_s);
    auto* preview = w->findChild<QPrintPreviewDialog*>();
    QVERIFY(preview);
    QTRY_VERIFY(preview->isVisible());
    preview->close();

    click(*w, u"Command6"_s);
    QTRY_VERIFY(w.isNull()); // closing unloads the window
}

QTEST_MAIN(TestResultsWindow)
#include "test_results_window.moc"

// The import window clicked like a person: choose a file, import from an issue, see progress and
// the closing message; a bad file and a cancel change nothing.

#include "store/history_import_window.h"
#include "support/draw_tables.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"

#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace ssq;
using ssq::test::rowCount;
using ssq::test::ScriptedPrompter;
using ssq::test::TempDatabase;

class TestHistoryImportWindow : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_files;
    std::unique_ptr<TempDatabase> m_temp;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<HistoryImportWindow> m_window;

    QString writeFile(const QString& name, const QStringList& lines) {
        QFile f(m_files.filePath(name));
        if (!f.open(QIODevice::WriteOnly))
            return {};
        f.write((u"issue,r1,r2,r3,r4,r5,r6,blue,date\n"_s + lines.join(u'\n')).toUtf8());
        return f.fileName();
    }
    QPushButton* button(const QString& name) { return m_window->findChild<QPushButton*>(name); }

private Q_SLOTS:
    void init() {
        QVERIFY(m_files.isValid());
        m_temp = std::make_unique<TempDatabase>();
        QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
        m_prompter = std::make_unique<ScriptedPrompter>();
        m_window = std::make_unique<HistoryImportWindow>(m_temp->database());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() {
        m_window.reset();
        m_prompter.reset();
        m_temp.reset();
    }

    void importsFromTheChosenIssue() {
        const QStringList lines = test::realHistoryLines();
        QVERIFY(!lines.isEmpty());
        const QString file = writeFile(u"history.csv"_s, lines.mid(lines.size() - 150));
        m_prompter->answerFileName(file);
        QTest::mouseClick(button(u"Command1"_s), Qt::LeftButton);
        QCOMPARE(m_window->findChild<QLineEdit*>(u"Text1"_s)->text(), file);
        QTest::keyClicks(m_window->findChild<QLineEdit*>(u"Text2"_s), u"2026001"_s);

        QSignalSpy done(m_window.get(), &HistoryImportWindow::finished);
        QTest::mouseClick(button(u"Command2"_s), Qt::LeftButton);
        // While it works, only cancelling is possible.
        QVERIFY(!button(u"Command2"_s)->isEnabled());
        QVERIFY(!button(u"Command4"_s)->isEnabled());
        QVERIFY(!m_window->findChild<QLineEdit*>(u"Text1"_s)->isEnabled());
        QVERIFY(button(u"Command3"_s)->isEnabled());

        QVERIFY(done.wait(20000));
        QCOMPARE(m_prompter->messageTexts(),
                 QStringList{u"导入完毕：新增96期开奖数据（2026001期至2026096期）。"_s});
        QCOMPARE(rowCount(m_temp->connection(), u"kjhm"_s), 96);
        QCOMPARE(m_window->findChild<QProgressBar*>(u"ProgressBar1"_s)->value(), 100);
        QVERIFY(button(u"Command2"_s)->isEnabled());
        QVERIFY(!button(u"Command3"_s)->isEnabled());
    }

    void badFileAndCancelChangeNothing() {
        QTest::mouseClick(button(u"Command2"_s), Qt::LeftButton);
        QCOMPARE(m_prompter->messageTexts(), QStringList{u"请先选择开奖数据文件"_s});

        m_prompter->clear();
        m_window->findChild<QLineEdit*>(u"Text1"_s)
            ->setText(
                writeFile(u"bad.csv"_s, {u"2026001,1,2,3,4,5,6,7"_s, u"2026002,1,2,3,4,5,6"_s}));
        QSignalSpy done(m_window.get(), &HistoryImportWindow::finished);
        QTest::mouseClick(button(u"Command2"_s), Qt::LeftButton);
        QVERIFY(done.wait(20000));
        QCOMPARE(
            m_prompter->messageTexts(),
            QStringList{
                u"第3行有误：号码个数不对，期号后面应有6个红球号码和1个蓝球号码。没有导入任何数据。"_s});
        QCOMPARE(rowCount(m_temp->connection(), u"kjhm"_s), 0);

        // Cancelled before the result is taken: nothing is written, whatever the worker did.
        m_prompter->clear();
        m_window->findChild<QLineEdit*>(u"Text1"_s)
            ->setText(writeFile(u"good.csv"_s, test::realHistoryLines().mid(3000, 40)));
        QTest::mouseClick(button(u"Command2"_s), Qt::LeftButton);
        QTest::mouseClick(button(u"Command3"_s), Qt::LeftButton);
        QVERIFY(done.wait(20000));
        QVERIFY(done.last().at(0).value<ImportReport>().cancelled);
        QCOMPARE(m_prompter->messageTexts(), QStringList{u"导入已取消，数据库没有改动。"_s});
        QCOMPARE(rowCount(m_temp->connection(), u"kjhm"_s), 0);
    }
};

QTEST_MAIN(TestHistoryImportWindow)
#include "test_history_import_window.moc"

// Form9 clicked like a person: validation order and messages, add, modify, delete, the show
// buttons and their widths, manual editing that reaches the file, clear, note and download.

#include "store/draw_entry.h"
#include "store/draw_entry_window.h"
#include "store/draw_grid_view.h"
#include "support/draw_tables.h"
#include "support/recording_url_opener.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace ssq;
using ssq::test::rowCount;
using ssq::test::ScriptedPrompter;
using ssq::test::tableRows;
using ssq::test::TempDatabase;

namespace {

const QString kAdded = u"数据添加完毕"_s;

} // namespace

class TestDrawEntryWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDatabase> m_temp;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<DrawEntryWindow> m_window;

    void click(const QString& button) {
        auto* b = m_window->findChild<QPushButton*>(button);
        QVERIFY2(b, qPrintable(button));
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void tick(int box) {
        auto* b = m_window->findChild<QCheckBox*>(u"Check1_%1"_s.arg(box));
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(4, b->height() / 2));
    }
    void typeIssue(const QString& text) {
        auto* issue = m_window->findChild<QLineEdit*>(u"Text1"_s);
        issue->clear();
        QTest::keyClicks(issue, text);
    }
    // Ticks a draw: reds, then blue b as box 33 + b.
    void enter(const QString& issue, const QList<int>& reds, int blue) {
        click(u"Command2"_s);
        typeIssue(issue);
        for (int r : reds)
            tick(r);
        if (blue > 0)
            tick(33 + blue);
    }
    int pixels(double twips) { return twipsToPixels(twips); }

private Q_SLOTS:
    void init() {
        m_temp = std::make_unique<TempDatabase>();
        QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
        m_prompter = std::make_unique<ScriptedPrompter>();
        m_window = std::make_unique<DrawEntryWindow>(m_temp->database(),
                                                     QUrl(u"file:///help/import.html"_s));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() {
        m_window.reset();
        m_prompter.reset();
        m_temp.reset();
    }

    void controlsCarryTheirNames() {
        QCOMPARE(m_window->objectName(), u"Form9"_s);
        QCOMPARE(m_window->windowTitle(), u"添加开奖数据"_s);
        QCOMPARE(m_window->findChild<QCheckBox*>(u"Check1_33"_s)->text(), u"33"_s);
        QCOMPARE(m_window->findChild<QCheckBox*>(u"Check1_34"_s)->text(), u"1"_s);
        QCOMPARE(m_window->findChild<QCheckBox*>(u"Check1_49"_s)->text(), u"16"_s);
        QCOMPARE(m_window->findChild<QLineEdit*>(u"Text1"_s)->toolTip(),
                 u"格式示例：7002，7表示2007年，002表示第002期"_s);
        QCOMPARE(m_window->findChild<QPushButton*>(u"Command10"_s)->text(), u"手动修改数据"_s);
        QVERIFY(m_window->findChild<QWidget*>(u"Label2"_s));
        QVERIFY(m_window->findChild<QWidget*>(u"DataGrid1"_s));
    }

    // The first failing check speaks, in the order issue, format, reds, blue.
    void validationOrder() {
        enter(QString(), {1, 2, 3, 4, 5}, 0);
        click(u"Command1"_s);
        enter(u"702"_s, {1, 2, 3, 4, 5}, 0);
        click(u"Command1"_s);
        enter(u"70188"_s, {1, 2, 3, 4, 5, 6}, 1);
        click(u"Command3"_s);
        enter(u"7001"_s, {1, 2, 3, 4, 5}, 1);
        click(u"Command1"_s);
        enter(u"7001"_s, {1, 2, 3, 4, 5, 6}, 0);
        click(u"Command3"_s);
        QCOMPARE(
            m_prompter->messageTexts(),
            (QStringList{
                u"请输入开奖期号，输入格式示例：7018 （7表示2007年，018表示第018期）"_s,
                u"期号输入格式有误,请正确输入开奖期号，输入格式示例：7018 （7表示2007年，018表示第018期）"_s,
                u"期号输入格式有误,请正确输入开奖期号，输入格式示例：7018 （7表示2007年，018表示第018期）"_s,
                u"红球号码选择有误,请重新选择！"_s, u"蓝球号码选择有误,请重新选择！"_s}));
        QCOMPARE(rowCount(m_temp->connection(), u"kjhm"_s), 0);
        QVERIFY(m_window->grid()->isVisible());
    }

    void addModifyDelete() {
        enter(u"7001"_s, {1, 5, 12, 20, 27, 33}, 8);
        click(u"Command1"_s);
        QCOMPARE(
            m_prompter->messageTexts(),
            (QStringList{
                u"您的数据库没有数据记录，这里将添加第一条记录,第一条记录只录取开奖数据,不录取指标"_s,
                kAdded}));
        // The grid ends on kjzb with its texts widened.
        QAbstractItemModel* model = m_window->grid()->model();
        QCOMPARE(model->columnCount(), 44);
        QCOMPARE(model->data(model->index(0, 1)).toString(), u"1 5 12 20 27 33 +8"_s);
        QHeaderView* header = m_window->grid()->horizontalHeader();
        QCOMPARE(header->sectionSize(1), pixels(2000));
        QCOMPARE(header->sectionSize(2), pixels(1350));
        QCOMPARE(header->sectionSize(3), pixels(490.0473));

        // The boxes and issue survive: the same draw can be added again at once.
        m_prompter->clear();
        typeIssue(u"7002"_s);
        click(u"Command1"_s);
        QCOMPARE(
            m_prompter->messageTexts(),
            (QStringList{u"您的数据库中的记录不足22条，将不录取冷热值一类的4个指标"_s, kAdded}));
        QCOMPARE(rowCount(m_temp->connection(), u"kjzb"_s), 2);

        m_prompter->clear();
        enter(u"7002"_s, {2, 6, 12, 21, 28, 33}, 3);
        click(u"Command3"_s);
        QCOMPARE(m_prompter->messageTexts().last(), u"数据修改完成并已保存"_s);
        QVERIFY(m_window->grid()->isVisible());
        QCOMPARE(m_window->grid()->model()->columnCount(), 50);
        QCOMPARE(header->sectionSize(0), pixels(390.0473));
        QCOMPARE(tableRows(m_temp->connection(), u"kjzb"_s)[1][1].toString(),
                 u"2 6 12 21 28 33+3"_s);

        // Cancelling the input box deletes nothing.
        m_prompter->clear();
        m_prompter->answerInput(std::nullopt);
        click(u"Command4"_s);
        QCOMPARE(m_prompter->questions(), QStringList{u"请输入需要删除的期号"_s});
        QVERIFY(m_prompter->messageTexts().isEmpty());
        QCOMPARE(rowCount(m_temp->connection(), u"kjhm"_s), 2);

        m_prompter->answerInput(u"7002"_s);
        click(u"Command4"_s);
        QCOMPARE(m_prompter->messageTexts(), QStringList{u"您指定期号的所有数据删除完毕"_s});
        for (const QString& t : {u"kjhm"_s, u"kjdm"_s, u"kjzb"_s})
            QCOMPARE(rowCount(m_temp->connection(), t), 1);
        QCOMPARE(m_window->grid()->model()->rowCount(), 1);
        QCOMPARE(m_window->grid()->model()->columnCount(), 50);
    }

    void showButtonsAndClear() {
        QVERIFY(addDraw(m_temp->connection(), {7001, {1, 2, 3, 4, 5, 6}, 1}).written);
        click(u"Command8"_s);
        QCOMPARE(m_window->grid()->model()->columnCount(), 63);
        QCOMPARE(m_window->grid()->horizontalHeader()->sectionSize(5), pixels(490.0473));
        click(u"Command9"_s);
        QCOMPARE(m_window->grid()->model()->columnCount(), 44);
        click(u"Command7"_s);
        QCOMPARE(m_window->grid()->model()->columnCount(), 50);
        QVERIFY(!m_window->grid()->isEditable());

        enter(u"7003"_s, {1, 2, 3, 4, 5, 6}, 2);
        click(u"Command2"_s);
        QVERIFY(m_window->findChild<QLineEdit*>(u"Text1"_s)->text().isEmpty());
        for (QCheckBox* box : m_window->findChildren<QCheckBox*>())
            QVERIFY(!box->isChecked());

        click(u"Command5"_s);
        QCOMPARE(
            m_prompter->messageTexts(),
            QStringList{
                u"说明:第一条记录只录取开奖数据,第1至22条记录不录取冷热值一类的数据(默认为0),以后的数据为全记录数据"_s});

        test::RecordingUrlOpener opener;
        click(u"Command11"_s);
        QCOMPARE(opener.opened(), QList<QUrl>{QUrl(u"file:///help/import.html"_s)});

        click(u"Command6"_s);
        QVERIFY(!m_window->isVisible());
    }

    // Manual modify: a value typed into the grid is in the file at once.
    void manualEditReachesTheFile() {
        QVERIFY(addDraw(m_temp->connection(), {7001, {1, 2, 3, 4, 5, 6}, 1}).written);
        QVERIFY(addDraw(m_temp->connection(), {7002, {2, 3, 4, 5, 6, 7}, 2}).written);
        click(u"Command9"_s);
        click(u"Command10"_s);
        QVERIFY(m_prompter->messageTexts().value(0).startsWith(u"您现在可以手动修改数据了"_s));
        DrawGridView* grid = m_window->grid();
        QVERIFY(grid->isEditable());
        QCOMPARE(grid->model()->columnCount() - 1, 44); // and the hidden rowid

        const QModelIndex sum = grid->model()->index(1, 3);
        grid->setCurrentIndex(sum);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_F2);
        QWidget* editor = grid->focusWidget();
        QVERIFY(editor && editor != grid);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, u"99"_s);
        QTest::keyClick(editor, Qt::Key_Return);
        // The view commits a finished edit from its event loop.
        QTRY_COMPARE(tableRows(m_temp->connection(), u"kjzb"_s)[1][3].toInt(), 99);

        // Deleting a row by hand removes it from the table shown, and only there.
        grid->selectRow(0);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(rowCount(m_temp->connection(), u"kjzb"_s), 1);
        QCOMPARE(rowCount(m_temp->connection(), u"kjhm"_s), 2);
        QCOMPARE(grid->model()->rowCount(), 1);
    }
};

QTEST_MAIN(TestDrawEntryWindow)
#include "test_draw_entry_window.moc"

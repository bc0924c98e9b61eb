// Form10's query and Form4's tables, clicked like a person.

#include "store/draw_entry.h"
#include "store/draw_grid_view.h"
#include "store/history_viewer_window.h"
#include "store/maintenance.h"
#include "store/past_draw_query_window.h"
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
using ssq::test::ScriptedPrompter;
using ssq::test::TempDatabase;

class TestHistoryWindows : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDatabase> m_temp;
    std::unique_ptr<ScriptedPrompter> m_prompter;

    static void click(QWidget& window, const QString& button) {
        auto* b = window.findChild<QPushButton*>(button);
        QVERIFY2(b, qPrintable(button));
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static void tick(QWidget& window, const QList<int>& boxes) {
        for (int k : boxes) {
            auto* b = window.findChild<QCheckBox*>(u"Check1_%1"_s.arg(k));
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(4, b->height() / 2));
        }
    }
    static QString text(QWidget& window, const QString& name) {
        return window.findChild<QLineEdit*>(name)->text();
    }

private Q_SLOTS:
    void init() {
        m_temp = std::make_unique<TempDatabase>();
        QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
        m_prompter = std::make_unique<ScriptedPrompter>();
        QSqlDatabase db = m_temp->connection();
        QVERIFY(addDraw(db, {7001, {3, 8, 15, 16, 23, 30}, 2}).written);
        QVERIFY(addDraw(db, {7002, {1, 5, 12, 20, 27, 33}, 8}).written);
        QVERIFY(addDraw(db, {7003, {2, 9, 11, 14, 22, 31}, 1}).written);
        QVERIFY(addDraw(db, {7004, {1, 5, 12, 20, 27, 33}, 16}).written); // same reds again
    }
    void cleanup() {
        m_prompter.reset();
        m_temp.reset();
    }

    void pastDrawQuery() {
        PastDrawQueryWindow window(m_temp->database());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.objectName(), u"Form10"_s);

        // Ticked in any order, the boxes are read in number order; the older draw wins.
        tick(window, {33, 1, 27, 12, 20, 5});
        click(window, u"Command1"_s);
        QCOMPARE(text(window, u"Text1"_s), u"您要查询的号已经在第7002期开出过了"_s);
        QCOMPARE(text(window, u"Text2"_s), u"7002"_s);
        QVERIFY(window.grid()->isVisible());
        QCOMPARE(window.grid()->model()->rowCount(), 4);

        click(window, u"Command7"_s);
        QCOMPARE(window.grid()->model()->rowCount(), 1);
        QCOMPARE(window.grid()->model()->data(window.grid()->model()->index(0, 0)).toInt(), 7002);
        QCOMPARE(window.grid()->horizontalHeader()->sectionSize(3), twipsToPixels(390.0473));

        // Five boxes: the message, with the found issue already emptied.
        click(window, u"Command2"_s);
        QVERIFY(text(window, u"Text1"_s).isEmpty());
        tick(window, {1, 2, 3, 4, 5});
        click(window, u"Command1"_s);
        QCOMPARE(m_prompter->messageTexts(), QStringList{u"号码选择有误,请重新选择！"_s});
        QVERIFY(text(window, u"Text2"_s).isEmpty());

        tick(window, {6});
        click(window, u"Command1"_s);
        QCOMPARE(text(window, u"Text1"_s), u"您要查询的数据未曾开出"_s);
        QVERIFY(text(window, u"Text2"_s).isEmpty());
        click(window, u"Command7"_s);
        QCOMPARE(m_prompter->messageTexts().last(), u"您要查询的号码未曾开出，无法显示数据"_s);

        // An issue typed by hand is shown directly.
        QTest::keyClicks(window.findChild<QLineEdit*>(u"Text2"_s), u"7003"_s);
        click(window, u"Command7"_s);
        QCOMPARE(window.grid()->model()->rowCount(), 1);
        QCOMPARE(window.grid()->model()->data(window.grid()->model()->index(0, 2)).toInt(), 2);

        click(window, u"Command6"_s);
        QVERIFY(!window.isVisible());
    }

    void historyViewerTables() {
        HistoryViewerWindow window(m_temp->database());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), u"历史开奖数据查看"_s);
        QHeaderView* header = window.grid()->horizontalHeader();

        click(window, u"Command2"_s);
        QCOMPARE(window.grid()->model()->columnCount(), 44);
        QCOMPARE(window.grid()->model()->rowCount(), 4);
        QCOMPARE(header->sectionSize(0), twipsToPixels(450));
        QCOMPARE(header->sectionSize(1), twipsToPixels(2000));
        QCOMPARE(header->sectionSize(2), twipsToPixels(1350));
        QCOMPARE(header->sectionSize(34), twipsToPixels(450));
        for (int c = 35; c <= 43; ++c)
            QCOMPARE(header->sectionSize(c), twipsToPixels(700));

        click(window, u"Command1"_s);
        QCOMPARE(window.grid()->model()->columnCount(), 63);
        QCOMPARE(header->sectionSize(1), twipsToPixels(390.0473));
        click(window, u"Command3"_s);
        QCOMPARE(window.grid()->model()->columnCount(), 50);

        // A compaction swaps the file under the open window: the grid shows the table again.
        QVERIFY(compactDatabase(m_temp->database()).ok);
        QVERIFY(window.grid()->model());
        QCOMPARE(window.grid()->model()->rowCount(), 4);
        click(window, u"Command2"_s);
        QCOMPARE(window.grid()->model()->rowCount(), 4);

        click(window, u"Command4"_s);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestHistoryWindows)
#include "test_history_windows.moc"

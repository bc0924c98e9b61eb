// The store's windows clicked like a person: Form9's entry and manual editing, Form10 beside
// `ssq-cli drawn`, Form4 across a compaction, the import window.

#include "store/draw_entry.h"
#include "store/maintenance.h"
#include "store/widgets/draw_entry_window.h"
#include "store/widgets/draw_grid_view.h"
#include "store/widgets/history_import_window.h"
#include "store/widgets/history_viewer_window.h"
#include "store/widgets/past_draw_query_window.h"
#include "store/widgets/update_draws_window.h"
#include "support/cli_run.h"
#include "support/draw_tables.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"
#include "support/widget_actions.h"

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ssq;
using namespace ssq::test;

namespace {

void tick(QWidget& window, const QList<int>& boxes) {
    for (int k : boxes)
        click(&window, u"Check1_%1"_s.arg(k));
}
QAbstractItemModel* grid(QWidget& window) {
    return window.findChild<DrawGridView*>()->model();
}

} // namespace

class TestStoreWindows : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TempDatabase> m_temp;
    std::unique_ptr<test::ScriptedPrompter> m_prompter;

    QSqlDatabase db() { return m_temp->connection(); }
    // Form9: clear, type the issue, tick the reds and blue b (box 33 + b), click `button`.
    void enter(QWidget& form9, const QString& issue, const QList<int>& reds, int blue,
               const QString& button) {
        click(&form9, u"Command2"_s);
        retype(&form9, u"Text1"_s, issue);
        tick(form9, blue > 0 ? reds + QList<int>{33 + blue} : reds);
        click(&form9, button);
    }

private Q_SLOTS:
    void init() {
        m_temp = std::make_unique<test::TempDatabase>();
        m_prompter = std::make_unique<test::ScriptedPrompter>();
    }
    void cleanup() {
        m_prompter.reset();
        m_temp.reset();
    }

    // The first failing check speaks, in the order issue, format, reds, blue.
    void drawEntryChecksInOrder() {
        DrawEntryWindow form9(m_temp->database());
        form9.show();
        enter(form9, QString(), {1, 2, 3, 4, 5}, 0, u"Command1"_s);
        enter(form9, u"702"_s, {1, 2, 3, 4, 5}, 0, u"Command1"_s);
        enter(form9, u"70188"_s, {1, 2, 3, 4, 5, 6}, 1, u"Command3"_s);
        enter(form9, u"7001"_s, {1, 2, 3, 4, 5}, 1, u"Command1"_s);
        enter(form9, u"7001"_s, {1, 2, 3, 4, 5, 6}, 0, u"Command3"_s);
        const QString format =
            u"期号输入格式有误,请正确输入开奖期号，输入格式示例：7018 （7表示2007年，018表示第018期）"_s;
        QCOMPARE(
            m_prompter->messageTexts(),
            (QStringList{u"请输入开奖期号，输入格式示例：7018 （7表示2007年，018表示第018期）"_s,
                         format, format, u"红球号码选择有误：您选了5个红球，请选择6个红球！"_s,
                         u"蓝球号码选择有误,请重新选择！"_s}));
        QCOMPARE(rowCount(db(), u"kjhm"_s), 0);
    }

    void drawEntryAddModifyDelete() {
        DrawEntryWindow form9(m_temp->database());
        form9.show();
        enter(form9, u"7001"_s, {1, 5, 12, 20, 27, 33}, 8, u"Command1"_s);
        QCOMPARE(m_prompter->messageTexts().last(), u"数据添加完毕"_s);
        QCOMPARE(grid(form9)->data(grid(form9)->index(0, 1)).toString(), u"1 5 12 20 27 33 +8"_s);
        enter(form9, u"7002"_s, {1, 5, 12, 20, 27, 33}, 8, u"Command1"_s);
        enter(form9, u"7002"_s, {2, 6, 12, 21, 28, 33}, 3, u"Command3"_s);
        QCOMPARE(m_prompter->messageTexts().last(), u"数据修改完成并已保存"_s);
        QCOMPARE(tableRows(db(), u"kjzb"_s)[1][1].toString(), u"2 6 12 21 28 33+3"_s);

        // The answer must be a stored issue exactly: 7001.5 is not 7002, an empty answer not 0.
        QSqlQuery q(db());
        for (const QString& t : {u"kjhm"_s, u"kjdm"_s, u"kjzb"_s})
            QVERIFY(q.exec(u"INSERT INTO %1 (期号) VALUES (0)"_s.arg(t)));
        for (const QString& answer : {u"7001.5"_s, QString()}) {
            m_prompter->answerInput(answer);
            click(&form9, u"Command4"_s);
            QVERIFY2(m_prompter->messageTexts().last().endsWith(u"，没有删除任何数据。"_s),
                     qPrintable(m_prompter->messageTexts().last()));
            QCOMPARE(rowCount(db(), u"kjzb"_s), 3);
        }
        m_prompter->answerInput(u"7002"_s);
        click(&form9, u"Command4"_s);
        QCOMPARE(m_prompter->questions().last(), u"请输入需要删除的期号"_s);
        QCOMPARE(m_prompter->messageTexts().last(), u"第7002期的所有数据删除完毕"_s);
        QCOMPARE(rowCount(db(), u"kjzb"_s), 2);
    }

    // A value typed into the grid reaches the file in the row touched only, even beside a row
    // of the same values; text in a number column is refused; the Delete key removes nothing.
    void drawEntryManualEdit() {
        QVERIFY(test::addDraws(db(), {{7001, {2, 3, 4, 5, 6, 7}, 2},
                                      {7002, {2, 3, 4, 5, 6, 7}, 2},
                                      {7003, {2, 3, 4, 5, 6, 7}, 2}}));
        DrawEntryWindow form9(m_temp->database());
        form9.show();
        click(&form9, u"Command9"_s);
        click(&form9, u"Command10"_s);
        QVERIFY(m_prompter->messageTexts().value(0).startsWith(u"您现在可以手动修改数据了"_s));
        DrawGridView* view = form9.grid();
        const auto typeInto = [view](int row, int column, const QString& text) {
            view->setCurrentIndex(view->model()->index(row, column));
            view->setFocus();
            QTest::keyClick(view, Qt::Key_F2);
            QTest::keyClick(view->focusWidget(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(view->focusWidget(), text);
            QTest::keyClick(view->focusWidget(), Qt::Key_Return);
        };
        typeInto(1, 3, u"99"_s);
        QTRY_COMPARE(tableRows(db(), u"kjzb"_s)[1][3].toInt(), 99);
        const QList<QVariantList> edited = tableRows(db(), u"kjzb"_s);
        QCOMPARE(edited[2][3].toInt(), 27);

        for (const auto& [column, text, words] :
             {std::tuple{0, u"7OO1"_s, u"第1行“期号”列只能填数字"_s},
              std::tuple{4, u"abc"_s, u"第1行“AC值”列只能填数字"_s}}) {
            m_prompter->clear();
            typeInto(0, column, text);
            QTRY_VERIFY(!m_prompter->messageTexts().isEmpty());
            QVERIFY2(m_prompter->messageTexts().last().contains(words),
                     qPrintable(m_prompter->messageTexts().last()));
            QCOMPARE(tableRows(db(), u"kjzb"_s), edited);
        }

        view->selectRow(2);
        view->setFocus();
        m_prompter->clear();
        QTest::keyClick(view, Qt::Key_Delete);
        QVERIFY(m_prompter->messageTexts().value(0).contains(u"删除数据"_s));
        QCOMPARE(tableRows(db(), u"kjzb"_s), edited);
        QCOMPARE(view->model()->rowCount(), 3);
    }

    // The grids open at the newest draws and, after a change, at the draw changed (or before).
    void gridsOpenWhereThePlayerLooks() {
        QVERIFY(test::addRealDraws(db(), u"2022001"_s, 200));
        const auto shows = [](QWidget& window, int issue) {
            auto* view = window.findChild<DrawGridView*>();
            QCoreApplication::processEvents();
            const QModelIndex at = view->currentIndex();
            return at.isValid() && view->model()->index(at.row(), 0).data().toInt() == issue &&
                   view->viewport()->rect().contains(view->visualRect(at).center());
        };
        const auto newest = [this] {
            QSqlQuery q(u"select max(期号) from kjhm"_s, db());
            return q.next() ? q.value(0).toInt() : 0;
        };
        HistoryViewerWindow form4(m_temp->database());
        form4.show();
        click(&form4, u"Command3"_s);
        QVERIFY(shows(form4, newest()));
        // A compaction swaps the file under the open window: the grid shows the table again.
        QVERIFY(compactDatabase(m_temp->database()).ok);
        QCOMPARE(grid(form4)->rowCount(), 200);

        DrawEntryWindow form9(m_temp->database());
        form9.show();
        click(&form9, u"Command7"_s);
        QVERIFY(shows(form9, newest()));
        const int old = tableRows(db(), u"kjhm"_s)[50][0].toInt();
        enter(form9, issueText(old), {2, 6, 12, 21, 28, 33}, 3, u"Command3"_s);
        QCOMPARE(m_prompter->messageTexts().last(), u"数据修改完成并已保存"_s);
        QVERIFY(shows(form9, old));
        m_prompter->answerInput(issueText(old));
        click(&form9, u"Command4"_s);
        QVERIFY(shows(form9, old - 1));
        const int added = newest() + 1;
        enter(form9, issueText(added), {1, 5, 12, 20, 27, 33}, 8, u"Command1"_s);
        QVERIFY(shows(form9, added));

        PastDrawQueryWindow form10(m_temp->database());
        form10.show();
        click(&form10, u"Command1"_s); // nothing ticked: refused, the grid untouched
        tick(form10, {1, 5, 12, 20, 27, 33});
        click(&form10, u"Command1"_s);
        QVERIFY(shows(form10, added));
    }

    // The boxes and the command line answer in the same sentences, never "never drawn" for an
    // unreadable store; boxes are read in number order; of two same draws the older wins.
    void pastDrawQueryAgreesWithCli() {
        QVERIFY(test::addDraws(db(), {{7001, {3, 8, 15, 16, 23, 30}, 2},
                                      {7002, {1, 5, 12, 20, 27, 33}, 8},
                                      {7003, {1, 5, 12, 20, 27, 33}, 16}}));
        PastDrawQueryWindow form10(m_temp->database());
        form10.show();
        const QString refused = u"号码选择有误,请重新选择！"_s;
        const auto drawn = [this](const QStringList& numbers) {
            return test::runCli(QStringList{u"--db"_s, m_temp->path(), u"drawn"_s} + numbers);
        };
        // The boxes ticked, the same numbers for the command line, and what both answer.
        const QList<std::pair<QList<int>, QString>> cases{
            {{33, 1, 27, 12, 20, 5}, u"您要查询的号已经在第7002期开出过了"_s},
            {{1, 2, 3, 4, 5, 6}, u"您要查询的数据未曾开出"_s},
            {{1, 2, 3, 4, 5}, refused}};
        for (const auto& [boxes, answer] : cases) {
            click(&form10, u"Command2"_s);
            tick(form10, boxes);
            m_prompter->clear();
            click(&form10, u"Command1"_s);
            QStringList numbers;
            for (int b : boxes)
                numbers.append(QString::number(b));
            const test::CliRun cli = drawn(numbers);
            if (answer == refused) {
                QCOMPARE(m_prompter->messageTexts(), QStringList{refused});
                QCOMPARE(cli.status, 3);
                QCOMPARE(cli.err, refused);
            } else {
                // The window also searches the shipped history and names the draws searched.
                const QString shown = textOf(&form10, u"Text1"_s);
                if (answer == u"您要查询的数据未曾开出"_s) {
                    QVERIFY2(shown.startsWith(u"您要查询的数据在2003001至"_s) &&
                                 shown.endsWith(u"期中未曾开出"_s),
                             qPrintable(shown));
                    QVERIFY(textOf(&form10, u"Text2"_s).isEmpty());
                } else {
                    QCOMPARE(shown, answer);
                    QCOMPARE(textOf(&form10, u"Text2"_s), u"7002"_s);
                    click(&form10, u"Command7"_s); // the grid shows the draw found
                    QCOMPARE(grid(form10)->data(grid(form10)->index(0, 0)).toInt(), 7002);
                }
                QCOMPARE(cli.status, 0);
                QCOMPARE(cli.out, answer + u'\n');
            }
        }
        // Numbers no box offers are refused by the command line in the same words.
        QCOMPARE(drawn(u"1 1 3 4 5 6"_s.split(u' ')).err, refused);
        QCOMPARE(drawn(u"1 2 3 4 5 6x"_s.split(u' ')).err, refused);

        QSqlQuery q(db());
        QVERIFY(q.exec(u"DROP TABLE kjhm"_s));
        click(&form10, u"Command2"_s);
        tick(form10, {1, 2, 3, 4, 5, 6});
        m_prompter->clear();
        click(&form10, u"Command1"_s);
        QVERIFY(textOf(&form10, u"Text1"_s).isEmpty());
        QCOMPARE(m_prompter->messageTexts().size(), 1);
    }

    // A cancel writes nothing; while the import works only cancelling is possible.
    void importWindow() {
        const QString file = m_temp->folder() + u"/history.csv"_s;
        QVERIFY(test::writeBytes(file, (u"issue,r1,r2,r3,r4,r5,r6,blue,date\n"_s +
                                        test::realHistoryLines().mid(3343).join(u'\n'))
                                           .toUtf8()));
        HistoryImportWindow window(m_temp->database());
        window.show();
        m_prompter->answerFileName(file);
        click(&window, u"Command1"_s);
        QCOMPARE(textOf(&window, u"Text1"_s), file);
        QSignalSpy done(&window, &HistoryImportWindow::finished);
        click(&window, u"Command2"_s);
        click(&window, u"Command3"_s);
        QVERIFY(done.wait(20000));
        QCOMPARE(m_prompter->messageTexts(), QStringList{u"导入已取消，数据库没有改动。"_s});
        QCOMPARE(rowCount(db(), u"kjhm"_s), 0);

        retype(&window, u"Text2"_s, u"2026001"_s);
        click(&window, u"Command2"_s);
        QVERIFY(!window.findChild<QPushButton*>(u"Command2"_s)->isEnabled());
        QVERIFY(done.wait(20000));
        QCOMPARE(m_prompter->messageTexts().last(),
                 u"导入完毕：新增96期开奖数据（2026001期至2026096期）。"_s);
        QCOMPARE(rowCount(db(), u"kjhm"_s), 96);
        QCOMPARE(window.findChild<QProgressBar*>(u"ProgressBar1"_s)->value(), 100);
    }

    // Command11 brings up the one network update window, however often it is clicked.
    void drawEntryOpensUpdateWindow() {
        DrawEntryWindow form9(m_temp->database());
        form9.show();
        click(&form9, u"Command11"_s);
        click(&form9, u"Command11"_s);
        const QList<UpdateDrawsWindow*> opened = topLevel<UpdateDrawsWindow>();
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened.front()->isVisible());
        delete opened.front();
    }
};

QTEST_MAIN(TestStoreWindows)
#include "test_store_windows.moc"

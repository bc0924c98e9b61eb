// The main window's live count follows typing in the last-draw row and the panel, and
// "条件历史回测…" opens one back-test window on the panel as it stands.

#include "red/backtest_window.h"
#include "shell/main_window.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"
#include "support/widget_actions.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class TestBacktestMenus : public QObject {
    Q_OBJECT

    QString liveCount() { return ssq::test::textOf(m_window, u"LiveCount"_s); }
    void type(int index, const QString& text) {
        ssq::test::retype(m_window, u"Text1_%1"_s.arg(index), text);
    }

    ssq::test::ScriptedPrompter m_prompter;
    std::unique_ptr<ssq::test::TempDatabase> m_temp;
    ssq::MainWindow* m_window = nullptr;

private Q_SLOTS:
    void init() {
        m_temp = std::make_unique<ssq::test::TempDatabase>();
        QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
        m_window = new ssq::MainWindow(m_temp->database());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup() {
        delete m_window;
        m_temp.reset();
    }

    void liveCountFollowsEdits() {
        // Nothing converted yet: the refusal in short.
        QTRY_COMPARE(liveCount(), u"上期号码未转换为代码"_s);
        const QStringList row = u"1 5 12 20 27 33"_s.split(u' ');
        for (int i = 0; i < row.size(); ++i)
            type(1 + i, row[i]);
        ssq::test::click(m_window, u"Command2"_s);
        QTRY_COMPARE(liveCount(), u"当前条件保留1107568注"_s);

        ssq::test::click(m_window, u"Check1_4"_s);
        QTRY_COMPARE(liveCount(), u"未选中指标一区选择框"_s);
        ssq::test::click(m_window, u"Check1_0"_s);
        type(50, u"21"_s);
        type(51, u"21"_s);
        QTRY_COMPARE(liveCount(), u"当前条件保留1注"_s);
        type(50, u"22"_s);
        QTRY_COMPARE(liveCount(), u"当前条件保留2注"_s);
    }

    void menuOpensOneWindow() {
        QAction* item = m_window->findChild<QAction*>(u"HTCS"_s);
        QVERIFY(item && item->isEnabled());
        item->trigger();
        item->trigger();
        const auto windows = m_window->findChildren<ssq::BacktestWindow*>();
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows.front()->isVisible());
        QCOMPARE(windows.front()->objectName(), u"BacktestWindow"_s);
    }
};

QTEST_MAIN(TestBacktestMenus)
#include "test_backtest_menus.moc"

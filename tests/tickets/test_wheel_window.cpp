// "旋转矩阵与缩水…" clicked like a player: a pool picked or typed, the wheel built off the
// window's thread and shown with its cost and check; a refused pool; the cover; cancel.

#include "tickets/widgets/wheel_window.h"

#include "support/scripted_prompter.h"
#include "support/widget_actions.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace ssq;
using namespace ssq::test;
using namespace Qt::StringLiterals;

namespace {

SelectionResult keptEvery(int step) {
    SelectionResult kept;
    kept.walked = true;
    for (int code = 1; code <= kComboCount; code += step)
        kept.codes.push_back(code);
    return kept;
}

bool waitForEnd(WheelWindow& window) {
    QSignalSpy ended(&window, &WheelWindow::searchEnded);
    return !window.busy() || ended.wait(60000);
}

QStringList listed(const WheelWindow& window) {
    return window.findChild<QPlainTextEdit*>(u"List1"_s)
        ->toPlainText()
        .split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class TestWheelWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wheelOfPickedBoxes() {
        ScriptedPrompter prompter;
        WheelWindow window([] { return SelectionResult{}; }, {});
        window.show();
        for (int red : {3, 7, 11, 15, 19, 23, 27, 31, 33})
            click(&window, u"Check1_%1"_s.arg(red));
        QCOMPARE(textOf(&window, u"Text1"_s), u"03 07 11 15 19 23 27 31 33"_s);
        window.findChild<QComboBox*>(u"Combo1"_s)->setCurrentText(u"中5保4"_s);
        retype(&window, u"Text3"_s, u"08 12"_s);
        click(&window, u"Command1"_s);
        QVERIFY(waitForEnd(window));

        const QStringList tickets = listed(window);
        QVERIFY(!tickets.isEmpty());
        QCOMPARE(textOf(&window, u"Label1"_s),
                 u"旋转矩阵中5保4（号码池9个）：共%1注"_s.arg(tickets.size()));
        QCOMPARE(
            textOf(&window, u"Label3"_s),
            u"已逐一验证：号码池中任选5个号码共126种情况，每种都有一注至少含其中4个，全部满足"_s);
        QCOMPARE(textOf(&window, u"Label2"_s),
                 u"共%1注，金额%2元"_s.arg(tickets.size() * 2).arg(tickets.size() * 4));

        QSignalSpy chosen(&window, &WheelWindow::resultChosen);
        click(&window, u"Command5"_s);
        QCOMPARE(chosen.size(), 1);
        const auto result = chosen.first().at(0).value<SelectionResult>();
        QCOMPARE(result.count(), tickets.size());
        QCOMPARE(chosen.first().at(1).toString(),
                 u"旋转矩阵中5保4（号码池9个），%1注，已逐一验证"_s.arg(tickets.size()));
        QCOMPARE(prompter.messageTexts().size(), 1);
    }

    void typedPoolWithBankers() {
        ScriptedPrompter prompter;
        WheelWindow window([] { return SelectionResult{}; }, {});
        window.show();
        retype(&window, u"Text1"_s, u"1 2 3 4 5 6 7 8 9 10"_s);
        QVERIFY(window.findChild<QPushButton*>(u"Check1_10"_s)->isChecked());
        retype(&window, u"Text2"_s, u"04"_s);
        click(&window, u"Command1"_s); // 中6保5 is offered first-but-one and chosen at the start
        QVERIFY(waitForEnd(window));
        for (const QString& ticket : listed(window))
            QVERIFY(ticket.contains(u"04"_s));
        QVERIFY(textOf(&window, u"Label3"_s)
                    .startsWith(u"已逐一验证：号码池中任选6个号码（含全部胆码）共126种情况"_s));
        QVERIFY(prompter.messageTexts().isEmpty());
    }

    void refusedPoolChangesNothing() {
        ScriptedPrompter prompter;
        WheelWindow window([] { return SelectionResult{}; }, {});
        window.show();
        retype(&window, u"Text1"_s, u"1 2 3 4 5 6"_s);
        click(&window, u"Command1"_s);
        QVERIFY(!window.busy());
        QCOMPARE(prompter.messageTexts(), QStringList{u"号码池应有7到20个红球，现在有6个"_s});
        QVERIFY(listed(window).isEmpty());
        QVERIFY(!window.findChild<QPushButton*>(u"Command5"_s)->isEnabled());
    }

    // The empty result is refused and 保4 reaches the cover.
    void coverOfTheCurrentResult() {
        ScriptedPrompter prompter;
        SelectionResult current;
        WheelWindow window([&current] { return current; }, {});
        window.show();
        click(&window, u"Command2"_s);
        QCOMPARE(prompter.messageTexts(), QStringList{u"选号结果为0注，没有可以缩水的号码"_s});

        current = keptEvery(400);
        window.findChild<QComboBox*>(u"Combo2"_s)->setCurrentText(u"保4个红球"_s);
        click(&window, u"Command2"_s);
        QVERIFY(waitForEnd(window));
        QCOMPARE(textOf(&window, u"Label3"_s),
                 u"已逐一验证：全部%1注保留号码，每注都有一注与之至少相同4个红球，全部满足"_s.arg(
                     current.count()));
        QVERIFY(!listed(window).isEmpty());
        QVERIFY(window.findChild<QPushButton*>(u"Command5"_s)->isEnabled());
    }

    // Cancel part way: the tickets shown before stay, and so does "设为当前结果".
    void cancelKeepsWhatWasShown() {
        ScriptedPrompter prompter;
        WheelWindow window([] { return keptEvery(3); }, {});
        window.show();
        retype(&window, u"Text1"_s, u"1 2 3 4 5 6 7 8"_s);
        click(&window, u"Command1"_s);
        QVERIFY(waitForEnd(window));
        const QStringList before = listed(window);

        click(&window, u"Command2"_s); // 保5 of 369,190 combinations: long enough to cancel
        QVERIFY(window.busy() && !window.findChild<QPushButton*>(u"Command1"_s)->isEnabled());
        click(&window, u"Command3"_s);
        QVERIFY(waitForEnd(window));
        QCOMPARE(listed(window), before);
        QCOMPARE(window.findChild<QProgressBar*>(u"ProgressBar1"_s)->format(), u"已取消"_s);
        QVERIFY(window.findChild<QPushButton*>(u"Command5"_s)->isEnabled());
    }

    // Closing the window while it searches stops the search before the window goes.
    void closingWhileBusy() {
        auto* window = new WheelWindow([] { return keptEvery(3); }, {});
        window->show();
        click(window, u"Command2"_s);
        QVERIFY(window->busy());
        window->close(); // deletes it, waiting for the worker
        QTest::qWait(10);
    }
};

QTEST_MAIN(TestWheelWindow)
#include "test_wheel_window.moc"

// Form5 as a player uses it, on scripted balls: picks, single and repeated draws, the stop
// button, resets and help.

#include "game/game_pick.h"
#include "game/game_texts.h"
#include "game/widgets/game_window.h"
#include "scripted_random.h"
#include "support/scripted_prompter.h"
#include "support/widget_actions.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using ssq::test::click;
using ssq::test::retype;

class TestGameWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ssq::test::ScriptedPrompter> m_prompter;
    std::unique_ptr<ssq::GameWindow> m_window;
    ssq::test::ScriptedRandom* m_balls = nullptr;

    QString text(int i) const { return ssq::test::textOf(m_window.get(), u"Text%1"_s.arg(i)); }
    QStringList texts(int first, int last) const {
        QStringList all;
        for (int i = first; i <= last; ++i)
            all.append(text(i));
        return all;
    }
    QLineEdit* box(int i) const { return m_window->findChild<QLineEdit*>(u"Text%1"_s.arg(i)); }
    void typePick(const QStringList& values) {
        for (int i = 0; i < values.size(); ++i)
            retype(m_window.get(), u"Text%1"_s.arg(1 + i), values[i]);
    }
    void checkColours(int i, bool win) {
        const QPalette p = box(i)->palette();
        QCOMPARE(p.color(QPalette::Base), win ? QColor(0xFF, 0xFF, 0xC0) : QColor(Qt::white));
        QCOMPARE(p.color(QPalette::Text), win ? QColor(Qt::blue) : QColor(Qt::red));
    }

private Q_SLOTS:
    void init() {
        m_prompter = std::make_unique<ssq::test::ScriptedPrompter>();
        auto balls = std::make_unique<ssq::test::ScriptedRandom>();
        m_balls = balls.get();
        m_window = std::make_unique<ssq::GameWindow>(std::move(balls));
        m_window->show();
    }
    void cleanup() {
        m_window.reset();
        m_prompter.reset();
    }

    void randomPickFillsTheBoxes() {
        m_balls->add({4, 4, 9, 15, 22, 22, 28, 31, 33, 12});
        click(m_window.get(), u"Command11"_s);
        QCOMPARE(texts(1, 8), (QStringList{u"4"_s, u"9"_s, u"15"_s, u"22"_s, u"28"_s, u"31"_s,
                                           u"33"_s, u"12"_s}));
        m_balls->add({1, 2, 3, 4, 5, 6, 7, 16});
        click(m_window.get(), u"Command10"_s);
        QCOMPARE(texts(1, 8).join(u' '), u"1 2 3 4 5 6 7 16"_s);
    }

    void singleDrawShowsHitsAndPrize() {
        typePick({u"3"_s, u"8"_s, u"12"_s, u"19"_s, u"23"_s, u"27"_s, u"31"_s, u"9"_s});
        m_balls->add({19, 4, 3, 3, 30, 31, 20, 9});
        click(m_window.get(), u"Command2"_s);
        QCOMPARE(texts(9, 15).join(u' '), u"19 4 3 30 31 20 9"_s);
        QCOMPARE(text(16), u"您选中红球 19  3  31  共3个号码! 并中蓝球9"_s);
        QCOMPARE(text(17), u"您中了5等奖共4注,6等奖3注，"_s);
        checkColours(17, true);

        // Three reds without the blue lose, on white with red text.
        m_balls->add({3, 8, 12, 1, 2, 4, 16});
        click(m_window.get(), u"Command2"_s);
        QCOMPARE(text(17), u"您赔钱了"_s);
        checkColours(17, false);
        QVERIFY(m_prompter->messageTexts().isEmpty());
    }

    // Every box empty is refused and nothing is drawn; the picks the rule refuses are tabled
    // in the game's own test.
    void singleDrawRefusesBadPicks() {
        click(m_window.get(), u"Command2"_s);
        QCOMPARE(m_prompter->messageTexts(),
                 QStringList{u"您没选号或者选择的号码超出了范围,请重新选择!!!机选手选均可"_s});
        QCOMPARE(texts(9, 17), QStringList(9));
    }

    // Six reds and no blue: a draw that also hits the blue does not end the run (the rule is
    // the game's own test; here what the player sees).
    void repeatedDrawStopsAtExactTarget() {
        typePick({u"3"_s, u"8"_s, u"12"_s, u"19"_s, u"23"_s, u"27"_s, u"31"_s, u"9"_s});
        retype(m_window.get(), u"Text18"_s, u"6"_s); // Text19 left empty: blue missed
        m_balls->add({3, 8, 12, 19, 23, 27, 9, 31, 3, 8, 12, 19, 23, 5});
        click(m_window.get(), u"Command7"_s);
        QTRY_VERIFY(!m_window->isDrawing());
        QCOMPARE(text(20), u"我不停地摇啊摇,摇了 2次奖,球都摇破了,累死我了!"_s);
        QCOMPARE(texts(9, 15).join(u' '), u"31 3 8 12 19 23 5"_s);
    }

    // Empty target boxes read as a red target of 0: refused, no run started.
    void repeatedDrawRefusal() {
        typePick({u"3"_s, u"8"_s, u"12"_s, u"19"_s, u"23"_s, u"27"_s, u"31"_s, u"9"_s});
        click(m_window.get(), u"Command7"_s);
        QVERIFY(!m_window->isDrawing());
        QCOMPARE(m_prompter->messageTexts(),
                 QStringList{u"红球数范围为1-6,请不要输入0或空格,蓝球数可以设为空格（默认为0），"
                             u"请重新选择!!!"_s});
        QVERIFY(text(20).isEmpty());
    }

    // A run that never meets its target shows its count while it runs and ends on the stop button.
    void stopButtonEndsARun() {
        m_window = std::make_unique<ssq::GameWindow>(std::make_unique<ssq::test::NeverHits>());
        m_window->show();
        auto* stop = m_window->findChild<QPushButton*>(u"Command12"_s);
        QVERIFY(!stop->isEnabled());
        typePick({u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"9"_s});
        retype(m_window.get(), u"Text18"_s, u"1"_s);
        click(m_window.get(), u"Command7"_s);
        QVERIFY(m_window->isDrawing() && stop->isEnabled());
        QVERIFY(!m_window->findChild<QPushButton*>(u"Command2"_s)->isEnabled());
        QTRY_VERIFY(text(20).startsWith(u"正在摇奖"_s) && text(20) != ssq::drawingText(0));
        click(m_window.get(), u"Command12"_s);
        QTRY_VERIFY(!m_window->isDrawing());
        QVERIFY(text(20).startsWith(u"已停止摇奖"_s));
        QVERIFY(text(9).isEmpty() && text(17).isEmpty());
        QVERIFY(m_window->findChild<QPushButton*>(u"Command2"_s)->isEnabled());

        click(m_window.get(), u"Command7"_s); // closing the window stops a run too
        m_window->close();
        QVERIFY(!m_window->isDrawing());
    }

    void resetsAndHelp() {
        for (int i = 1; i <= 20; ++i)
            box(i)->setText(u"1"_s);
        click(m_window.get(), u"Command3"_s);
        QCOMPARE(texts(1, 17), QStringList(17));
        QCOMPARE(texts(18, 20), (QStringList{u"1"_s, u"1"_s, u"1"_s}));
        click(m_window.get(), u"Command6"_s);
        QCOMPARE(texts(1, 20), QStringList(20));

        click(m_window.get(), u"Command5"_s); // the greeting and the first help
        click(m_window.get(), u"Command8"_s);
        QCOMPARE(m_prompter->messageTexts(),
                 (QStringList{ssq::firstGameHelp(), ssq::secondGameHelp()}));
    }
};

QTEST_MAIN(TestGameWindow)
#include "test_game_window.moc"

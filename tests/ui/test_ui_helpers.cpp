// Twips, grid widths, offscreen rendering and the prompter/opener switches.

#include "support/recording_url_opener.h"
#include "support/scripted_prompter.h"
#include "ui/qt_grid_widths.h"
#include "ui/qt_prompter.h"
#include "ui/qt_url_opener.h"
#include "ui/qt_window_render.h"
#include "ui/twips.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestUiHelpers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void twipsRoundToPixels_data();
    void twipsRoundToPixels();
    void gridDefaultWidthCoversPresentAndFutureColumns();
    void gridColumnWidthAllowsNarrowColumns();
    void rendersWindowToPng();
    void renderReportsUnwritablePath();
    void installedPrompterAndOpenerAreUsedUntilRemoved();
    void scriptedPrompterAnswersInOrderAndRecordsUnanswered();
};

void TestUiHelpers::twipsRoundToPixels_data() {
    QTest::addColumn<double>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("one pixel") << 15.0 << 1;
    QTest::newRow("one inch") << 1440.0 << 96;
    QTest::newRow("grid default 390.0473") << 390.0473 << 26;
    QTest::newRow("below half") << 7.0 << 0;
    QTest::newRow("above half") << 8.0 << 1;
    QTest::newRow("credit wrap 10000") << 10000.0 << 667;
    QTest::newRow("negative") << -15.0 << -1;
}

void TestUiHelpers::twipsRoundToPixels() {
    QFETCH(double, twips);
    QFETCH(int, pixels);
    QCOMPARE(ssq::twipsToPixels(twips), pixels);
    QCOMPARE(ssq::pixelsToTwips(96), 1440.0);
}

void TestUiHelpers::gridDefaultWidthCoversPresentAndFutureColumns() {
    QTableView grid;
    QStandardItemModel three(2, 3);
    grid.setModel(&three);
    grid.horizontalHeader()->resizeSection(1, 300);

    ssq::setDefaultColumnWidth(grid, 390.0473);
    for (int c = 0; c < 3; ++c)
        QCOMPARE(grid.horizontalHeader()->sectionSize(c), 26);

    QStandardItemModel five(1, 5);
    grid.setModel(&five);
    for (int c = 0; c < 5; ++c)
        QCOMPARE(grid.horizontalHeader()->sectionSize(c), 26);
}

void TestUiHelpers::gridColumnWidthAllowsNarrowColumns() {
    QTableView grid;
    QStandardItemModel model(1, 3);
    grid.setModel(&model);
    ssq::setColumnWidth(grid, 1, 1500);
    ssq::setColumnWidth(grid, 2, 60);
    QCOMPARE(grid.horizontalHeader()->sectionSize(1), 100);
    QCOMPARE(grid.horizontalHeader()->sectionSize(2), 4);
}

void TestUiHelpers::rendersWindowToPng() {
    QLabel label(u"双色球"_s);
    label.setFixedSize(120, 40);
    label.setStyleSheet(u"background: white; color: black; font-size: 24px;"_s);

    const QImage image = ssq::renderWindow(label);
    QCOMPARE(image.size() / image.devicePixelRatio(), QSize(120, 40));
    // Some pixels are drawn in the text colour: the CJK glyphs rendered.
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 100;
    QVERIFY(dark > 50);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"nested/Form0.png"_s);
    QVERIFY(ssq::saveWindowPng(label, path));
    const QImage saved(path);
    QCOMPARE(saved.size(), image.size());
}

void TestUiHelpers::renderReportsUnwritablePath() {
    QTemporaryDir dir;
    QFile blocker(dir.filePath(u"file"_s));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QLabel label(u"x"_s);
    QString error;
    QVERIFY(!ssq::saveWindowPng(label, dir.filePath(u"file/inside.png"_s), &error));
    QVERIFY(error.contains(u"inside.png"_s));
}

void TestUiHelpers::installedPrompterAndOpenerAreUsedUntilRemoved() {
    QVERIFY(!ssq::programTitle().isEmpty());
    {
        ssq::test::ScriptedPrompter scripted;
        ssq::test::RecordingUrlOpener recording;
        ssq::prompter().message(nullptr, u"一"_s, ssq::Prompter::Icon::Warning);
        ssq::urlOpener().open(QUrl(u"https://example.org/"_s));
        QCOMPARE(scripted.messages().size(), 1);
        QCOMPARE(scripted.messages().front().icon, ssq::Prompter::Icon::Warning);
        QCOMPARE(recording.opened(), QList<QUrl>{QUrl(u"https://example.org/"_s)});
    }
    QVERIFY(dynamic_cast<ssq::QtPrompter*>(&ssq::prompter()));
    QVERIFY(dynamic_cast<ssq::QtUrlOpener*>(&ssq::urlOpener()));
}

void TestUiHelpers::scriptedPrompterAnswersInOrderAndRecordsUnanswered() {
    ssq::test::ScriptedPrompter scripted;
    scripted.answerQuestion(true);
    scripted.answerInput(u"7018"_s);
    QVERIFY(ssq::prompter().question(nullptr, u"问一"_s));
    QVERIFY(!ssq::prompter().question(nullptr, u"问二"_s));
    QCOMPARE(ssq::prompter().input(nullptr, u"期号"_s), std::optional<QString>(u"7018"_s));
    QCOMPARE(ssq::prompter().openFileName(nullptr, u"打开"_s, {}), QString());
    QCOMPARE(scripted.questions(), (QStringList{u"问一"_s, u"问二"_s, u"期号"_s, u"打开"_s}));
    QCOMPARE(scripted.unanswered(), (QStringList{u"问二"_s, u"打开"_s}));
}

QTEST_MAIN(TestUiHelpers)
#include "test_ui_helpers.moc"

// Twips, grid widths, animated GIFs and the prompter/opener switches.

#include "model/leading_number_text.h"
#include "support/scripted_prompter.h"
#include "support/widget_actions.h"
#include "ui/gif_writer.h"
#include "ui/translations.h"
#include "ui/twips.h"
#include "ui/url_opener.h"
#include "ui/widgets/grid_widths.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/message_box_prompter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QImageReader>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// The desktop speaks English here, as many players' desktops do; the program must not.
const bool g_englishDesktop = [] {
    qputenv("LANG", "en_US.UTF-8");
    qputenv("LC_ALL", "en_US.UTF-8");
    return true;
}();

// Runs `look` on the modal dialog of type D once it is up, then closes it.
template <typename D> void whenShown(const std::function<void(D*)>& look) {
    QTimer::singleShot(0, [look] {
        D* dialog = nullptr;
        const bool shown = QTest::qWaitFor([&] {
            dialog = qobject_cast<D*>(QApplication::activeModalWidget());
            return dialog != nullptr;
        });
        if (!shown)
            return;
        look(dialog);
        dialog->reject();
    });
}

QImage noise(int width, int height, int colours, quint32 seed) {
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(random.bounded(colours), 200, 7));
    return image;
}

} // namespace

class TestUiHelpers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The dialog adds the default suffix itself, so its own question about an existing file sees
    // the final name; a name the program still extends after the dialog is asked about here.
    void savePathAsksAboutTheFinalName() {
        QTemporaryDir dir;
        const QString existing = dir.filePath(u"mine.v2.ssqpanel.json"_s);
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("{}") == 2);
        file.close();
        ssq::test::ScriptedPrompter prompter;
        const auto ask = [] {
            return ssq::askSavePath(nullptr, u"保存条件到文件"_s, u"条件文件 (*.ssqpanel.json)"_s,
                                    u".json"_s, u".ssqpanel.json"_s);
        };
        prompter.answerFileName(dir.filePath(u"mine"_s));
        QCOMPARE(ask(), dir.filePath(u"mine.ssqpanel.json"_s));
        QCOMPARE(prompter.saveSuffixes(), QStringList{u"ssqpanel.json"_s});
        QCOMPARE(prompter.questions().size(), 1); // the dialog's caption only

        for (const bool replace : {false, true}) {
            prompter.clear();
            prompter.answerFileName(dir.filePath(u"mine.v2"_s));
            prompter.answerQuestion(replace);
            QCOMPARE(ask(), replace ? existing : QString());
            QCOMPARE(prompter.questions().value(1),
                     u"文件“%1”已经存在。要替换它吗？"_s.arg(QDir::toNativeSeparators(existing)));
        }
    }

    void twipsRoundToPixels() {
        // one pixel, one inch, the grids' default, either side of a half, negative
        for (const auto& [twips, pixels] :
             {std::pair{15.0, 1}, {1440.0, 96}, {390.0473, 26}, {7.0, 0}, {8.0, 1}, {-15.0, -1}})
            QCOMPARE(ssq::twipsToPixels(twips), pixels);
        QCOMPARE(ssq::pixelsToTwips(96), 1440.0);
    }

    // The default width reaches the columns of a later query; one column may be narrow.
    void gridWidths() {
        QTableView grid;
        QStandardItemModel three(2, 3), five(1, 5);
        grid.setModel(&three);
        ssq::setDefaultColumnWidth(grid, 390.0473);
        grid.setModel(&five);
        ssq::setColumnWidth(grid, 2, 60);
        QCOMPARE(grid.horizontalHeader()->sectionSize(4), 26);
        QCOMPARE(grid.horizontalHeader()->sectionSize(2), 4);
    }

    // Animated GIFs read back exactly through Qt's own reader: large noisy frames fill the code
    // table several times over; single rows of every length put the end code on every code-width
    // boundary.
    void gifFramesReadBackExactly() {
        QTemporaryDir dir;
        const QList<QImage> frames{noise(300, 200, 200, 1), noise(300, 200, 1, 3)};
        const QString path = dir.filePath(u"noise.gif"_s);
        QVERIFY(ssq::writeAnimatedGif(path, frames, 80));
        QImageReader reader(path, "gif");
        QCOMPARE(reader.imageCount(), 2);
        QCOMPARE(reader.loopCount(), -1);
        for (const QImage& frame : frames) {
            QCOMPARE(reader.read().convertToFormat(QImage::Format_RGB32), frame);
            QCOMPARE(reader.nextImageDelay(), 80);
        }
        for (int length = 1; length <= 1200; ++length) {
            const QImage row = noise(length, 1, 256, quint32(length));
            QVERIFY(ssq::writeAnimatedGif(path, {row}, 100));
            QVERIFY2(QImage(path).convertToFormat(QImage::Format_RGB32) == row,
                     qPrintable(QString::number(length)));
        }
    }

    // Qt's file dialog lists folders and dates in Chinese on an English desktop.
    void fileDialogInChinese() {
        QVERIFY(ssq::installChineseTranslations(*QCoreApplication::instance()));
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"备份"_s));
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QStringList seen;
        whenShown<QFileDialog>([&seen](QFileDialog* dialog) {
            auto* files = dialog->findChild<QTreeView*>(u"treeView"_s);
            if (!QTest::qWaitFor(
                    [&] { return files && files->model()->rowCount(files->rootIndex()) > 0; }))
                return;
            const QModelIndex folder = files->model()->index(0, 0, files->rootIndex());
            for (int c = 0; c < 4; ++c)
                seen.append(folder.siblingAtColumn(c).data().toString());
            seen.append(dialog->testOption(QFileDialog::DontUseNativeDialog) ? u"Qt"_s
                                                                             : u"native"_s);
        });
        ssq::MessageBoxPrompter().openFileName(nullptr, u"打开"_s, u"条件文件 (*.json)"_s);
        QDir::setCurrent(before);
        QCOMPARE(seen.size(), 5);
        QCOMPARE(seen[0], u"备份"_s);
        QCOMPARE(seen[2], u"文件夹"_s);
        QVERIFY2(QRegularExpression(u"^\\d{4}/\\d{1,2}/\\d{1,2} \\d\\d:\\d\\d$"_s)
                     .match(seen[3])
                     .hasMatch(),
                 qPrintable(seen[3]));
        QCOMPARE(seen[4], u"Qt"_s);
    }

    // Full-width digits read as the digits they are.
    void fullWidthDigits_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("value");
        QTest::newRow("full-width sign and point") << u"－３．５"_s << -3.5;
        QTest::newRow("ideographic space first") << u"\u3000７"_s << 7.0;
        QTest::newRow("other full-width letters stop") << u"３Ａ"_s << 3.0;
    }
    void fullWidthDigits() {
        QFETCH(QString, typed);
        QFETCH(double, value);
        QCOMPARE(ssq::numberOf(typed), value);
    }

    // Help pages open inside the program, without a browser; a missing one says so.
    void helpPagesInsideTheProgram() {
        QTemporaryDir dir;
        const QString page = dir.filePath(u"page.html"_s);
        QFile file(page);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            u"<html><head><title>说明</title></head><body><p>正文</p></body></html>"_s.toUtf8());
        file.close();
        ssq::urlOpener().open(QUrl::fromLocalFile(page));
        ssq::HelpWindow* help = ssq::test::topLevel<ssq::HelpWindow>().value(0);
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->windowTitle(), u"帮助 - 说明"_s);
        QVERIFY(help->browser()->toPlainText().contains(u"正文"_s));
        ssq::urlOpener().open(QUrl::fromLocalFile(dir.filePath(u"没有.html"_s)));
        QVERIFY(help->browser()->toPlainText().contains(u"找不到帮助页"_s));
        help->close();
    }
};

QTEST_MAIN(TestUiHelpers)
#include "test_ui_helpers.moc"

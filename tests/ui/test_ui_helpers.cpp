// Twips, grid widths, animated GIFs and the prompter/opener switches.

#include "support/recording_url_opener.h"
#include "support/scripted_prompter.h"
#include "ui/gif_writer.h"
#include "ui/translations.h"
#include "ui/twips.h"
#include "ui/widgets/desktop_url_opener.h"
#include "ui/widgets/grid_widths.h"
#include "ui/widgets/message_box_prompter.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImageReader>
#include <QLocale>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

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
        // twips, pixels: one pixel, one inch, the grids' default, either side of a half, negative
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

    // Qt's own buttons and dates speak Chinese once the translations are in.
    void qtButtonsInChinese() {
        QVERIFY(ssq::installChineseTranslations(*QCoreApplication::instance()));
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                             QDialogButtonBox::Yes | QDialogButtonBox::No);
        QStringList texts;
        for (auto b : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel, QDialogButtonBox::Yes,
                       QDialogButtonBox::No})
            texts.append(box.button(b)->text().remove(u'&'));
        QCOMPARE(texts, (QStringList{u"确定"_s, u"取消"_s, u"是(Y)"_s, u"否(N)"_s}));
        QCOMPARE(QLocale().toString(QDate(2026, 12, 6), QLocale::ShortFormat), u"2026/12/6"_s);
    }

    void installedPrompterAndOpenerAreUsedUntilRemoved() {
        {
            ssq::test::ScriptedPrompter scripted;
            ssq::test::RecordingUrlOpener recording;
            ssq::prompter().message(nullptr, u"一"_s);
            ssq::urlOpener().open(QUrl(u"http://127.0.0.1:1/"_s));
            QVERIFY(scripted.messageTexts().size() == 1 && recording.opened().size() == 1);
        }
        QVERIFY(dynamic_cast<ssq::MessageBoxPrompter*>(&ssq::prompter()) &&
                dynamic_cast<ssq::DesktopUrlOpener*>(&ssq::urlOpener()));
    }
};

QTEST_MAIN(TestUiHelpers)
#include "test_ui_helpers.moc"

// Animated GIFs written by the program read back through Qt's own GIF reader.

#include "ui/qt_gif_writer.h"

#include <QImageReader>
#include <QRandomGenerator>
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

class TestGifWriter : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    // Large noisy frames fill the code table several times over.
    void framesReadBackExactly() {
        const QList<QImage> frames{noise(300, 200, 200, 1), noise(300, 200, 3, 2), noise(300, 200, 1, 3)};
        const QString path = m_dir.filePath(u"noise.gif"_s);
        QVERIFY(ssq::writeAnimatedGif(path, frames, 80));
        QImageReader reader(path, "gif");
        QCOMPARE(reader.imageCount(), 3);
        QCOMPARE(reader.loopCount(), -1);
        for (const QImage& frame : frames) {
            QCOMPARE(reader.read().convertToFormat(QImage::Format_RGB32), frame);
            QCOMPARE(reader.nextImageDelay(), 80);
        }
    }

    // Every length of a single row, so that the end code falls on every code-width boundary.
    void everyLengthDecodes() {
        const QString path = m_dir.filePath(u"row.gif"_s);
        for (int length = 1; length <= 1200; ++length) {
            const QImage row = noise(length, 1, 256, quint32(length));
            QVERIFY(ssq::writeAnimatedGif(path, {row}, 100));
            QVERIFY2(QImage(path).convertToFormat(QImage::Format_RGB32) == row, qPrintable(QString::number(length)));
        }
    }

    // More colours than a palette holds come back close.
    void manyColoursStayClose() {
        QImage gradient(256, 64, QImage::Format_RGB32);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 256; ++x)
                gradient.setPixel(x, y, qRgb(x, y * 4, 255 - x));
        const QString path = m_dir.filePath(u"gradient.gif"_s);
        QVERIFY(ssq::writeAnimatedGif(path, {gradient}, 100));
        const QImage read = QImage(path).convertToFormat(QImage::Format_RGB32);
        int worst = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 256; ++x)
                for (int shift : {0, 8, 16})
                    worst = std::max(worst, std::abs(int(gradient.pixel(x, y) >> shift & 0xff) - int(read.pixel(x, y) >> shift & 0xff)));
        QVERIFY2(worst <= 40, qPrintable(QString::number(worst)));
    }
};

QTEST_MAIN(TestGifWriter)
#include "test_gif_writer.moc"

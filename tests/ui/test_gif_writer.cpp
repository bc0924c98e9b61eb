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
        for (int x = 0; x < width; ++x) {
            const int c = random.bounded(colours);
            image.setPixel(x, y, qRgb(c, 255 - c, (c * 7) % 256));
        }
    return image;
}

QList<QImage> readBack(const QString& path, int* delay = nullptr, int* loops = nullptr) {
    QImageReader reader(path, "gif");
    QList<QImage> frames;
    if (loops)
        *loops = reader.loopCount();
    while (reader.canRead()) {
        const QImage frame = reader.read();
        if (frame.isNull())
            break;
        if (delay)
            *delay = reader.nextImageDelay();
        frames.append(frame.convertToFormat(QImage::Format_RGB32));
    }
    return frames;
}

} // namespace

class TestGifWriter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void framesReadBackExactly();
    void everyLengthDecodes();
    void manyColoursStayClose();
    void refusesBadFrames();

private:
    QTemporaryDir m_dir;
};

// Large noisy frames fill the code table several times over.
void TestGifWriter::framesReadBackExactly() {
    const QList<QImage> frames = {noise(300, 200, 200, 1), noise(300, 200, 3, 2),
                                  QImage(300, 200, QImage::Format_RGB32)};
    QImage flat = frames[2];
    flat.fill(qRgb(200, 0, 0));
    const QList<QImage> written = {frames[0], frames[1], flat};
    const QString path = m_dir.filePath(u"noise.gif"_s);
    QVERIFY(ssq::writeAnimatedGif(path, written, 80));

    int delay = 0;
    int loops = 0;
    const QList<QImage> read = readBack(path, &delay, &loops);
    QCOMPARE(read.size(), 3);
    QCOMPARE(delay, 80);
    QCOMPARE(loops, -1);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(read[i], written[i]);
}

// Every length of a single row, so that the end code falls on every code-width boundary.
void TestGifWriter::everyLengthDecodes() {
    for (int length = 1; length <= 1200; ++length) {
        const QImage row = noise(length, 1, 256, quint32(length));
        const QString path = m_dir.filePath(u"row.gif"_s);
        QVERIFY(ssq::writeAnimatedGif(path, {row}, 100));
        const QList<QImage> read = readBack(path);
        QVERIFY2(read.size() == 1 && read.front() == row, qPrintable(QString::number(length)));
    }
}

void TestGifWriter::manyColoursStayClose() {
    QImage gradient(256, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x)
            gradient.setPixel(x, y, qRgb(x, y * 4, 255 - x));
    const QString path = m_dir.filePath(u"gradient.gif"_s);
    QVERIFY(ssq::writeAnimatedGif(path, {gradient}, 100));
    const QList<QImage> read = readBack(path);
    QCOMPARE(read.size(), 1);
    int worst = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x) {
            const QRgb a = gradient.pixel(x, y);
            const QRgb b = read.front().pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    QVERIFY2(worst <= 40, qPrintable(QString::number(worst)));
}

void TestGifWriter::refusesBadFrames() {
    QString error;
    QVERIFY(!ssq::writeAnimatedGif(m_dir.filePath(u"none.gif"_s), {}, 100, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!ssq::writeAnimatedGif(m_dir.filePath(u"mixed.gif"_s),
                                   {noise(4, 4, 2, 1), noise(5, 4, 2, 1)}, 100, &error));
    QVERIFY(!QFile::exists(m_dir.filePath(u"mixed.gif"_s)));
    QVERIFY(!ssq::writeAnimatedGif(m_dir.filePath(u"no/such/folder.gif"_s), {noise(4, 4, 2, 1)},
                                   100, &error));
    QVERIFY(error.contains(u"folder.gif"_s));
}

QTEST_MAIN(TestGifWriter)
#include "test_gif_writer.moc"

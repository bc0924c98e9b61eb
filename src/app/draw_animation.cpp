// ssq-draw-animation FILE: draws the welcome window's animation, seven numbered balls rolling
// into place, and writes it as an animated GIF. Run at build time; the result is the program's
// own ssq.gif.

#include "ui/gif_writer.h"

#include <QEasingCurve>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QRadialGradient>
#include <QTextStream>

#include <array>

using namespace Qt::StringLiterals;

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 200;
constexpr int kRadius = 25;
constexpr int kBallY = 118;
constexpr int kFrameMs = 80;
constexpr int kHoldFrames = 20; // the finished row
constexpr int kFallFrames = 10; // the row drops away
constexpr int kRollFrames = 9;  // one ball rolling in
constexpr int kRollGap = 5;     // frames between two balls setting off
constexpr int kSettleFrames = 6;

const std::array<int, 7> kNumbers = {3, 9, 16, 21, 28, 32, 11};

int slotX(int ball) {
    return ball < 6 ? 48 + ball * 62 : 432;
}

void drawStage(QPainter& p) {
    // Flat colours: a gradient would band in a 256-colour palette.
    p.fillRect(0, 0, kWidth, kHeight, QColor(0x18, 0x34, 0x70));

    p.setPen(QColor(0xf4, 0xd0, 0x60));
    QFont title(u"WenQuanYi Micro Hei"_s);
    title.setPixelSize(26);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(0, 12, kWidth, 40), Qt::AlignCenter, u"双色球 · 好运来"_s);

    // The rail the balls roll on.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0c, 0x18, 0x38));
    p.drawRoundedRect(QRectF(14, kBallY + kRadius + 2, kWidth - 28, 8), 4, 4);
    p.setPen(QPen(QColor(0xf4, 0xd0, 0x60), 2));
    p.drawLine(QPointF(396, kBallY - 30), QPointF(396, kBallY + 30));
}

void drawBall(QPainter& p, QPointF centre, int number, bool blue) {
    const QColor base = blue ? QColor(0x1e, 0x5c, 0xd8) : QColor(0xd8, 0x1e, 0x24);
    const QColor dark = blue ? QColor(0x0a, 0x24, 0x66) : QColor(0x6a, 0x08, 0x0c);
    QRadialGradient shade(centre + QPointF(-kRadius * 0.35, -kRadius * 0.4), kRadius * 1.3);
    shade.setColorAt(0, Qt::white);
    shade.setColorAt(0.25, base.lighter(130));
    shade.setColorAt(0.7, base);
    shade.setColorAt(1, dark);
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(centre, kRadius, kRadius);

    p.setBrush(Qt::white);
    p.drawEllipse(centre, kRadius * 0.55, kRadius * 0.55);
    QFont digits(u"WenQuanYi Micro Hei"_s);
    digits.setPixelSize(17);
    digits.setBold(true);
    p.setFont(digits);
    p.setPen(dark);
    p.drawText(QRectF(centre.x() - kRadius, centre.y() - kRadius, 2 * kRadius, 2 * kRadius),
               Qt::AlignCenter, u"%1"_s.arg(number, 2, 10, QLatin1Char('0')));
}

QImage frame(const std::array<QPointF, 7>& centres) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawStage(p);
    for (int i = 0; i < 7; ++i)
        drawBall(p, centres[i], kNumbers[i], i == 6);
    return image;
}

QList<QImage> drawFrames() {
    QList<QImage> frames;
    std::array<QPointF, 7> centres;
    for (int i = 0; i < 7; ++i)
        centres[i] = QPointF(slotX(i), kBallY);
    for (int f = 0; f < kHoldFrames; ++f)
        frames.append(frame(centres));

    const QEasingCurve fall(QEasingCurve::InQuad);
    for (int f = 1; f <= kFallFrames; ++f) {
        for (int i = 0; i < 7; ++i)
            centres[i].setY(kBallY + fall.valueForProgress(double(f) / kFallFrames) * 140);
        frames.append(frame(centres));
    }

    const QEasingCurve roll(QEasingCurve::OutCubic);
    const int total = 6 * kRollGap + kRollFrames + kSettleFrames;
    for (int f = 0; f <= total; ++f) {
        for (int i = 0; i < 7; ++i) {
            const double t = std::clamp(double(f - i * kRollGap) / kRollFrames, 0.0, 1.0);
            const double start = kWidth + kRadius + 10;
            centres[i] = QPointF(start + (slotX(i) - start) * roll.valueForProgress(t), kBallY);
        }
        frames.append(frame(centres));
    }
    return frames;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: ssq-draw-animation FILE\n";
        return 2;
    }
    QString error;
    if (!ssq::writeAnimatedGif(QString::fromLocal8Bit(argv[1]), drawFrames(), kFrameMs, &error)) {
        err << error << '\n';
        return 1;
    }
    return 0;
}

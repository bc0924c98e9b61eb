#include "red/page_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerPoint = 20.0;
// A thin rule, about a quarter of a millimetre.
constexpr double kRuleWidthTwips = 14.0;

void fail(QString* error, const QString& message) {
    if (error)
        *error = message;
}

void paintOps(const PrintPage& page, QPainter& painter, QPagedPaintDevice& device) {
    for (const PrintOp& op : page.ops) {
        if (op.kind == PrintOp::Kind::Line) {
            painter.drawLine(QPointF(op.x, op.y), QPointF(op.x2, op.y2));
            continue;
        }
        QFont font = painter.font();
        // Pixel sizes are in the painter's own units, here twips.
        font.setPixelSize(qRound(op.fontSize * kTwipsPerPoint));
        painter.setFont(font);
        // The position names the top of the text, not its baseline.
        const double ascent = QFontMetricsF(font, &device).ascent();
        painter.drawText(QPointF(op.x, op.y + ascent), op.text);
    }
}

} // namespace

bool paintPage(const PrintPage& page, QPagedPaintDevice& device, QString* error) {
    return paintPages({page}, device, error);
}

bool paintPages(const QList<PrintPage>& pages, QPagedPaintDevice& device, QString* error) {
    QPainter painter;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const PrintPage& page = pages[i];
        // A standard size: a driver may refuse a custom one and print nothing.
        const QPageSize size(page.paper == Paper::A4 ? QPageSize::A4 : QPageSize::B5);
        const QPageLayout layout(size,
                                 page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                 QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        if (!device.setPageLayout(layout)) {
            fail(error, u"打印机不支持%1纸张，无法打印"_s.arg(size.name()));
            return false;
        }
        if (i == 0 && !painter.begin(&device)) {
            fail(error, u"无法开始打印，请检查打印机是否可用"_s);
            return false;
        }
        if (i > 0 && !device.newPage()) {
            fail(error, u"打印未能完成，请检查打印机"_s);
            return false;
        }
        painter.resetTransform();
        painter.scale(device.logicalDpiX() / kTwipsPerInch, device.logicalDpiY() / kTwipsPerInch);
        painter.setPen(QPen(Qt::black, kRuleWidthTwips));
        paintOps(page, painter, device);
        if (page.paint) {
            painter.save();
            page.paint(painter);
            painter.restore();
        }
    }
    if (painter.isActive() && !painter.end()) {
        fail(error, u"打印未能完成，请检查打印机"_s);
        return false;
    }
    return true;
}

} // namespace ssq

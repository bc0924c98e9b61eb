#include "ui/gif_writer.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <climits>
#include <unordered_map>
#include <vector>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kMinCodeSize = 8; // 256-colour palette
constexpr int kClearCode = 1 << kMinCodeSize;
constexpr int kEndCode = kClearCode + 1;
constexpr int kMaxCode = 4095;

struct Colour {
    QRgb rgb;
    qint64 count;
};

int channel(QRgb c, int k) {
    return k == 0 ? qRed(c) : k == 1 ? qGreen(c) : qBlue(c);
}

// A box of colours (a range of the colour list) with its widest channel.
struct Box {
    qsizetype begin = 0;
    qsizetype end = 0;
    int widest = 0;
    int range = 0;
};

Box measure(const std::vector<Colour>& colours, qsizetype begin, qsizetype end) {
    Box box{begin, end, 0, 0};
    for (int k = 0; k < 3; ++k) {
        int lo = 255;
        int hi = 0;
        for (qsizetype i = begin; i < end; ++i) {
            lo = std::min(lo, channel(colours[i].rgb, k));
            hi = std::max(hi, channel(colours[i].rgb, k));
        }
        if (hi - lo > box.range) {
            box.range = hi - lo;
            box.widest = k;
        }
    }
    return box;
}

// Median cut: split the box with the widest colour range at its weighted median until there
// are 256 boxes; each box's weighted mean is a palette entry.
QList<QRgb> buildPalette(const QList<QImage>& frames) {
    QHash<QRgb, qint64> histogram;
    for (const QImage& f : frames)
        for (int y = 0; y < f.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(f.constScanLine(y));
            for (int x = 0; x < f.width(); ++x)
                ++histogram[line[x] | 0xff000000u];
        }
    if (histogram.size() <= 256)
        return histogram.keys();

    std::vector<Colour> colours;
    colours.reserve(histogram.size());
    for (auto it = histogram.cbegin(); it != histogram.cend(); ++it)
        colours.push_back({it.key(), it.value()});

    std::vector<Box> boxes = {measure(colours, 0, qsizetype(colours.size()))};
    while (boxes.size() < 256) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            return a.range < b.range;
        });
        if (widest->range == 0)
            break;
        const Box box = *widest;
        const int k = box.widest;
        std::sort(colours.begin() + box.begin, colours.begin() + box.end,
                  [k](const Colour& a, const Colour& b) {
                      return channel(a.rgb, k) < channel(b.rgb, k);
                  });
        qint64 total = 0;
        for (qsizetype i = box.begin; i < box.end; ++i)
            total += colours[i].count;
        qint64 running = 0;
        qsizetype split = box.begin + 1;
        for (qsizetype i = box.begin; i < box.end - 1; ++i) {
            running += colours[i].count;
            split = i + 1;
            if (running * 2 >= total)
                break;
        }
        *widest = measure(colours, box.begin, split);
        boxes.push_back(measure(colours, split, box.end));
    }

    QList<QRgb> palette;
    for (const Box& box : boxes) {
        qint64 n = 0, r = 0, g = 0, b = 0;
        for (qsizetype i = box.begin; i < box.end; ++i) {
            n += colours[i].count;
            r += qRed(colours[i].rgb) * colours[i].count;
            g += qGreen(colours[i].rgb) * colours[i].count;
            b += qBlue(colours[i].rgb) * colours[i].count;
        }
        palette.append(qRgb(int(r / n), int(g / n), int(b / n)));
    }
    return palette;
}

class Indexer {
public:
    explicit Indexer(const QList<QRgb>& palette) : m_palette(palette) {}

    uchar indexOf(QRgb c) {
        c |= 0xff000000u;
        auto it = m_cache.find(c);
        if (it != m_cache.end())
            return *it;
        int best = 0;
        int bestDistance = INT_MAX;
        for (int i = 0; i < m_palette.size(); ++i) {
            const int dr = qRed(c) - qRed(m_palette[i]);
            const int dg = qGreen(c) - qGreen(m_palette[i]);
            const int db = qBlue(c) - qBlue(m_palette[i]);
            const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = i;
            }
        }
        m_cache.insert(c, uchar(best));
        return uchar(best);
    }

private:
    QList<QRgb> m_palette;
    QHash<QRgb, uchar> m_cache;
};

// Codes go out least significant bit first, packed into sub-blocks of at most 255 bytes.
class CodeWriter {
public:
    void write(int code, int size) {
        m_bits |= quint32(code) << m_count;
        m_count += size;
        while (m_count >= 8) {
            m_bytes.append(char(m_bits & 0xff));
            m_bits >>= 8;
            m_count -= 8;
        }
    }

    QByteArray finish() {
        if (m_count > 0)
            m_bytes.append(char(m_bits & 0xff));
        QByteArray blocks;
        for (qsizetype i = 0; i < m_bytes.size(); i += 255) {
            const QByteArray part = m_bytes.mid(i, 255);
            blocks.append(char(part.size()));
            blocks.append(part);
        }
        blocks.append('\0');
        return blocks;
    }

private:
    QByteArray m_bytes;
    quint32 m_bits = 0;
    int m_count = 0;
};

QByteArray compress(const std::vector<uchar>& pixels) {
    CodeWriter out;
    std::unordered_map<quint32, int> table;
    int codeSize = kMinCodeSize + 1;
    int lastCode = kEndCode;
    out.write(kClearCode, codeSize);
    int current = -1;
    for (uchar p : pixels) {
        if (current < 0) {
            current = p;
            continue;
        }
        const quint32 key = (quint32(current) << 8) | p;
        const auto found = table.find(key);
        if (found != table.end()) {
            current = found->second;
            continue;
        }
        out.write(current, codeSize);
        table.emplace(key, ++lastCode);
        if (lastCode >= (1 << codeSize))
            ++codeSize;
        if (lastCode == kMaxCode) {
            out.write(kClearCode, codeSize);
            table.clear();
            codeSize = kMinCodeSize + 1;
            lastCode = kEndCode;
        }
        current = p;
    }
    if (current >= 0) {
        out.write(current, codeSize);
        // The reader adds one more entry after this code and may widen before the end code.
        if (lastCode + 1 >= (1 << codeSize) && codeSize < 12 && lastCode > kEndCode)
            ++codeSize;
    }
    out.write(kEndCode, codeSize);
    return out.finish();
}

void appendWord(QByteArray& bytes, int value) {
    bytes.append(char(value & 0xff));
    bytes.append(char((value >> 8) & 0xff));
}

} // namespace

bool writeAnimatedGif(const QString& path, const QList<QImage>& frames, int frameDelayMs,
                      QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (frames.isEmpty() || frames.front().isNull())
        return fail(u"没有可写入的动画帧"_s);
    const QSize size = frames.front().size();
    QList<QImage> rgb;
    for (const QImage& f : frames) {
        if (f.size() != size)
            return fail(u"动画帧的大小不一致"_s);
        rgb.append(f.convertToFormat(QImage::Format_RGB32));
    }

    QList<QRgb> palette = buildPalette(rgb);
    Indexer indexer(palette);
    palette.resize(256, qRgb(0, 0, 0));

    QByteArray gif("GIF89a");
    appendWord(gif, size.width());
    appendWord(gif, size.height());
    gif.append(char(0xf7)); // global palette of 256 entries, 8 bits per channel
    gif.append('\0');       // background colour index
    gif.append('\0');       // square pixels
    for (QRgb c : palette) {
        gif.append(char(qRed(c)));
        gif.append(char(qGreen(c)));
        gif.append(char(qBlue(c)));
    }
    gif.append("\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00", 19); // loop forever

    const int delay = (frameDelayMs + 5) / 10;
    for (const QImage& f : rgb) {
        gif.append("\x21\xf9\x04\x04", 4); // graphic control: keep the frame, no transparency
        appendWord(gif, delay);
        gif.append("\x00\x00", 2);
        gif.append('\x2c');
        appendWord(gif, 0);
        appendWord(gif, 0);
        appendWord(gif, size.width());
        appendWord(gif, size.height());
        gif.append('\0');
        gif.append(char(kMinCodeSize));
        std::vector<uchar> pixels;
        pixels.reserve(size_t(size.width()) * size.height());
        for (int y = 0; y < size.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(f.constScanLine(y));
            for (int x = 0; x < size.width(); ++x)
                pixels.push_back(indexer.indexOf(line[x]));
        }
        gif.append(compress(pixels));
    }
    gif.append('\x3b');

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(gif) != gif.size())
        return fail(u"无法写入动画文件 %1"_s.arg(path));
    return true;
}

} // namespace ssq

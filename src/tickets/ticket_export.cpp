#include "tickets/ticket_export.h"

#include "model/red_code.h"
#include "store/output_target.h"
#include "tickets/ticket_line.h"

#include <QByteArray>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// Bytes gathered before each write; a large export is written and reported in these steps.
constexpr qsizetype kChunkBytes = 1 << 20;

char* twoDigits(char* out, int n) {
    out[0] = static_cast<char>('0' + n / 10);
    out[1] = static_cast<char>('0' + n % 10);
    return out + 2;
}

// One line without a heap allocation: "01 05 12 20 27 33 + 08\n" or "01,05,12,20,27,33,08\n".
char* writeLine(char* out, const RedCombo& red, int blue, ExportFormat format) {
    const char separator = format == ExportFormat::Csv ? ',' : ' ';
    for (int i = 0; i < 6; ++i) {
        if (i > 0)
            *out++ = separator;
        out = twoDigits(out, red[i]);
    }
    if (blue > 0) {
        if (format == ExportFormat::Csv) {
            *out++ = ',';
        } else {
            const char plus[] = " + ";
            out = std::copy(plus, plus + 3, out);
        }
        out = twoDigits(out, blue);
    }
    *out++ = '\n';
    return out;
}

// The blues each combination is written with: its own, the list, or none (0).
template <typename Visit>
bool forEachTicket(const SelectionResult& result, const BlueList& blues, Visit visit) {
    const BlueList none{0};
    const BlueList& listed = blues.empty() ? none : blues;
    const bool own = !result.blues.empty();
    for (std::size_t i = 0; i < result.codes.size(); ++i) {
        const RedCombo red = comboOfCode(result.codes[i]);
        if (own) {
            if (!visit(red, static_cast<int>(result.blues[i])))
                return false;
            continue;
        }
        for (int blue : listed)
            if (!visit(red, blue))
                return false;
    }
    return true;
}

} // namespace

ExportFormat exportFormatOf(const QString& path) {
    return path.endsWith(u".csv"_s, Qt::CaseInsensitive) ? ExportFormat::Csv : ExportFormat::Text;
}

qint64 exportTicketCount(const SelectionResult& result, const BlueList& blues) {
    if (!result.blues.empty())
        return result.count();
    return static_cast<qint64>(result.count()) * std::max<qint64>(1, blues.size());
}

QString exportSummary(qint64 tickets) {
    return u"共%1注，金额%2元"_s.arg(tickets).arg(tickets * kTicketPrice);
}

bool writeTicketExport(const QString& path, const SelectionResult& result, const BlueList& blues,
                       ExportFormat format, const ExportProgress& progress, QString* error) {
    *error = outputTargetProblem(path);
    if (!error->isEmpty())
        return false;
    // An empty list would replace the file the player named with nothing.
    if (exportTicketCount(result, blues) == 0) {
        *error = u"没有可以导出的号码，文件“%1”没有改动。"_s.arg(path);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = u"无法写入文件“%1”：%2"_s.arg(path, fileErrorText(file.errorString()));
        return false;
    }
    const bool withBlue = !result.blues.empty() || !blues.empty();
    QByteArray buffer;
    buffer.reserve(kChunkBytes + 64);
    if (format == ExportFormat::Csv)
        buffer.append(withBlue ? "r1,r2,r3,r4,r5,r6,blue\n" : "r1,r2,r3,r4,r5,r6\n");

    const qint64 total = exportTicketCount(result, blues);
    qint64 done = 0;
    bool givenUp = false;
    // The system's reason, taken at once: QSaveFile reports only "unknown error" by the commit.
    int writeErrno = 0;
    const auto flush = [&] {
        if (file.write(buffer) != buffer.size()) {
            writeErrno = errno;
            return false;
        }
        buffer.clear();
        if (progress && !progress(done, total)) {
            givenUp = true;
            return false;
        }
        return true;
    };
    char line[32];
    const bool written = forEachTicket(result, blues, [&](const RedCombo& red, int blue) {
        buffer.append(line, writeLine(line, red, blue, format) - line);
        ++done;
        return buffer.size() < kChunkBytes || flush();
    });
    if (!written || !flush() || !file.commit()) {
        const QString why = givenUp ? u"导出已取消"_s
                            : writeErrno != 0
                                ? fileErrorText(QString::fromLocal8Bit(std::strerror(writeErrno)))
                                : fileErrorText(file.errorString());
        file.cancelWriting();
        *error = u"导出失败，没有写入文件“%1”：%2"_s.arg(path, why);
        return false;
    }
    return true;
}

QStringList exportLines(const SelectionResult& result, const BlueList& blues, int limit) {
    QStringList lines;
    if (exportTicketCount(result, blues) > limit)
        return lines;
    char line[32];
    forEachTicket(result, blues, [&](const RedCombo& red, int blue) {
        // Without the line end.
        lines.append(
            QString::fromLatin1(line, writeLine(line, red, blue, ExportFormat::Text) - line - 1));
        return true;
    });
    return lines;
}

} // namespace ssq

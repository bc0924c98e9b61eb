// The draw-history parser on any bytes, read as the import reads a file: a bad line is refused
// with a message; every parsed draw is a valid draw; the draws chosen to import rise.

#include "fuzz_check.h"
#include "store/history_file.h"

#include <QString>

#include <cstddef>
#include <cstdint>

using namespace ssq;

namespace {

void checkDraw(const HistoryLine& line) {
    fuzzCheck(line.issue >= 0 && line.issue <= 9999, "an issue outside four digits");
    for (int i = 0; i < 6; ++i) {
        fuzzCheck(line.red[i] >= 1 && line.red[i] <= kRedMax, "a red ball outside 1..33");
        fuzzCheck(i == 0 || line.red[i - 1] < line.red[i], "red balls not sorted or repeated");
    }
    fuzzCheck(line.blue >= 1 && line.blue <= kBlueMax, "a blue ball outside 1..16");
}

void checkChosen(const std::vector<HistoryLine>& lines, const QString& from) {
    QString error;
    const auto chosen = drawsToImport(lines, from, &error);
    if (!chosen) {
        fuzzCheck(!error.isEmpty(), "a refused import gives no message");
        return;
    }
    for (std::size_t i = 1; i < chosen->size(); ++i)
        fuzzCheck((*chosen)[i - 1].issue < (*chosen)[i].issue, "draws to import do not rise");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString error;
    const auto lines = parseHistory(text, &error);
    if (!lines) {
        fuzzCheck(!error.isEmpty(), "a refused history gives no message");
        return 0;
    }
    for (const HistoryLine& line : *lines)
        checkDraw(line);
    checkChosen(*lines, {});
    if (!lines->empty()) {
        checkChosen(*lines, lines->back().issueText);
        checkChosen(*lines, lines->front().issueText.left(3));
    }
    return 0;
}

// The reader of pasted text and of a draw service's answer on any bytes: it ends, and every draw
// it finds without a problem is a valid draw with an issue of four or seven digits.

#include "fuzz_check.h"
#include "store/draw_answer.h"
#include "store/draw_source_parser.h"
#include "store/issue_number.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

using namespace ssq;

namespace {

void checkDraws(const std::vector<SourceDraw>& draws) {
    for (const SourceDraw& d : draws) {
        fuzzCheck(d.storedIssue >= 0 && d.storedIssue <= 9999,
                  "a stored issue outside four digits");
        fuzzCheck(d.fullIssue == 0 || storedIssueOfFull(d.fullIssue) == d.storedIssue,
                  "a full issue that does not give the stored one");
        fuzzCheck(d.fullIssue == 0 || (yearOfFullIssue(d.fullIssue) >= kFirstDrawYear &&
                                       yearOfFullIssue(d.fullIssue) <= kLastDrawYear),
                  "a full issue outside the years of the game");
        fuzzCheck(d.balls.size() <= 7, "more than seven balls kept");
        if (!d.problem.isEmpty())
            continue;
        for (int i = 0; i < 6; ++i) {
            fuzzCheck(d.red[i] >= 1 && d.red[i] <= kRedMax, "a red ball outside 1..33");
            fuzzCheck(i == 0 || d.red[i - 1] < d.red[i], "red balls not sorted or repeated");
        }
        fuzzCheck(d.blue >= 1 && d.blue <= kBlueMax, "a blue ball outside 1..16");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkDraws(parseDrawSource(QString::fromUtf8(bytes)));
    const DrawAnswer answer = readDrawAnswer(bytes);
    fuzzCheck(answer.ok || !answer.message.isEmpty(), "a refused answer gives no message");
    if (answer.ok)
        checkDraws(answer.draws);
    return 0;
}

// The ticket-file parser on any bytes: a bad line is refused with a short message naming it; every
// accepted line holds 6..20 different reds (a 胆拖 line: 1..5 bankers and drags, 7 or more in
// all) and at most 16 different blues, ascending, and covers at least one single ticket.

#include "fuzz_check.h"
#include "tickets/ticket_line.h"

#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace ssq;

namespace {

bool risingWithin(const std::vector<int>& balls, int max) {
    return std::adjacent_find(balls.begin(), balls.end(), std::greater_equal<int>()) ==
               balls.end() &&
           std::all_of(balls.begin(), balls.end(), [max](int b) { return b >= 1 && b <= max; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString error;
    const auto lines = parseTicketText(text, &error);
    if (!lines) {
        fuzzCheck(error.startsWith(QStringLiteral("第")), "a refusal does not name the line");
        // A bad field is quoted briefly, whatever the line holds.
        fuzzCheck(error.size() < 200, "a refusal quotes too much of the line");
        fuzzCheck(!error.contains(QChar(0)), "a refusal carries a NUL character");
        return 0;
    }
    for (const TicketLine& line : *lines) {
        if (line.bankers.empty()) {
            fuzzCheck(line.reds.size() >= 6 && line.reds.size() <= kMaxTicketReds,
                      "a line with the wrong number of reds");
        } else {
            // 胆拖: 1..5 bankers, none of them among the drags, 7 reds or more in all.
            fuzzCheck(line.bankers.size() <= 5, "more than five bankers");
            fuzzCheck(risingWithin(line.bankers, kRedMax), "bankers not rising within 1..33");
            fuzzCheck(line.bankers.size() + line.reds.size() >= 7, "a 胆拖 line of too few reds");
            fuzzCheck(std::none_of(line.bankers.begin(), line.bankers.end(),
                                   [&](int b) {
                                       return std::find(line.reds.begin(), line.reds.end(), b) !=
                                              line.reds.end();
                                   }),
                      "a banker that is also a drag");
        }
        fuzzCheck(risingWithin(line.reds, kRedMax), "reds not rising within 1..33");
        fuzzCheck(risingWithin(line.blues, kBlueMax), "blues not rising within 1..16");
        fuzzCheck(singleTicketCount(line) >= 1, "a line that covers no ticket");
    }
    return 0;
}

#pragma once
// Tickets a player can afford, with a guarantee that is checked, not promised.
//
// Pool wheel (旋转矩阵): from a pool of 7..20 reds, with optional bankers (胆码) that every
// ticket holds, tickets such that whenever m of the drawn reds are in the pool (the bankers
// among them), some ticket holds g of them: "中m保g".
// Kept-set cover (缩水保号): tickets among the kept combinations of a selection such that every
// kept combination shares at least g reds (5 or 4) with some ticket.
//
// Both are searched (tickets/cover_search.h) and then checked case by case; an outcome is only
// `verified` when every case held.

#include "model/red_code.h"
#include "tickets/cover_search.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace ssq {

constexpr int kMinPool = 7;
constexpr int kMaxPool = 20;
constexpr int kMaxBankers = 5;

struct Guarantee {
    int match = 0; // m: drawn reds in the pool
    int keep = 0;  // g: of them on one ticket
    bool operator==(const Guarantee&) const = default;
};

// "中6保5"
QString guaranteeText(Guarantee guarantee);
// The guarantees the window offers, strongest first.
const std::vector<Guarantee>& offeredGuarantees();
// "6:5"; nullopt when it is not two numbers around ":".
std::optional<Guarantee> parseGuarantee(const QString& text);

struct WheelRequest {
    std::vector<int> pool;    // 7..20 reds
    std::vector<int> bankers; // 0..5 reds of the pool
    Guarantee guarantee;
};

// Reds separated by blanks, commas or "、"; nullopt with a message for anything that is not a
// red number 1..33.
std::optional<std::vector<int>> parseRedList(const QString& text, QString* error);

// Why the request cannot be wheeled, or nullopt when it can.
std::optional<QString> wheelRefusal(const WheelRequest& request);

// The outcome of checking every case of a guarantee against a set of tickets.
struct CoverCheck {
    bool holds = false;
    std::int64_t cases = 0; // cases checked
    QString line;           // "已逐一验证：…全部满足", or the first case that failed
};

struct TicketCover {
    bool cancelled = false;
    std::vector<RedCombo> tickets; // ascending by code
    int greedyCount = 0;           // tickets of the plain greedy cover the search started from
    CoverCheck check;

    bool verified() const { return !cancelled && check.holds; }
};

constexpr std::uint64_t kDefaultCoverSeed = 1;

// A refused request gives an empty, unverified outcome; ask wheelRefusal first.
TicketCover buildWheel(const WheelRequest& request, std::uint64_t seed,
                       const CoverProgress& progress = {});

// Kept-set cover of the kept combinations' codes (any order, repeats ignored).
std::optional<QString> keptCoverRefusal(std::size_t kept, int keep);
TicketCover coverKeptSet(const std::vector<std::int32_t>& codes, int keep, std::uint64_t seed,
                         const CoverProgress& progress = {});

// The case-by-case checks behind `verified()`: a ticket that is no 6-set of the pool (holding
// the bankers) or no kept combination fails them too.
CoverCheck checkWheel(const WheelRequest& request, const std::vector<RedCombo>& tickets);
CoverCheck checkKeptCover(const std::vector<std::int32_t>& codes, int keep,
                          const std::vector<RedCombo>& tickets);

} // namespace ssq

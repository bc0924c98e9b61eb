#pragma once
// What a selection run leaves: the codes of the kept combinations in the order found (which is
// code order), held compactly; each combination's text is made only when it is asked for.

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace ssq {

struct SelectionResult {
    // Set when the run was refused before walking; nothing else is meaningful then.
    std::optional<QString> refusal;
    // Set when the run was cancelled part way; `codes` is then empty.
    bool cancelled = false;
    // Set by a run that was not refused; false in a result no run has made (nothing selected yet).
    bool walked = false;
    std::vector<std::int32_t> codes;
    // Empty after a run; after a random pick the blue ball (1..16) of each ticket, beside its
    // code. A kept combination with a blue is a whole ticket.
    std::vector<std::int8_t> blues;

    bool completed() const { return walked && !refusal && !cancelled; }
    int count() const { return static_cast<int>(codes.size()); }
    // The text of the index-th kept combination (0-based), e.g. "1 2 3 4 5 6", or with its
    // blue "1 2 3 4 5 6 + 8".
    QString text(int index) const;
    // The line shown under the panel when the run has ended.
    QString resultLine() const;
};

QString selectionResultLine(int count);

// "1 2 3 4 5 6" for code 1; empty for a code outside 1..1107568.
QString comboTextOfCode(int code);

} // namespace ssq

// The draw grid's cell-edit rule on any text: what it lets into a numeric column reads back as a
// number, what it lets into 期号 reads back as that very issue, and a refusal quotes the text
// briefly.

#include "fuzz_check.h"
#include "store/cell_edit_rule.h"
#include "store/draw_history.h"

#include <QString>
#include <QVariant>

#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace ssq;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    static const char* const tables[] = {"kjhm", "kjdm", "kjzb"};
    const QString table = QString::fromLatin1(tables[data[0] % 3]);
    const int column = (data[0] >> 2) % 4; // 期号 and the first few cells
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                           static_cast<qsizetype>(size - 1));
    const QString problem = cellEditProblem(table, column, 1, text);
    if (!problem.isEmpty()) {
        fuzzCheck(problem.size() < 200, "a refusal quotes too much of the text");
        fuzzCheck(!problem.contains(QChar(0)), "a refusal carries a NUL character");
        return 0;
    }
    if (column != 0)
        return 0;
    const QString value = text.trimmed();
    bool isNumber = false;
    const double number = value.toDouble(&isNumber);
    fuzzCheck(isNumber && isStorableIssue(number), "an issue no stored issue can hold");
    fuzzCheck(issueOfCell(QVariant(value)) == static_cast<int>(number),
              "an accepted issue reads back as another issue");
    return 0;
}

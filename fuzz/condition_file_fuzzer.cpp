// The condition-file loader on any bytes: it refuses with a message or loads a panel; a loaded
// panel saved again loads back the same.

#include "fuzz_check.h"
#include "red/condition_file.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

using namespace ssq;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString error;
    const std::optional<ConditionFile> file = parseConditionFile(bytes, &error);
    if (!file) {
        fuzzCheck(!error.isEmpty(), "a refused condition file gives no message");
        return 0;
    }
    const QByteArray saved = conditionFileBytes(file->panel, file->hotCold);
    QString again;
    const std::optional<ConditionFile> reloaded = parseConditionFile(saved, &again);
    fuzzCheck(reloaded.has_value(), "a saved condition file does not load");
    fuzzCheck(reloaded->panel == file->panel, "the panel changes when saved and loaded");
    fuzzCheck(reloaded->hotCold == file->hotCold,
              "the hot/cold values change when saved and loaded");
    return 0;
}

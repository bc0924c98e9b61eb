// The blue controls loader on any bytes: it refuses with a message or loads the controls; loaded
// controls saved again load back the same.

#include "blue/blue_controls_file.h"
#include "fuzz_check.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

using namespace ssq;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString error;
    const std::optional<BlueControls> controls = parseBlueControlsFile(bytes, &error);
    if (!controls) {
        fuzzCheck(!error.isEmpty(), "a refused blue controls file gives no message");
        return 0;
    }
    QString again;
    const std::optional<BlueControls> reloaded =
        parseBlueControlsFile(blueControlsFileBytes(*controls), &again);
    fuzzCheck(reloaded.has_value(), "saved blue controls do not load");
    fuzzCheck(*reloaded == *controls, "blue controls change when saved and loaded");
    return 0;
}

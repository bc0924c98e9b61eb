// The selection engine on a random panel: boxes filled with numbers, near-numbers or any text,
// random check boxes, markers and hot/cold values. Each input tests a sample of candidates;
// about one input in 64 also walks all combinations and checks that the walk keeps exactly the
// candidates the one-at-a-time test keeps.

#include "fuzz_check.h"
#include "red/selection_engine.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

QString boxText(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return QString::number(in.ConsumeIntegralInRange(-40, 300));
    case 1:
        return QString::number(in.ConsumeFloatingPoint<double>(), 'g', 9);
    case 2:
        return QString::number(in.ConsumeIntegralInRange(0, 9));
    default: {
        const std::string bytes = in.ConsumeRandomLengthString(24);
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    }
}

PanelState panelFrom(FuzzedDataProvider& in, HotColdValues& hotCold) {
    PanelState panel;
    panel.text1[8] = in.ConsumeBool() ? u"0096810"_s : QString();
    for (int& box : panel.check1)
        box = in.ConsumeBool() ? 1 : 0;
    panel.check2 = in.ConsumeBool();
    panel.check3 = in.ConsumeBool();
    panel.check4 = in.ConsumeBool();
    panel.option1 = in.ConsumeBool();
    panel.option2 = !panel.option1 && in.ConsumeBool();
    const int boxes = in.ConsumeIntegralInRange(0, 60);
    for (int i = 0; i < boxes; ++i) {
        const int index = in.ConsumeIntegralInRange(1, panel::kToleranceMin);
        panel.text1[static_cast<std::size_t>(index)] = boxText(in);
    }
    const int markers = in.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < markers; ++i)
        panel.text3[static_cast<std::size_t>(in.ConsumeIntegralInRange(1, 40))] = boxText(in);
    if (in.ConsumeBool())
        for (int n = 1; n <= kRedMax; ++n)
            hotCold[static_cast<std::size_t>(n)] = in.ConsumeIntegralInRange(-60, 60);
    return panel;
}

// A hash of the whole input, so a mutated input seldom inherits the full walk of its parent.
bool walksAll(const std::uint8_t* data, std::size_t size) {
    std::uint32_t hash = 2166136261U;
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 16777619U;
    return hash % 64 == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const bool fullRun = walksAll(data, size);
    FuzzedDataProvider in(data, size);
    HotColdValues hotCold{};
    const PanelState panel = panelFrom(in, hotCold);
    const SelectionEngine engine(panel, hotCold);
    const std::optional<QString> refusal = engine.refusal();
    fuzzCheck(!refusal || !refusal->isEmpty(), "an empty refusal");

    std::vector<int> sample{1, kComboCount};
    while (sample.size() < 64 && in.remaining_bytes() > 0)
        sample.push_back(in.ConsumeIntegralInRange(1, kComboCount));
    for (int code : sample) {
        const std::bitset<41> failed = engine.failedConditions(code);
        fuzzCheck(!failed.test(0), "a failed condition 0");
        (void)engine.keeps(code);
    }
    fuzzCheck(!engine.keeps(0) && !engine.keeps(kComboCount + 1),
              "a code outside the range is kept");

    if (fullRun) {
        const SelectionResult result = engine.run();
        fuzzCheck(result.refusal == refusal, "the run refuses differently from the engine");
        fuzzCheck(std::is_sorted(result.codes.begin(), result.codes.end()),
                  "kept codes not in order");
        if (!refusal) {
            for (int code : sample) {
                const bool walked =
                    std::binary_search(result.codes.begin(), result.codes.end(), code);
                fuzzCheck(walked == engine.keeps(code),
                          "the walk and the one-candidate test disagree");
            }
        }
    }
    return 0;
}

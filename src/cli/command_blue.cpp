#include "cli/command_blue.h"

#include "blue/blue_controls_file.h"
#include "blue/blue_selection.h"
#include "cli/command_select.h"
#include "cli/console.h"

using namespace Qt::StringLiterals;

namespace ssq::cli {

int runBlue(const CliContext&, const QStringList& args) {
    if (args.size() != 2 || args[0] != u"--controls"_s) {
        err() << u"用法: ssq-cli blue --controls 蓝球设置文件"_s << Qt::endl;
        return kExitUsage;
    }
    QString error;
    std::optional<BlueControls> controls = loadBlueControlsFile(args[1], &error);
    if (!controls) {
        err() << error << Qt::endl;
        return kExitRefused;
    }
    const BlueSelectionResult result = runBlueSelection(*controls);
    if (!result.ok) {
        err() << result.refusal << Qt::endl;
        return kExitRefused;
    }
    QStringList slots;
    for (int i = 1; i <= blue::kNumbers; ++i)
        slots.append(result.slots[i].trimmed());
    out() << slots.join(u'\t') << u'\n' << result.summary << u'\n';
    out().flush();
    return kExitOk;
}

} // namespace ssq::cli

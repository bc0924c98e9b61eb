#include "cli/commands.h"

#include "game/fast_random.h"
#include "game/game_draw.h"
#include "game/game_pick.h"

#include <array>
#include <optional>

using namespace Qt::StringLiterals;

namespace ssq::cli {

namespace {

struct GameArgs {
    QString pick;
    std::optional<qint64> draws;
    std::optional<std::pair<QString, QString>> until;
    std::optional<quint64> seed;
};

std::optional<GameArgs> parseArgs(const QStringList& args) {
    GameArgs parsed;
    for (int i = 0; i < args.size(); ++i) {
        const QString& option = args[i];
        const int left = int(args.size()) - i - 1;
        bool ok = true;
        if (option == u"--pick"_s && left >= 1) {
            parsed.pick = args[++i];
        } else if (option == u"--draws"_s && left >= 1) {
            parsed.draws = args[++i].toLongLong(&ok);
            ok = ok && *parsed.draws > 0;
        } else if (option == u"--until"_s && left >= 2) {
            parsed.until = std::pair{args[i + 1], args[i + 2]};
            i += 2;
        } else if (option == u"--seed"_s && left >= 1) {
            parsed.seed = args[++i].toULongLong(&ok);
        } else {
            ok = false;
        }
        if (!ok)
            return std::nullopt;
    }
    if (parsed.pick.isNull() || parsed.draws.has_value() == parsed.until.has_value())
        return std::nullopt;
    return parsed;
}

// Eight whole numbers separated by blanks; anything else stands for an empty box (0), which the
// range check refuses.
std::array<double, 8> pickValues(const QString& text) {
    std::array<double, 8> values{};
    const QStringList fields = text.split(u' ', Qt::SkipEmptyParts);
    if (fields.size() != 8)
        return values;
    for (int i = 0; i < 8; ++i) {
        bool ok = false;
        const int n = fields[i].toInt(&ok);
        values[i] = ok ? n : 0;
    }
    return values;
}

double targetValue(const QString& text) {
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? n : -1;
}

} // namespace

int runGame(const CliContext&, const QStringList& args) {
    const std::optional<GameArgs> parsed = parseArgs(args);
    if (!parsed) {
        err() << u"用法: ssq-cli game --pick \"R1 R2 R3 R4 R5 R6 R7 B\" "
                 u"(--draws 次数 | --until 红球数 蓝球数) [--seed 种子]"_s
              << Qt::endl;
        return kExitUsage;
    }
    FastRandom random(parsed->seed ? *parsed->seed : FastRandom::systemSeed());
    const std::array<double, 8> values = pickValues(parsed->pick);

    if (parsed->draws) {
        const PickCheck check = checkPick(values);
        if (check.problem != PickProblem::None) {
            err() << pickProblemMessage(check.problem) << Qt::endl;
            return kExitRefused;
        }
        const DrawCounts counts = countDraws(random, check.pick, *parsed->draws);
        for (int r = 0; r <= 6; ++r)
            for (int h = 0; h <= 1; ++h)
                out() << r << '\t' << h << '\t' << counts[r][h] << '\n';
        return kExitOk;
    }

    const RepeatCheck check =
        checkRepeat(values, targetValue(parsed->until->first), targetValue(parsed->until->second));
    if (check.problem != PickProblem::None) {
        err() << pickProblemMessage(check.problem) << Qt::endl;
        return kExitRefused;
    }
    const RepeatOutcome outcome = repeatUntil(random, check.pick, check.target);
    QStringList draw;
    for (int red : outcome.last.reds)
        draw.append(QString::number(red));
    draw.append(QString::number(outcome.last.blue));
    out() << outcome.draws << '\n' << draw.join(u' ') << '\n';
    return kExitOk;
}

} // namespace ssq::cli

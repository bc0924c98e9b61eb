#include "cli/commands.h"

#include "tickets/ticket_line.h"
#include "tickets/wheel.h"

using namespace Qt::StringLiterals;

namespace ssq::cli {

void printTickets(QTextStream& stream, const std::vector<RedCombo>& tickets) {
    for (const RedCombo& ticket : tickets)
        stream << singleTicketText(ticket, 0) << u'\n';
}

bool readSeed(const QString& text, std::uint64_t* seed) {
    bool ok = false;
    *seed = text.toULongLong(&ok);
    return ok;
}

int runWheel(const CliContext&, const QStringList& args) {
    QString pool;
    QString bankers;
    QString guarantee;
    QString seedText = QString::number(kDefaultCoverSeed);
    bool usable = true;
    for (int i = 0; i < args.size() && usable; ++i) {
        const bool valued = i + 1 < args.size();
        if (args[i] == u"--pool"_s && valued)
            pool = args[++i];
        else if (args[i] == u"--bankers"_s && valued)
            bankers = args[++i];
        else if (args[i] == u"--guarantee"_s && valued)
            guarantee = args[++i];
        else if (args[i] == u"--seed"_s && valued)
            seedText = args[++i];
        else
            usable = false;
    }
    if (!usable || pool.isEmpty() || guarantee.isEmpty()) {
        err()
            << u"用法: ssq-cli wheel --pool \"红球 红球 …\" --guarantee 中:保 [--bankers \"胆码 …\"] [--seed 种子]"_s
            << Qt::endl;
        return kExitUsage;
    }
    std::uint64_t seed = 0;
    if (!readSeed(seedText, &seed)) {
        err() << u"种子“%1”有误，应为不小于0的整数"_s.arg(seedText) << Qt::endl;
        return kExitRefused;
    }
    QString error;
    const std::optional<std::vector<int>> poolReds = parseRedList(pool, &error);
    const std::optional<std::vector<int>> bankerReds =
        poolReds ? parseRedList(bankers, &error) : std::nullopt;
    const std::optional<Guarantee> parsedGuarantee = parseGuarantee(guarantee);
    if (!bankerReds) {
        err() << error << Qt::endl;
        return kExitRefused;
    }
    if (!parsedGuarantee) {
        err() << u"保号条件“%1”有误，应写作“中:保”，如 6:5"_s.arg(guarantee) << Qt::endl;
        return kExitRefused;
    }
    const WheelRequest request{*poolReds, *bankerReds, *parsedGuarantee};
    if (const std::optional<QString> refusal = wheelRefusal(request)) {
        err() << *refusal << Qt::endl;
        return kExitRefused;
    }
    const TicketCover wheel = buildWheel(request, seed);
    if (!wheel.verified()) {
        err() << wheel.check.line << Qt::endl;
        return kExitFailure;
    }
    QTextStream& stream = out();
    printTickets(stream, wheel.tickets);
    stream << u"旋转\t"_s << wheel.tickets.size() << u"\t已验证"_s << u'\n';
    stream.flush();
    return kExitOk;
}

} // namespace ssq::cli

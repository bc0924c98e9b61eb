#include "cli/commands.h"

#include "model/red_code.h"
#include "red/last_draw_check_run.h"
#include "store/database.h"

using namespace Qt::StringLiterals;

namespace ssq::cli {

int runCode(const CliContext&, const QStringList& args) {
    if (args.size() != 6) {
        err() << u"请输入六个红球号码，例如：ssq-cli code 1 5 12 20 27 33"_s << Qt::endl;
        return kExitUsage;
    }
    RedCombo red{};
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        const int n = args[i].trimmed().toInt(&ok);
        if (!ok) {
            err() << u"“%1”不是一个号码，红球号码应是1到33之间的整数"_s.arg(args[i]) << Qt::endl;
            return kExitUsage;
        }
        if (n < 1 || n > kRedMax) {
            err() << u"红球号码%1超出范围，红球号码应在1到33之间"_s.arg(n) << Qt::endl;
            return kExitUsage;
        }
        red[i] = n;
    }
    if (!isValidCombo(red)) {
        err() << u"请按从小到大的顺序输入开奖号码"_s << Qt::endl;
        return kExitUsage;
    }

    const int code = redCode(red);
    const CodeDigits digits = codeDigits(code);
    QStringList digitTexts;
    for (int d : digits.d)
        digitTexts.append(QString::number(d));
    out() << u"代码: "_s << code << Qt::endl
          << u"代码文本: "_s << QString::fromStdString(digits.text()) << Qt::endl
          << u"百万 十万 万位 千位 百位 十位 个位: "_s << digitTexts.join(u' ') << Qt::endl;
    return kExitOk;
}

int runCheck(const CliContext& context, const QStringList& args) {
    if (!args.isEmpty()) {
        err() << u"check 命令不带参数"_s << Qt::endl;
        return kExitUsage;
    }
    int status = kExitFailure;
    const std::unique_ptr<Database> db = openExistingDatabase(context, &status);
    if (!db)
        return status;
    PanelState panel;
    const LastDrawCheckRun run = runLastDrawCheck(db->connection(), panel);
    if (!run.ok) {
        err() << run.message << Qt::endl;
        return kExitFailure;
    }
    QStringList failed;
    for (int k = 1; k <= 40; ++k) {
        if (run.check.ticked[k])
            failed.append(QString::number(k));
    }
    out() << run.message << u'\n' << failed.join(u' ') << u'\n';
    out().flush();
    return kExitOk;
}

} // namespace ssq::cli

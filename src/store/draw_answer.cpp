#include "store/draw_answer.h"

#include "store/issue_number.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

DrawAnswer unexpected(const QString& why) {
    DrawAnswer answer;
    answer.message = u"开奖数据服务的回答不是预期的开奖数据（%1）。"_s.arg(why) + pasteAdvice();
    return answer;
}

// A field that may come as a string or a number.
QString textOf(const QJsonValue& v) {
    if (v.isString())
        return v.toString().trimmed();
    if (v.isDouble())
        return QString::number(v.toDouble(), 'f', 0);
    return {};
}

// "7,205,925" or "7205925" -> 7205925; nullopt for anything without digits.
std::optional<qint64> amountOf(const QJsonValue& v) {
    QString digits = textOf(v);
    digits.remove(u',');
    bool ok = false;
    const qint64 n = digits.toLongLong(&ok);
    return ok && n >= 0 ? std::optional<qint64>(n) : std::nullopt;
}

QStringList numbersIn(const QString& text) {
    return text.split(QRegularExpression(u"[^0-9]+"_s), Qt::SkipEmptyParts);
}

// One entry of the result array.
SourceDraw drawOf(const QJsonObject& entry, int number, DrawPrizes* prizes) {
    SourceDraw draw;
    draw.lineNumber = number;
    const QString code = textOf(entry.value(u"code"_s));
    const QStringList reds = numbersIn(textOf(entry.value(u"red"_s)));
    const QStringList blues = numbersIn(textOf(entry.value(u"blue"_s)));
    QString problem;
    if (reds.size() != 6)
        problem = u"红球号码有%1个，应为6个"_s.arg(reds.size());
    else if (blues.size() != 1)
        problem = u"蓝球号码有%1个，应为1个"_s.arg(blues.size());
    const std::vector<SourceDraw> read =
        parseDrawLine(code + u' ' + reds.join(u' ') + u' ' + blues.join(u' '), number);
    if (!read.empty())
        draw = read.front();
    if (!problem.isEmpty())
        draw.problem = problem;
    for (const QJsonValue& g : entry.value(u"prizegrades"_s).toArray()) {
        const QJsonObject grade = g.toObject();
        const int level = textOf(grade.value(u"type"_s)).toInt();
        const std::optional<qint64> winners = amountOf(grade.value(u"typenum"_s));
        const std::optional<qint64> amount = amountOf(grade.value(u"typemoney"_s));
        if (level >= 1 && level <= 6 && amount)
            prizes->grades.push_back({level, winners.value_or(0), *amount});
    }
    prizes->issue = draw.storedIssue;
    return draw;
}

} // namespace

QString pasteAdvice() {
    return u"您可以在开奖网页上复制开奖号码，用“数据操作”菜单中的“粘贴开奖号码…”粘贴进来，"
           u"这个办法总是可行的。"_s;
}

DrawAnswer readDrawAnswer(const QByteArray& body) {
    const QByteArray trimmed = body.trimmed();
    if (trimmed.startsWith('{') || trimmed.startsWith('[')) {
        QJsonParseError error{};
        const QJsonDocument json = QJsonDocument::fromJson(trimmed, &error);
        if (error.error != QJsonParseError::NoError)
            return unexpected(u"JSON格式有误：%1"_s.arg(error.errorString()));
        const QJsonObject root = json.object();
        if (!json.isObject() || !root.value(u"result"_s).isArray())
            return unexpected(u"没有开奖结果列表"_s);
        const QJsonValue state = root.value(u"state"_s);
        if (!state.isUndefined() && state.toInt(-1) != 0)
            return unexpected(u"服务回答查询失败，状态%1"_s.arg(textOf(state)));
        DrawAnswer answer;
        const QJsonArray result = root.value(u"result"_s).toArray();
        for (qsizetype i = 0; i < result.size(); ++i) {
            const QJsonObject entry = result[i].toObject();
            if (textOf(entry.value(u"code"_s)).isEmpty())
                return unexpected(u"第%1条开奖数据没有期号"_s.arg(i + 1));
            DrawPrizes prizes;
            SourceDraw draw = drawOf(entry, static_cast<int>(i + 1), &prizes);
            if (draw.storedIssue == 0 && draw.fullIssue == 0)
                return unexpected(u"第%1条开奖数据的期号“%2”无法识别"_s.arg(i + 1).arg(
                    textOf(entry.value(u"code"_s))));
            if (draw.problem.isEmpty() && !prizes.grades.empty())
                answer.prizes.push_back(prizes);
            answer.draws.push_back(std::move(draw));
        }
        if (answer.draws.empty())
            return unexpected(u"回答中没有任何开奖数据"_s);
        answer.ok = true;
        return answer;
    }
    DrawAnswer answer;
    answer.draws = parseDrawSource(QString::fromUtf8(body));
    if (answer.draws.empty())
        return unexpected(u"回答中找不到开奖号码"_s);
    answer.ok = true;
    return answer;
}

} // namespace ssq

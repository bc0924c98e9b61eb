#include "tickets/blue_list.h"

#include "model/leading_number_text.h"
#include "model/red_code.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

bool contains(const BlueList& blues, int blue) {
    return std::find(blues.begin(), blues.end(), blue) != blues.end();
}

// A blue ball written with one or two digits; 0 for anything else.
int blueOf(const QString& field) {
    static const QRegularExpression digits(u"^\\d{1,2}$"_s);
    if (!digits.match(field).hasMatch())
        return 0;
    const int blue = normalizedDigits(field).toInt();
    return blue >= 1 && blue <= kBlueMax ? blue : 0;
}

} // namespace

std::optional<BlueList> parseBlueList(const QString& text, QString* error) {
    static const QRegularExpression separators(u"[\\s,，、]+"_s);
    BlueList blues;
    for (const QString& field : text.split(separators, Qt::SkipEmptyParts)) {
        const int blue = blueOf(field);
        if (blue == 0) {
            *error = u"蓝球号码“%1”有误，蓝球号码应为1到16之间的整数"_s.arg(field);
            return std::nullopt;
        }
        if (contains(blues, blue)) {
            *error = u"蓝球号码“%1”重复了"_s.arg(field);
            return std::nullopt;
        }
        blues.push_back(blue);
    }
    return blues;
}

QString blueListText(const BlueList& blues) {
    QStringList texts;
    for (int blue : blues)
        texts.append(u"%1"_s.arg(blue, 2, 10, QLatin1Char('0')));
    return texts.join(u' ');
}

BlueList blueListOfTexts(const QStringList& texts) {
    BlueList blues;
    // A box reads its leading number, as every box of the program does.
    for (const QString& text : texts) {
        const double value = numberOf(text);
        const int blue = static_cast<int>(value);
        if (value == blue && blue >= 1 && blue <= kBlueMax && !contains(blues, blue))
            blues.push_back(blue);
    }
    return blues;
}

} // namespace ssq

#include "blue/blue_controls_file.h"

#include "store/json_settings.h"

#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// The controls come nowhere near this; a larger file is not one of ours.
constexpr qint64 kMaxFileSize = 1024 * 1024;

const QString kCheck = u"check"_s;
const QString kText = u"text"_s;
const QString kOption1 = u"option1"_s;
const QString kOption2 = u"option2"_s;

const QString kKind = u"蓝球设置文件"_s;

} // namespace

QByteArray blueControlsFileBytes(const BlueControls& c) {
    QJsonObject check;
    for (int i = 1; i <= blue::kChecks; ++i)
        check.insert(QString::number(i), c.check[i] == 1 ? 1 : 0);
    QJsonObject text;
    for (int i = 1; i <= blue::kInputTexts; ++i)
        if (!c.text[i].isEmpty())
            text.insert(QString::number(i), c.text[i]);
    QJsonObject root;
    root.insert(kCheck, check);
    root.insert(kText, text);
    root.insert(kOption1, c.option1);
    root.insert(kOption2, c.option2);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<BlueControls> parseBlueControlsFile(const QByteArray& bytes, QString* error) {
    JsonSettingsReader reader(kKind);
    BlueControls c;
    const bool read =
        reader.open(bytes, {kCheck, kText, kOption1, kOption2}) &&
        reader.readNumberedBoxes(kCheck, 1, c.check) && reader.readTexts(kText, 1, c.text) &&
        reader.readChoice(kOption1, u"小号"_s, c.option1, kOption2, u"大号"_s, c.option2);
    if (!read) {
        if (error)
            *error = reader.error();
        return std::nullopt;
    }
    return c;
}

bool saveBlueControlsFile(const QString& path, const BlueControls& controls, QString* error) {
    return saveSettingsFile(path, blueControlsFileBytes(controls), kKind, error);
}

std::optional<BlueControls> loadBlueControlsFile(const QString& path, QString* error) {
    const std::optional<QByteArray> bytes = loadSettingsFile(path, kKind, kMaxFileSize, error);
    if (!bytes)
        return std::nullopt;
    return parseBlueControlsFile(*bytes, error);
}

} // namespace ssq

#include "red/condition_file.h"

#include "store/json_settings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// No panel comes near this; a larger file is not one of ours.
constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

const QString kText1 = u"text1"_s;
const QString kCheck1 = u"check1"_s;
const QString kCheck2 = u"check2"_s;
const QString kCheck3 = u"check3"_s;
const QString kCheck4 = u"check4"_s;
const QString kOption1 = u"option1"_s;
const QString kOption2 = u"option2"_s;
const QString kText3 = u"text3"_s;
const QString kHotCold = u"hotcold"_s;

const QString kKind = u"条件文件"_s;

bool readHotCold(JsonSettingsReader& reader, HotColdValues& hotCold) {
    if (!reader.root().contains(kHotCold))
        return true;
    const QJsonValue value = reader.root().value(kHotCold);
    if (!value.isArray() || value.toArray().size() != kRedMax)
        return reader.fail(u"“hotcold”应是由 %1 个整数组成的数组"_s.arg(kRedMax));
    const QJsonArray array = value.toArray();
    for (int i = 0; i < kRedMax; ++i) {
        const std::optional<int> n = JsonSettingsReader::wholeNumber(array.at(i));
        if (!n)
            return reader.fail(u"“hotcold”中索引 %1（红球 %2）的值应是整数"_s.arg(i).arg(i + 1));
        hotCold[static_cast<std::size_t>(i + 1)] = *n;
    }
    return true;
}

} // namespace

QByteArray conditionFileBytes(const PanelState& panel, const HotColdValues& hotCold) {
    QJsonObject root;
    QJsonObject text1;
    for (std::size_t i = 0; i < panel.text1.size(); ++i)
        if (!panel.text1[i].isEmpty())
            text1.insert(QString::number(i), panel.text1[i]);
    root.insert(kText1, text1);
    QJsonArray check1;
    for (int box : panel.check1)
        check1.append(box != 0 ? 1 : 0);
    root.insert(kCheck1, check1);
    root.insert(kCheck2, panel.check2 != 0 ? 1 : 0);
    root.insert(kCheck3, panel.check3 != 0 ? 1 : 0);
    root.insert(kCheck4, panel.check4 != 0 ? 1 : 0);
    root.insert(kOption1, panel.option1);
    root.insert(kOption2, panel.option2);
    QJsonObject text3;
    for (std::size_t i = 1; i < panel.text3.size(); ++i)
        if (!panel.text3[i].isEmpty())
            text3.insert(QString::number(i), panel.text3[i]);
    root.insert(kText3, text3);
    QJsonArray values;
    for (int n = 1; n <= kRedMax; ++n)
        values.append(hotCold[static_cast<std::size_t>(n)]);
    root.insert(kHotCold, values);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<ConditionFile> parseConditionFile(const QByteArray& bytes, QString* error) {
    JsonSettingsReader reader(kKind);
    ConditionFile file;
    PanelState& p = file.panel;
    const bool read =
        reader.open(bytes, {kText1, kCheck1, kCheck2, kCheck3, kCheck4, kOption1, kOption2, kText3,
                            kHotCold}) &&
        reader.readTexts(kText1, 0, p.text1) && reader.readBoxArray(kCheck1, p.check1) &&
        reader.readBox(kCheck2, p.check2) && reader.readBox(kCheck3, p.check3) &&
        reader.readBox(kCheck4, p.check4) &&
        reader.readChoice(kOption1, u"单"_s, p.option1, kOption2, u"双"_s, p.option2) &&
        reader.readTexts(kText3, 1, p.text3) && readHotCold(reader, file.hotCold);
    if (!read) {
        if (error)
            *error = reader.error();
        return std::nullopt;
    }
    return file;
}

bool saveConditionFile(const QString& path, const PanelState& panel, const HotColdValues& hotCold,
                       QString* error) {
    return saveSettingsFile(path, conditionFileBytes(panel, hotCold), kKind, error);
}

std::optional<ConditionFile> loadConditionFile(const QString& path, QString* error) {
    const std::optional<QByteArray> bytes = loadSettingsFile(path, kKind, kMaxFileSize, error);
    if (!bytes)
        return std::nullopt;
    return parseConditionFile(*bytes, error);
}

} // namespace ssq

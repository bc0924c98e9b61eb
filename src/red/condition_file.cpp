#include "red/condition_file.h"

#include "store/small_file.h"
#include "store/store_error.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <cmath>
#include <limits>

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

QString faulty(const QString& what) {
    return u"条件文件有误："_s + what;
}

std::optional<int> wholeNumber(const QJsonValue& v) {
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (std::floor(d) != d || d < std::numeric_limits<int>::min() ||
        d > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(d);
}

bool isZeroOrOne(const QJsonValue& v) {
    const std::optional<int> n = wholeNumber(v);
    return n && (*n == 0 || *n == 1);
}

// The decimal index a key stands for, when it is one written plainly within first..last.
std::optional<int> indexKey(const QString& key, int first, int last) {
    bool ok = false;
    const int index = key.toInt(&ok);
    if (!ok || QString::number(index) != key || index < first || index > last)
        return std::nullopt;
    return index;
}

template <std::size_t N>
bool readTexts(const QJsonObject& root, const QString& name, int first,
               std::array<QString, N>& texts, QString* error) {
    if (!root.contains(name))
        return true;
    const QJsonValue value = root.value(name);
    if (!value.isObject()) {
        *error = faulty(u"“%1”应是一个以编号为键的对象"_s.arg(name));
        return false;
    }
    const QJsonObject object = value.toObject();
    const int last = static_cast<int>(N) - 1;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::optional<int> index = indexKey(it.key(), first, last);
        if (!index) {
            *error = faulty(u"“%1”中的键“%2”不是 %3 到 %4 之间的编号"_s.arg(name, quotedField(it.key()))
                                .arg(first)
                                .arg(last));
            return false;
        }
        if (!it.value().isString()) {
            *error = faulty(u"“%1”中键“%2”的值应是文字（带引号的字符串）"_s.arg(name, quotedField(it.key())));
            return false;
        }
        texts[static_cast<std::size_t>(*index)] = it.value().toString();
    }
    return true;
}

bool readBox(const QJsonObject& root, const QString& name, int& box, QString* error) {
    if (!root.contains(name))
        return true;
    if (!isZeroOrOne(root.value(name))) {
        *error = faulty(u"“%1”应是 0 或 1"_s.arg(name));
        return false;
    }
    box = root.value(name).toInt();
    return true;
}

bool readOption(const QJsonObject& root, const QString& name, bool& option, QString* error) {
    if (!root.contains(name))
        return true;
    if (!root.value(name).isBool()) {
        *error = faulty(u"“%1”应是 true 或 false"_s.arg(name));
        return false;
    }
    option = root.value(name).toBool();
    return true;
}

bool readCheck1(const QJsonObject& root, PanelState& panel, QString* error) {
    if (!root.contains(kCheck1))
        return true;
    const QJsonValue value = root.value(kCheck1);
    const int size = static_cast<int>(panel.check1.size());
    if (!value.isArray() || value.toArray().size() != size) {
        *error = faulty(u"“check1”应是由 %1 个 0 或 1 组成的数组"_s.arg(size));
        return false;
    }
    const QJsonArray array = value.toArray();
    for (int i = 0; i < size; ++i) {
        if (!isZeroOrOne(array.at(i))) {
            *error = faulty(u"“check1”中索引 %1 的值应是 0 或 1"_s.arg(i));
            return false;
        }
        panel.check1[static_cast<std::size_t>(i)] = array.at(i).toInt();
    }
    return true;
}

bool readHotCold(const QJsonObject& root, HotColdValues& hotCold, QString* error) {
    if (!root.contains(kHotCold))
        return true;
    const QJsonValue value = root.value(kHotCold);
    if (!value.isArray() || value.toArray().size() != kRedMax) {
        *error = faulty(u"“hotcold”应是由 %1 个整数组成的数组"_s.arg(kRedMax));
        return false;
    }
    const QJsonArray array = value.toArray();
    for (int i = 0; i < kRedMax; ++i) {
        const std::optional<int> n = wholeNumber(array.at(i));
        if (!n) {
            *error = faulty(u"“hotcold”中索引 %1（红球 %2）的值应是整数"_s.arg(i).arg(i + 1));
            return false;
        }
        hotCold[static_cast<std::size_t>(i + 1)] = *n;
    }
    return true;
}

QString parseErrorPlace(const QByteArray& bytes, int offset) {
    const QByteArray before = bytes.left(offset);
    const int line = static_cast<int>(before.count('\n')) + 1;
    const int column =
        static_cast<int>(QString::fromUtf8(before.mid(before.lastIndexOf('\n') + 1)).size()) + 1;
    return u"第 %1 行第 %2 列"_s.arg(line).arg(column);
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
    QString ignored;
    if (!error)
        error = &ignored;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = u"条件文件不是有效的 JSON 文本（%1有误）"_s.arg(
            parseErrorPlace(bytes, parseError.offset));
        return std::nullopt;
    }
    if (!document.isObject()) {
        *error = faulty(u"内容应是一个 JSON 对象（用 { } 括起）"_s);
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    static const QStringList known{kText1,   kCheck1,  kCheck2, kCheck3, kCheck4,
                                   kOption1, kOption2, kText3,  kHotCold};
    for (auto it = root.begin(); it != root.end(); ++it) {
        if (!known.contains(it.key())) {
            *error = faulty(u"有无法识别的键“%1”"_s.arg(quotedField(it.key())));
            return std::nullopt;
        }
    }

    ConditionFile file;
    PanelState& p = file.panel;
    if (!readTexts(root, kText1, 0, p.text1, error) || !readCheck1(root, p, error) ||
        !readBox(root, kCheck2, p.check2, error) || !readBox(root, kCheck3, p.check3, error) ||
        !readBox(root, kCheck4, p.check4, error) || !readOption(root, kOption1, p.option1, error) ||
        !readOption(root, kOption2, p.option2, error) ||
        !readTexts(root, kText3, 1, p.text3, error) || !readHotCold(root, file.hotCold, error))
        return std::nullopt;
    if (p.option1 && p.option2) {
        *error = faulty(u"“option1”（单）和“option2”（双）不能同时为 true"_s);
        return std::nullopt;
    }
    return file;
}

bool saveConditionFile(const QString& path, const PanelState& panel, const HotColdValues& hotCold,
                       QString* error) {
    return saveSmallFile(path, conditionFileBytes(panel, hotCold), u"无法写入条件文件“%1”"_s,
                         error);
}

std::optional<ConditionFile> loadConditionFile(const QString& path, QString* error) {
    const std::optional<QByteArray> bytes = loadSmallFile(
        path, {kMaxFileSize, u"无法打开条件文件“%1”"_s, u"文件“%1”太大，不是条件文件"_s}, error);
    if (!bytes)
        return std::nullopt;
    return parseConditionFile(*bytes, error);
}

} // namespace ssq

#include "blue/blue_controls_file.h"

#include "store/small_file.h"
#include "store/store_error.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// The controls come nowhere near this; a larger file is not one of ours.
constexpr qint64 kMaxFileSize = 1024 * 1024;

const QString kCheck = u"check"_s;
const QString kText = u"text"_s;
const QString kOption1 = u"option1"_s;
const QString kOption2 = u"option2"_s;

QString faulty(const QString& what) {
    return u"蓝球设置文件有误："_s + what;
}

// The decimal index a key stands for, when it is one written plainly within 1..last.
std::optional<int> indexKey(const QString& key, int last) {
    bool ok = false;
    const int index = key.toInt(&ok);
    if (!ok || QString::number(index) != key || index < 1 || index > last)
        return std::nullopt;
    return index;
}

// Checks the object's keys and hands each value over; false with *error at the first bad one.
template <typename Store>
bool readNumbered(const QJsonObject& root, const QString& name, int last, QString* error,
                  Store store) {
    if (!root.contains(name))
        return true;
    if (!root.value(name).isObject()) {
        *error = faulty(u"“%1”应是一个以编号为键的对象"_s.arg(name));
        return false;
    }
    const QJsonObject object = root.value(name).toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::optional<int> index = indexKey(it.key(), last);
        if (!index) {
            *error =
                faulty(u"“%1”中的键“%2”不是 1 到 %3 之间的编号"_s.arg(name, quotedField(it.key())).arg(last));
            return false;
        }
        if (!store(*index, it.value())) {
            *error = faulty(name == kCheck
                                ? u"“check”中键“%1”的值应是 0 或 1"_s.arg(quotedField(it.key()))
                                : u"“text”中键“%1”的值应是文字（带引号的字符串）"_s.arg(quotedField(it.key())));
            return false;
        }
    }
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
    QString ignored;
    if (!error)
        error = &ignored;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error =
            u"蓝球设置文件不是有效的 JSON 文本（第 %1 个字符处有误）"_s.arg(parseError.offset + 1);
        return std::nullopt;
    }
    if (!document.isObject()) {
        *error = faulty(u"内容应是一个 JSON 对象（用 { } 括起）"_s);
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    for (auto it = root.begin(); it != root.end(); ++it) {
        if (!QStringList{kCheck, kText, kOption1, kOption2}.contains(it.key())) {
            *error = faulty(u"有无法识别的键“%1”"_s.arg(quotedField(it.key())));
            return std::nullopt;
        }
    }

    BlueControls c;
    const auto storeCheck = [&c](int i, const QJsonValue& v) {
        if (!v.isDouble() || (v.toDouble() != 0 && v.toDouble() != 1))
            return false;
        c.check[i] = v.toInt();
        return true;
    };
    const auto storeText = [&c](int i, const QJsonValue& v) {
        if (!v.isString())
            return false;
        c.text[i] = v.toString();
        return true;
    };
    if (!readNumbered(root, kCheck, blue::kChecks, error, storeCheck) ||
        !readNumbered(root, kText, blue::kInputTexts, error, storeText) ||
        !readOption(root, kOption1, c.option1, error) ||
        !readOption(root, kOption2, c.option2, error))
        return std::nullopt;
    return c;
}

bool saveBlueControlsFile(const QString& path, const BlueControls& controls, QString* error) {
    return saveSmallFile(path, blueControlsFileBytes(controls), u"无法写入蓝球设置文件“%1”"_s,
                         error);
}

std::optional<BlueControls> loadBlueControlsFile(const QString& path, QString* error) {
    const std::optional<QByteArray> bytes = loadSmallFile(
        path, {kMaxFileSize, u"无法打开蓝球设置文件“%1”"_s, u"文件“%1”太大，不是蓝球设置文件"_s},
        error);
    if (!bytes)
        return std::nullopt;
    return parseBlueControlsFile(*bytes, error);
}

} // namespace ssq

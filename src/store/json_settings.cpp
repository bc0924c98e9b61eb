#include "store/json_settings.h"

#include "store/database.h"
#include "store/small_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// The decimal index a key stands for, when it is one written plainly within first..last.
std::optional<int> indexKey(const QString& key, int first, int last) {
    bool ok = false;
    const int index = key.toInt(&ok);
    if (!ok || QString::number(index) != key || index < first || index > last)
        return std::nullopt;
    return index;
}

bool isZeroOrOne(const QJsonValue& v) {
    const std::optional<int> n = JsonSettingsReader::wholeNumber(v);
    return n && (*n == 0 || *n == 1);
}

QString parseErrorPlace(const QByteArray& bytes, int offset) {
    const QByteArray before = bytes.left(offset);
    const int line = static_cast<int>(before.count('\n')) + 1;
    const int column =
        static_cast<int>(QString::fromUtf8(before.mid(before.lastIndexOf('\n') + 1)).size()) + 1;
    return u"第 %1 行第 %2 列"_s.arg(line).arg(column);
}

} // namespace

std::optional<int> JsonSettingsReader::wholeNumber(const QJsonValue& v) {
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (std::floor(d) != d || d < std::numeric_limits<int>::min() ||
        d > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(d);
}

bool JsonSettingsReader::fail(const QString& what) {
    m_error = m_kind + u"有误："_s + what;
    return false;
}

bool JsonSettingsReader::open(const QByteArray& bytes, const QStringList& known) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        m_error = u"%1不是有效的 JSON 文本（%2有误）"_s.arg(
            m_kind, parseErrorPlace(bytes, parseError.offset));
        return false;
    }
    if (!document.isObject())
        return fail(u"内容应是一个 JSON 对象（用 { } 括起）"_s);
    m_root = document.object();
    for (auto it = m_root.begin(); it != m_root.end(); ++it) {
        if (!known.contains(it.key()))
            return fail(u"有无法识别的键“%1”"_s.arg(quotedField(it.key())));
    }
    return true;
}

template <typename Take>
bool JsonSettingsReader::readNumbered(const QString& name, int first, int last,
                                      const QString& expected, Take take) {
    if (!m_root.contains(name))
        return true;
    const QJsonValue value = m_root.value(name);
    if (!value.isObject())
        return fail(u"“%1”应是一个以编号为键的对象"_s.arg(name));
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::optional<int> index = indexKey(it.key(), first, last);
        if (!index)
            return fail(u"“%1”中的键“%2”不是 %3 到 %4 之间的编号"_s.arg(name, quotedField(it.key()))
                            .arg(first)
                            .arg(last));
        if (!take(static_cast<std::size_t>(*index), it.value()))
            return fail(u"“%1”中键“%2”的值应是%3"_s.arg(name, quotedField(it.key()), expected));
    }
    return true;
}

bool JsonSettingsReader::readTexts(const QString& name, int first, std::span<QString> texts) {
    return readNumbered(name, first, static_cast<int>(texts.size()) - 1,
                        u"文字（带引号的字符串）"_s, [&](std::size_t i, const QJsonValue& v) {
                            if (!v.isString())
                                return false;
                            texts[i] = v.toString();
                            return true;
                        });
}

bool JsonSettingsReader::readNumberedBoxes(const QString& name, int first, std::span<int> boxes) {
    return readNumbered(name, first, static_cast<int>(boxes.size()) - 1, u" 0 或 1"_s,
                        [&](std::size_t i, const QJsonValue& v) {
                            if (!isZeroOrOne(v))
                                return false;
                            boxes[i] = v.toInt();
                            return true;
                        });
}

bool JsonSettingsReader::readBoxArray(const QString& name, std::span<int> boxes) {
    if (!m_root.contains(name))
        return true;
    const QJsonValue value = m_root.value(name);
    const int size = static_cast<int>(boxes.size());
    if (!value.isArray() || value.toArray().size() != size)
        return fail(u"“%1”应是由 %2 个 0 或 1 组成的数组"_s.arg(name).arg(size));
    const QJsonArray array = value.toArray();
    for (int i = 0; i < size; ++i) {
        if (!isZeroOrOne(array.at(i)))
            return fail(u"“%1”中索引 %2 的值应是 0 或 1"_s.arg(name).arg(i));
        boxes[static_cast<std::size_t>(i)] = array.at(i).toInt();
    }
    return true;
}

bool JsonSettingsReader::readBox(const QString& name, int& box) {
    if (!m_root.contains(name))
        return true;
    if (!isZeroOrOne(m_root.value(name)))
        return fail(u"“%1”应是 0 或 1"_s.arg(name));
    box = m_root.value(name).toInt();
    return true;
}

bool JsonSettingsReader::readOption(const QString& name, bool& option) {
    if (!m_root.contains(name))
        return true;
    if (!m_root.value(name).isBool())
        return fail(u"“%1”应是 true 或 false"_s.arg(name));
    option = m_root.value(name).toBool();
    return true;
}

bool JsonSettingsReader::readChoice(const QString& name1, const QString& caption1, bool& option1,
                                    const QString& name2, const QString& caption2, bool& option2) {
    if (!readOption(name1, option1) || !readOption(name2, option2))
        return false;
    // The window offers the two as one choice and could not show both.
    if (option1 && option2)
        return fail(
            u"“%1”（%2）和“%3”（%4）不能同时为 true"_s.arg(name1, caption1, name2, caption2));
    return true;
}

bool saveSettingsFile(const QString& path, const QByteArray& bytes, const QString& kind,
                      QString* error) {
    return saveSmallFile(path, bytes, u"无法写入"_s + kind + u"“%1”"_s, error);
}

std::optional<QByteArray> loadSettingsFile(const QString& path, const QString& kind,
                                           qint64 maxBytes, QString* error) {
    return loadSmallFile(
        path, {maxBytes, u"无法打开"_s + kind + u"“%1”"_s, u"文件“%1”太大，不是"_s + kind}, error);
}

} // namespace ssq

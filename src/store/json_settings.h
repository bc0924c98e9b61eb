#pragma once
// The JSON settings files the user keeps (condition files, blue controls files) are read by one
// reader, so they word their refusals alike. Every key may be left out; a key that is there
// must be right, or the whole file is refused with a message that names the key, so settings
// are never half loaded.

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>

namespace ssq {

class JsonSettingsReader {
public:
    // kind names the file in every message, e.g. "条件文件".
    explicit JsonSettingsReader(QString kind) : m_kind(std::move(kind)) {}

    // False with error() set when bytes are not one JSON object or hold a key not in known.
    bool open(const QByteArray& bytes, const QStringList& known);

    // An object {"i": "text"} for first <= i < texts.size().
    bool readTexts(const QString& name, int first, std::span<QString> texts);
    // An object {"i": 0 or 1} for first <= i < boxes.size().
    bool readNumberedBoxes(const QString& name, int first, std::span<int> boxes);
    // An array of exactly boxes.size() values 0 or 1.
    bool readBoxArray(const QString& name, std::span<int> boxes);
    bool readBox(const QString& name, int& box);
    // Two options of one choice: each true or false, and never both true. The captions say
    // what the options stand for in the message.
    bool readChoice(const QString& name1, const QString& caption1, bool& option1,
                    const QString& name2, const QString& caption2, bool& option2);

    // Refuses the file: error() becomes "<kind>有误：what". Always false.
    bool fail(const QString& what);

    const QJsonObject& root() const { return m_root; }
    const QString& error() const { return m_error; }

    // The int a JSON number stands for when it is a whole number in int's range.
    static std::optional<int> wholeNumber(const QJsonValue& value);

private:
    bool readOption(const QString& name, bool& option);
    // An object {"i": value} for first <= i <= last; take(i, value) stores a value and is false
    // for one that is not what `expected` names.
    template <typename Take>
    bool readNumbered(const QString& name, int first, int last, const QString& expected, Take take);

    QString m_kind;
    QJsonObject m_root;
    QString m_error;
};

// Writes a settings file whole or not at all; false with *error (when given) naming the path.
bool saveSettingsFile(const QString& path, const QByteArray& bytes, const QString& kind,
                      QString* error);

// The bytes of a settings file; nullopt with *error (when given) when it cannot be opened or
// is larger than maxBytes, which no file of that kind comes near.
std::optional<QByteArray> loadSettingsFile(const QString& path, const QString& kind,
                                           qint64 maxBytes, QString* error);

} // namespace ssq

#pragma once
// Where the network update fetches the newest draws from, and how long it waits: a small JSON
// file beside the database ("ssq-settings.json": {"updateSource": URL, "updateTimeoutMs": N}).
// A missing or unreadable file means the defaults.

#include <QString>
#include <QUrl>

#include <optional>

namespace ssq {

// The China Welfare Lottery's public draw notices of this game, the newest 30.
QString defaultDrawSource();
constexpr int kDefaultUpdateTimeoutMs = 15000;

struct UpdateSettings {
    QString source;
    int timeoutMs = kDefaultUpdateTimeoutMs;
};

// The settings file of the database at `databasePath`.
QString updateSettingsPath(const QString& databasePath);
UpdateSettings loadUpdateSettings(const QString& databasePath);
// Keeps every other key of the file.
bool saveUpdateSource(const QString& databasePath, const QString& source, QString* error);

// The source as a web address; nullopt with *error set when it is not an http or https one.
std::optional<QUrl> drawSourceUrl(const QString& source, QString* error);

} // namespace ssq

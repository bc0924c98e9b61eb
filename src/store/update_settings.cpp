#include "store/update_settings.h"

#include "store/small_file.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

const QString kSource = u"updateSource"_s;
const QString kTimeout = u"updateTimeoutMs"_s;

QJsonObject readSettings(const QString& databasePath) {
    const std::optional<QByteArray> bytes =
        loadSmallFile(updateSettingsPath(databasePath), {64 * 1024, {}, {}}, nullptr);
    return bytes ? QJsonDocument::fromJson(*bytes).object() : QJsonObject{};
}

} // namespace

QString defaultDrawSource() {
    return u"https://www.cwl.gov.cn/cwl_admin/front/cwlkj/search/kjxx/findDrawNotice"
           u"?name=ssq&issueCount=30"_s;
}

QString updateSettingsPath(const QString& databasePath) {
    return QFileInfo(databasePath).absoluteDir().filePath(u"ssq-settings.json"_s);
}

UpdateSettings loadUpdateSettings(const QString& databasePath) {
    const QJsonObject json = readSettings(databasePath);
    UpdateSettings settings;
    settings.source = json.value(kSource).toString().trimmed();
    if (settings.source.isEmpty())
        settings.source = defaultDrawSource();
    const int timeout = json.value(kTimeout).toInt(0);
    if (timeout > 0)
        settings.timeoutMs = timeout;
    return settings;
}

bool saveUpdateSource(const QString& databasePath, const QString& source, QString* error) {
    QJsonObject json = readSettings(databasePath);
    json.insert(kSource, source.trimmed());
    return saveSmallFile(updateSettingsPath(databasePath),
                         QJsonDocument(json).toJson(QJsonDocument::Indented),
                         u"无法保存设置文件“%1”"_s, error);
}

std::optional<QUrl> drawSourceUrl(const QString& source, QString* error) {
    const QUrl url(source, QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != u"http"_s && url.scheme() != u"https"_s)) {
        *error = u"开奖数据来源“%1”不是http或https网址。"_s.arg(source);
        return std::nullopt;
    }
    return url;
}

} // namespace ssq

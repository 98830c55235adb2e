#include "cli/ConnectionEdit.h"

#include "platform/DebugLog.h"
#include "settings/ConnectionSettings.h"
#include "settings/SettingsFile.h"

namespace fv::cli {
namespace {

bool wholeNumberIn(const QString& value, qint64 low, qint64 high) {
    bool ok = false;
    const qint64 n = value.toLongLong(&ok);
    return ok && n >= low && n <= high && QString::number(n) == value;
}

}  // namespace

const std::vector<const char*>& ConnectionEdit::keys() {
    static const std::vector<const char*> k = {"ServerAddress", "ServerPort",     "UserName",
                                               "Password",      "RefreshSeconds", "Remote",
                                               "AssBt",         "AssNZB"};
    return k;
}

bool ConnectionEdit::knows(const QString& key) {
    for (const char* k : keys())
        if (key == QLatin1String(k))
            return true;
    return false;
}

QString ConnectionEdit::check(const QString& key, const QString& value) {
    if (key == QLatin1String("ServerPort") && !wholeNumberIn(value, 1, 65535))
        return QStringLiteral("connection.ServerPort takes a whole number from 1 to 65535");
    if (key == QLatin1String("RefreshSeconds") && !wholeNumberIn(value, 5, 180))
        return QStringLiteral("connection.RefreshSeconds takes a whole number from 5 to 180");
    if (key == QLatin1String("Remote") && value != QLatin1String("0") &&
        value != QLatin1String("1"))
        return QStringLiteral("connection.Remote takes 0 (local) or 1 (remote)");
    for (const char* option : {"AssBt", "AssNZB"})
        if (key == QLatin1String(option) && value != QLatin1String("0") &&
            value != QLatin1String("1"))
            return QStringLiteral(
                       "connection.%1 takes 1 (the default program for the type) or "
                       "0 (not)")
                .arg(QLatin1String(option));
    if (key == QLatin1String("ServerAddress") && value.trimmed().isEmpty())
        return QStringLiteral("connection.ServerAddress needs an address");
    return QString();
}

bool ConnectionEdit::apply(const QString& path,
                           const std::vector<std::pair<QString, QString>>& changes,
                           QString* error) {
    SettingsFile file(path);
    if (file.load() == SettingsFile::Status::Damaged) {
        *error = QStringLiteral("the settings file cannot be read: ") + path;
        return false;
    }
    ConnectionSettings c = file.connection();
    for (const auto& [key, value] : changes) {
        if (key == QLatin1String("Remote"))
            c.remote = value == QLatin1String("1");
    }
    for (const auto& [key, value] : changes) {
        if (key == QLatin1String("ServerAddress")) {
            // The address goes where the mode in use reads it from.
            if (c.remote.value_or(false)) {
                c.otherAddress = value;
                c.remoteChoice = 1;
            } else {
                c.localAddress = value;
            }
        } else if (key == QLatin1String("ServerPort")) {
            c.port = value;
        } else if (key == QLatin1String("UserName")) {
            c.userName = value;
        } else if (key == QLatin1String("Password")) {
            DebugLog::addSecret(value.toStdString());
            c.password = value;
        } else if (key == QLatin1String("RefreshSeconds")) {
            c.refreshSeconds = value;
        } else if (key == QLatin1String("AssBt")) {
            c.associateBt = value == QLatin1String("1");
        } else if (key == QLatin1String("AssNZB")) {
            c.associateNzb = value == QLatin1String("1");
        }
    }
    file.put(c, SetupFormKind::SetupPages);
    return file.save(error);
}

}  // namespace fv::cli

#include "router/SettingsRecords.h"

namespace fv {

ConnectionProfile SettingsRecords::connection() const {
    std::lock_guard lock(mutex_);
    return connection_;
}

void SettingsRecords::setConnection(const ConnectionProfile& value) {
    std::lock_guard lock(mutex_);
    connection_ = value;
}

void SettingsRecords::editConnection(const std::function<void(ConnectionProfile&)>& edit) {
    std::lock_guard lock(mutex_);
    edit(connection_);
}

QString SettingsRecords::sessionTokenHeader() const {
    std::lock_guard lock(mutex_);
    return connection_.SessionTokenHeader;
}

void SettingsRecords::setSessionTokenHeader(const QString& header) {
    std::lock_guard lock(mutex_);
    connection_.SessionTokenHeader = header;
}

RouterBtSettings SettingsRecords::bt() const {
    std::lock_guard lock(mutex_);
    return bt_;
}

void SettingsRecords::setBt(const RouterBtSettings& value) {
    std::lock_guard lock(mutex_);
    bt_ = value;
}

RouterNzbSettings SettingsRecords::nzb() const {
    std::lock_guard lock(mutex_);
    return nzb_;
}

void SettingsRecords::setNzb(const RouterNzbSettings& value) {
    std::lock_guard lock(mutex_);
    nzb_ = value;
}

}  // namespace fv

#include "router/SettingsRecords.h"

namespace fv {

_SETUPFORM_INFO SettingsRecords::connection() const {
    std::lock_guard lock(mutex_);
    return connection_;
}

void SettingsRecords::setConnection(const _SETUPFORM_INFO& value) {
    std::lock_guard lock(mutex_);
    connection_ = value;
}

void SettingsRecords::editConnection(const std::function<void(_SETUPFORM_INFO&)>& edit) {
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

_BTSETUPFORM_INFO SettingsRecords::bt() const {
    std::lock_guard lock(mutex_);
    return bt_;
}

void SettingsRecords::setBt(const _BTSETUPFORM_INFO& value) {
    std::lock_guard lock(mutex_);
    bt_ = value;
}

_NZBSETUPFORM_INFO SettingsRecords::nzb() const {
    std::lock_guard lock(mutex_);
    return nzb_;
}

void SettingsRecords::setNzb(const _NZBSETUPFORM_INFO& value) {
    std::lock_guard lock(mutex_);
    nzb_ = value;
}

}  // namespace fv

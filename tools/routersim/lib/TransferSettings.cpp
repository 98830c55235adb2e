// The service's own settings as its settings script reads and writes them.
#include "TransferSettings.h"

namespace routersim {

namespace {

const std::vector<std::string> kBtKeys = {
    "Peer_port", "Auth_type", "Max_torrent_peer", "Max_peer",   "Enable_dht",      "Down_limit",
    "Down_rate", "Up_limit",  "Up_rate",          "Enable_pex", "Enable_peer_port"};
// Keys the apply request carries that are not part of the read reply.
const std::vector<std::string> kBtWriteOnly = {"peer_port_change", "bt_port_tmp", "Select_port"};
const std::vector<std::string> kNzbKeys = {
    "Server1.Host",     "Server1.Port",        "Server1.Encryption", "Server1.Username",
    "Server1.Password", "Server1.Connections", "DownloadRate"};

}  // namespace

TransferSettings::TransferSettings() {
    values_ = {{"Peer_port", "51413"},
               {"Auth_type", "1"},
               {"Max_torrent_peer", "60"},
               {"Max_peer", "240"},
               {"Enable_dht", "1"},
               {"Down_limit", "0"},
               {"Down_rate", "0"},
               {"Up_limit", "1"},
               {"Up_rate", "100"},
               {"Enable_pex", "1"},
               {"Enable_peer_port", "0"},
               {"peer_port_change", "0"},
               {"bt_port_tmp", "51413"},
               {"Select_port", "0"},
               {"Server1.Host", "news.example.net"},
               {"Server1.Port", "563"},
               {"Server1.Encryption", "yes"},
               {"Server1.Username", "reader"},
               {"Server1.Password", "usenet-secret"},
               {"Server1.Connections", "8"},
               {"DownloadRate", "0"}};
    general_ = {
        "1",   "1",        "3",   "Download2", "admin", "1", "/tmp/mnt/sda1/Download2/Complete",
        "30",  "64",       "yes", "no",        "5",     "0", "1",
        "UTC", "KR-AX3000"};
}

std::string TransferSettings::listOf(const std::vector<std::string>& keys) const {
    std::string out = "[";
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i > 0)
            out += ',';
        const auto it = values_.find(keys[i]);
        out += quoteItem(oneLine(it == values_.end() ? std::string() : it->second));
    }
    return out + "]";
}

std::string TransferSettings::generalReply() const {
    std::lock_guard lock(mutex_);
    std::string out = "[";
    for (std::size_t i = 0; i < general_.size(); ++i) {
        if (i > 0)
            out += ',';
        out += quoteItem(oneLine(general_[i]));
    }
    return out + "]";
}

std::string TransferSettings::btReply() const {
    std::lock_guard lock(mutex_);
    return listOf(kBtKeys);
}

std::string TransferSettings::nzbReply() const {
    std::lock_guard lock(mutex_);
    return listOf(kNzbKeys);
}

bool TransferSettings::apply(const std::string& kind, const Params& params) {
    std::vector<std::string> keys;
    if (kind == "BT") {
        keys = kBtKeys;
        keys.insert(keys.end(), kBtWriteOnly.begin(), kBtWriteOnly.end());
    } else if (kind == "NZB") {
        keys = kNzbKeys;
    } else {
        return false;
    }
    std::lock_guard lock(mutex_);
    for (const auto& key : keys) {
        if (auto v = paramValue(params, key))
            values_[key] = *v;
    }
    return true;
}

std::string TransferSettings::value(const std::string& key) const {
    std::lock_guard lock(mutex_);
    const auto it = values_.find(key);
    return it == values_.end() ? std::string() : it->second;
}

void TransferSettings::setValue(const std::string& key, const std::string& value) {
    std::lock_guard lock(mutex_);
    values_[key] = value;
}

void TransferSettings::setDownloadPath(const std::string& path) {
    std::lock_guard lock(mutex_);
    general_[6] = path;
}

void TransferSettings::setDeviceName(const std::string& name) {
    std::lock_guard lock(mutex_);
    general_[15] = name;
}

}  // namespace routersim

// The service's own settings as its settings script reads and writes them: the general facts
// (download folder, device name), the BitTorrent settings and the Usenet server.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "WireText.h"

namespace routersim {

class TransferSettings {
  public:
    TransferSettings();

    // Bracketed, comma-separated lists of quoted values, one per kind.
    std::string generalReply() const;
    std::string btReply() const;
    std::string nzbReply() const;

    // Stores the values an apply request carries for its kind ("BT" or "NZB"); unknown keys are
    // ignored. Returns false for an unknown kind.
    bool apply(const std::string& kind, const Params& params);

    std::string value(const std::string& key) const;
    void setValue(const std::string& key, const std::string& value);
    // General item 6: "/tmp/mnt/<disk>/<folders>"; item 15: the device name.
    void setDownloadPath(const std::string& path);
    void setDeviceName(const std::string& name);

  private:
    std::string listOf(const std::vector<std::string>& keys) const;

    mutable std::mutex mutex_;
    std::map<std::string, std::string> values_;
    std::vector<std::string> general_;
};

}  // namespace routersim

// The three settings records every router request reads. They live at the router layer
// because the request pattern consumes them; the settings layer fills them.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <mutex>

namespace fv {

// Connection profile. Fields 1-9 and 11-13 are written on the UI thread; SessionTokenHeader
// is also written by login workers and emptied by the general-settings worker.
struct ConnectionProfile {
    QString ServerAddress;
    QString ServerPort;
    QString UserName;
    QString Password;
    int32_t RefreshIntervalMs = 0;
    QString RouterName;
    QString WebDavHttpPort;
    QString WebDavHttpsPort;
    bool IsRemote = false;
    QString SessionTokenHeader;
    int32_t AuthMethod = 0;  // 0 "http", 1 "https"
    QString AuthPort;
    bool CheckVersionAtStart = false;
};

// Router-side BitTorrent settings, as texts in the router's key order.
struct RouterBtSettings {
    QString Enable_peer_port;
    QString peer_port_change;
    QString bt_port_tmp;
    QString Select_port;
    QString Peer_port;
    QString Down_limit;
    QString Down_rate;
    QString Up_limit;
    QString Up_rate;
    QString Auth_type;
    QString Max_torrent_peer;
    QString Max_peer;
    QString Enable_dht;
    QString Enable_pex;
};

// Router-side NZB settings; names are the router's keys without "Server1.".
struct RouterNzbSettings {
    QString Host;
    QString Port;
    QString DownloadRate;
    QString Encryption;
    QString Username;
    QString Password;
    QString Connections;
};

// The one set of records of a run, behind one mutex held only while a field or a whole
// record is copied. Workers take copies when they start and work on those.
class SettingsRecords {
  public:
    ConnectionProfile connection() const;
    void setConnection(const ConnectionProfile& value);
    // Runs edit on the record under the mutex; edit must not block or call back here.
    void editConnection(const std::function<void(ConnectionProfile&)>& edit);

    QString sessionTokenHeader() const;
    void setSessionTokenHeader(const QString& header);

    RouterBtSettings bt() const;
    void setBt(const RouterBtSettings& value);
    RouterNzbSettings nzb() const;
    void setNzb(const RouterNzbSettings& value);

  private:
    mutable std::mutex mutex_;
    ConnectionProfile connection_;
    RouterBtSettings bt_;
    RouterNzbSettings nzb_;
};

}  // namespace fv

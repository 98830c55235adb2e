// Trust on first use for the share link's TLS: the first public key a router (address and
// port) shows is remembered, and later exchanges accept only that key. The original accepted
// any certificate. The pins live in FVSharePins.txt beside the settings file, one
// "address:port<TAB>pin" line per router, replaced atomically and readable by the user only.
// UI thread only.
#pragma once

#include <QString>
#include <map>
#include <optional>
#include <string>

namespace fv {

class CertificatePins {
  public:
    static constexpr const char* kFileName = "FVSharePins.txt";

    explicit CertificatePins(QString path) : path_(std::move(path)) {}
    // The pin file beside a settings file.
    static QString besideSettings(const QString& setupFilePath);

    static QString routerKey(const QString& address, const QString& port);
    // The remembered pin; nothing when the router was never seen (or the file is unreadable).
    std::optional<std::string> pinFor(const QString& router) const;
    // Remembers a router's first pin; false when the file could not be written.
    bool remember(const QString& router, const std::string& pin);
    const QString& path() const { return path_; }

  private:
    std::map<QString, std::string> load() const;

    QString path_;
};

}  // namespace fv

// Writes a settings file for the desktop client that points it at this simulator, so a demo
// client starts connected. The file holds the account, so it is private to the user (0600) and
// replaced atomically.
#pragma once

#include <cstdint>
#include <string>

namespace routersim {

struct ClientSettings {
    std::string address = "127.0.0.1";
    std::uint16_t servicePort = 8081;
    std::string user;
    std::string password;
    std::uint16_t authPort = 8443;
    std::uint16_t webDavHttpPort = 0;
    std::uint16_t webDavHttpsPort = 0;
    int refreshSeconds = 5;
    bool checkVersionAtStart = false;  // UpdateAtBegin
};

// The document: UTF-16 with a byte order mark and an XML declaration naming UTF-16.
std::string clientSettingsDocument(const ClientSettings& settings);
bool writeClientSettings(const std::string& path, const ClientSettings& settings,
                         std::string* error);

}  // namespace routersim

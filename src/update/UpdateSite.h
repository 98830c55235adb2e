// Where the update server is and whom it is trusted through. The certificate is always
// verified against the system's trust store; FV_UPDATE_CA_FILE names PEM certificates that
// are trusted in addition (a test's own authority), never instead of verification.
// FV_UPDATE_SITE replaces the server's base URL (tests and the demo aim it at loopback).
#pragma once

#include <QString>
#include <string>

namespace fv {

struct UpdateSite {
    static constexpr const char* kSiteVariable = "FV_UPDATE_SITE";
    static constexpr const char* kCaVariable = "FV_UPDATE_CA_FILE";
    static constexpr const char* kDownloadVariable = "FV_DOWNLOAD_DIR";

    static constexpr const char* kVersionPath =
        "/pub/KOVA/Freshpost/Release/Wireless/FV_update_v22.zip";
    static constexpr const char* kFilesPath = "/pub/KOVA/wireless/Polaros/";

    QString baseUrl;  // "https://host[:port]", no trailing slash
    QString extraCaFile;

    // The build's server unless the environment names another one.
    static UpdateSite configured();

    std::string versionInfoUrl() const;
    // A file beside the release notes and packages.
    std::string fileUrl(const QString& fileName) const;
    // The checksum published beside a file: its URL followed by ".sha256".
    std::string checksumUrl(const QString& fileName) const;

    // The user's Downloads folder (FV_DOWNLOAD_DIR replaces it), created when missing.
    static QString downloadFolder();
};

}  // namespace fv

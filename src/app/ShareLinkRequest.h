// The share-link request of remote mode, byte for byte: nine CR LF lines naming the
// router's download folder P (GeneralRouterName/DownloadDisk/Download2) and F ("Complete" or
// "InComplete"), each trimmed and URL-escaped, with the account's Basic authorisation.
#pragma once

#include <QString>
#include <string>

namespace fv {

struct ShareLinkQuery {
    QString serverAddress;
    QString userName;
    QString password;
    QString routerName;    // GeneralRouterName
    QString downloadDisk;  // DownloadDisk
    bool finished = false;
};

class ShareLinkRequest {
  public:
    // P and F as they go on the wire.
    static std::string folderPath(const ShareLinkQuery& query);
    static std::string fileName(const ShareLinkQuery& query);
    static std::string commandLine(const ShareLinkQuery& query);   // "GSL /P HTTP/1.1"
    static std::string urlLine(const ShareLinkQuery& query);       // "URL: /P"
    static std::string fileNameLine(const ShareLinkQuery& query);  // "FILENAME: F"
    static std::string bytes(const ShareLinkQuery& query);
};

}  // namespace fv

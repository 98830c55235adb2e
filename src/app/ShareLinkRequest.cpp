#include "app/ShareLinkRequest.h"

#include "router/LoginEncoding.h"
#include "upload/UrlEscapePath.h"

namespace fv {
namespace {

std::string trimmedEscaped(const QString& text) {
    std::string bytes = text.toUtf8().toStdString();
    const char* blanks = " \t\r\n";
    const size_t first = bytes.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    bytes = bytes.substr(first, bytes.find_last_not_of(blanks) - first + 1);
    return urlEscapePath(bytes);
}

}  // namespace

std::string ShareLinkRequest::folderPath(const ShareLinkQuery& q) {
    return trimmedEscaped(q.routerName + QLatin1Char('/') + q.downloadDisk +
                          QStringLiteral("/Download2"));
}

std::string ShareLinkRequest::fileName(const ShareLinkQuery& q) {
    return trimmedEscaped(q.finished ? QStringLiteral("Complete") : QStringLiteral("InComplete"));
}

std::string ShareLinkRequest::commandLine(const ShareLinkQuery& q) {
    return "GSL /" + folderPath(q) + " HTTP/1.1";
}

std::string ShareLinkRequest::urlLine(const ShareLinkQuery& q) {
    return "URL: /" + folderPath(q);
}

std::string ShareLinkRequest::fileNameLine(const ShareLinkQuery& q) {
    return "FILENAME: " + fileName(q);
}

std::string ShareLinkRequest::bytes(const ShareLinkQuery& q) {
    // The system's 8-bit code page of the original is UTF-8 here.
    const std::string account = (q.userName + QLatin1Char(':') + q.password).toStdString();
    const std::string crlf = "\r\n";
    return commandLine(q) + crlf + "Host: " + q.serverAddress.toStdString() + crlf +
           "Content-type: text/xml" + crlf + "Authorization: Basic " + base64Encode(account) +
           crlf + urlLine(q) + crlf + fileNameLine(q) + crlf + "EXPIRE: 300" + crlf + "TOSHARE: 1" +
           crlf + crlf + crlf + crlf;
}

}  // namespace fv

#include "tasks/GeneralSettingsRead.h"

#include <string>
#include <vector>

#include "platform/DebugLog.h"
#include "router/CommaText.h"

namespace fv {
namespace {

QString text8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Item 6 reads like /tmp/mnt/<disk>/<folders...>: the text after "mnt" and its separator.
std::string diskAndFolders(const std::string& item) {
    const size_t mnt = item.find("mnt");
    // Without "mnt" the text is taken from the fourth character, as the position rule gives.
    const size_t start = mnt == std::string::npos ? 3 : mnt + 4;
    if (item.size() <= 9 || start >= item.size())
        return {};
    return item.substr(start, item.size() - 9);
}

}  // namespace

void GeneralSettingsRead::parseReturnText(std::string_view text, GeneralSettingsValues& values) {
    const std::vector<std::string> items = splitCommaText(text);
    if (items.size() < 6) {
        DebugLog::write("TFVPageGeneralSettingThread::ParseReturnText():<6" + std::string(text));
        return;
    }
    if (items.size() < 16)
        return;
    const std::string s = diskAndFolders(items[6]);
    const size_t slash = s.find('/');
    const std::string disk = slash == std::string::npos ? std::string() : s.substr(0, slash);
    std::string folder;
    if (disk.empty()) {
        folder = s;
    } else {
        const size_t at = s.find(disk);
        folder = s.substr(at + disk.size());
    }
    for (char& c : folder) {
        if (c == '/')
            c = '\\';
    }
    GeneralSettingsValues::Values v;
    v.DownloadDisk = text8(disk);
    v.DownloadFolder = text8(folder);
    v.GeneralRouterName = text8(items[15]);
    values.set(v);
}

bool GeneralSettingsRead::execute() {
    RouterRequest request;
    request.pathAndQuery = std::string(kPath) + gateway_.cacheBreaker();
    request.connectTimeoutMs = kTimeoutMs;
    request.readTimeoutMs = kTimeoutMs;
    request.loginFirst = false;
    const RouterReply reply = gateway_.get(request);
    if (!reply.ok) {
        DebugLog::write("TFVPageGeneralSettingThread - http connect fault!; E.Message = " +
                        reply.failureText);
        if (reply.kind == FailureKind::Redirect)
            records_.setSessionTokenHeader(QString());
        return false;
    }
    parseReturnText(reply.body, values_);
    return true;
}

}  // namespace fv

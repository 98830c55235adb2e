#include "settings/RouterSettingsReply.h"

#include <string>
#include <vector>

#include "platform/DebugLog.h"
#include "router/CommaText.h"

namespace fv {
namespace {

constexpr size_t kBtItems = 11;
constexpr size_t kNzbItems = 7;

QString text8(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Never more items than the record takes: a hostile reply cannot make the split grow.
std::vector<std::string> itemsOf(std::string_view text, size_t wanted) {
    return splitCommaText(bracketedPart(text), wanted + 1);
}

}  // namespace

std::string_view bracketedPart(std::string_view text) {
    if (text.size() < 2)
        return {};
    const size_t close = text.find(']', 1);
    const size_t end = close == std::string_view::npos ? text.size() : close;
    return text.substr(1, end - 1);
}

bool parseBtReply(std::string_view text, RouterBtSettings& bt) {
    DebugLog::write("ParseBTReturnText()");
    const std::vector<std::string> items = itemsOf(text, kBtItems);
    if (items.size() < kBtItems)
        return false;
    bt.Peer_port = text8(items[0]);
    bt.Auth_type = text8(items[1]);
    bt.Max_torrent_peer = text8(items[2]);
    bt.Max_peer = text8(items[3]);
    bt.Enable_dht = text8(items[4]);
    bt.Down_limit = text8(items[5]);
    bt.Down_rate = text8(items[6]);
    bt.Up_limit = text8(items[7]);
    bt.Up_rate = text8(items[8]);
    bt.Enable_pex = text8(items[9]);
    // Older services leave the switch out; the page then shows it off.
    bt.Enable_peer_port = items[10].empty() ? QStringLiteral("0") : text8(items[10]);
    DebugLog::write("ParseBTReturnText()-end");
    return true;
}

bool parseNzbReply(std::string_view text, RouterNzbSettings& nzb) {
    DebugLog::write("ParseNZBReturnText()");
    const std::vector<std::string> items = itemsOf(text, kNzbItems);
    if (items.size() < kNzbItems)
        return false;
    // Registered before anything else can log a line holding it.
    DebugLog::addSecret(items[4]);
    nzb.Host = text8(items[0]);
    nzb.Port = text8(items[1]);
    nzb.Encryption = text8(items[2]);
    nzb.Username = text8(items[3]);
    nzb.Password = text8(items[4]);
    nzb.Connections = text8(items[5]);
    nzb.DownloadRate = text8(items[6]);
    DebugLog::write("ParseNZBReturnText()-end");
    return true;
}

}  // namespace fv

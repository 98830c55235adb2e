#include "settings/RouterSettingsReply.h"

#include <string>
#include <vector>

#include "platform/DebugLog.h"
#include "router/CommaText.h"

namespace fv {
namespace {

constexpr std::array<ReplyField<RouterBtSettings>, 11> kBtFields = {{
    {"Peer_port", &RouterBtSettings::Peer_port},
    {"Auth_type", &RouterBtSettings::Auth_type},
    {"Max_torrent_peer", &RouterBtSettings::Max_torrent_peer},
    {"Max_peer", &RouterBtSettings::Max_peer},
    {"Enable_dht", &RouterBtSettings::Enable_dht},
    {"Down_limit", &RouterBtSettings::Down_limit},
    {"Down_rate", &RouterBtSettings::Down_rate},
    {"Up_limit", &RouterBtSettings::Up_limit},
    {"Up_rate", &RouterBtSettings::Up_rate},
    {"Enable_pex", &RouterBtSettings::Enable_pex},
    {"Enable_peer_port", &RouterBtSettings::Enable_peer_port},
}};

constexpr std::array<ReplyField<RouterNzbSettings>, 7> kNzbFields = {{
    {"Host", &RouterNzbSettings::Host},
    {"Port", &RouterNzbSettings::Port},
    {"Encryption", &RouterNzbSettings::Encryption},
    {"Username", &RouterNzbSettings::Username},
    {"Password", &RouterNzbSettings::Password},
    {"Connections", &RouterNzbSettings::Connections},
    {"DownloadRate", &RouterNzbSettings::DownloadRate},
}};

QString text8(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Never more items than the record takes: a hostile reply cannot make the split grow.
std::vector<std::string> itemsOf(std::string_view text, size_t wanted) {
    return splitCommaText(bracketedPart(text), wanted + 1);
}

template <typename Record, size_t N>
void fill(const std::array<ReplyField<Record>, N>& fields, const std::vector<std::string>& items,
          Record& record) {
    for (size_t i = 0; i < N; ++i)
        record.*fields[i].member = text8(items[i]);
}

}  // namespace

const std::array<ReplyField<RouterBtSettings>, 11>& btReplyFields() {
    return kBtFields;
}

const std::array<ReplyField<RouterNzbSettings>, 7>& nzbReplyFields() {
    return kNzbFields;
}

std::string_view bracketedPart(std::string_view text) {
    if (text.size() < 2)
        return {};
    const size_t close = text.find(']', 1);
    const size_t end = close == std::string_view::npos ? text.size() : close;
    return text.substr(1, end - 1);
}

bool parseBtReply(std::string_view text, RouterBtSettings& bt) {
    DebugLog::write("ParseBTReturnText()");
    const std::vector<std::string> items = itemsOf(text, kBtFields.size());
    if (items.size() < kBtFields.size())
        return false;
    fill(kBtFields, items, bt);
    // Older services leave the switch out; the page then shows it off.
    if (bt.Enable_peer_port.isEmpty())
        bt.Enable_peer_port = QStringLiteral("0");
    DebugLog::write("ParseBTReturnText()-end");
    return true;
}

bool parseNzbReply(std::string_view text, RouterNzbSettings& nzb) {
    DebugLog::write("ParseNZBReturnText()");
    const std::vector<std::string> items = itemsOf(text, kNzbFields.size());
    if (items.size() < kNzbFields.size())
        return false;
    // Registered before anything else can log a line holding it.
    DebugLog::addSecret(items[4]);
    fill(kNzbFields, items, nzb);
    DebugLog::write("ParseNZBReturnText()-end");
    return true;
}

}  // namespace fv

// The replies of the service's settings script for the BitTorrent and NZB pages: one
// bracketed, comma-separated list such as ["51413","1",...]. The parsers fill a record in
// place so a short or damaged reply leaves the values the client already had.
#pragma once

#include <array>
#include <string_view>

#include "router/SettingsRecords.h"

namespace fv {

// One item of a read reply: the record field it fills, named as the router names it.
template <typename Record>
struct ReplyField {
    const char* key;
    QString Record::*member;
};

// The items of the BitTorrent and NZB read replies, in reply order. The write requests and
// fvctl's listing use the same names.
const std::array<ReplyField<RouterBtSettings>, 11>& btReplyFields();
const std::array<ReplyField<RouterNzbSettings>, 7>& nzbReplyFields();

// Items 0..10: Peer_port, Auth_type, Max_torrent_peer, Max_peer, Enable_dht, Down_limit,
// Down_rate, Up_limit, Up_rate, Enable_pex, Enable_peer_port ("0" when that one is empty).
// True when the reply had the 11 items and the record was filled.
bool parseBtReply(std::string_view text, RouterBtSettings& bt);

// Items 0..6: Host, Port, Encryption, Username, Password, Connections, DownloadRate. The
// password becomes a log secret. True when the reply had the 7 items.
bool parseNzbReply(std::string_view text, RouterNzbSettings& nzb);

// The text between the reply's first character and its first "]" (or its end).
std::string_view bracketedPart(std::string_view text);

}  // namespace fv

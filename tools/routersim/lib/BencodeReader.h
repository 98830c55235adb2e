// Reads the parts of a .torrent the router needs: name, files with sizes, and the info hash
// (which tells a torrent the router already has). Never throws; damaged input gives nullopt.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace routersim {

struct TorrentFile {
    std::string path;  // elements joined with "/"
    std::int64_t length = 0;
};

struct TorrentInfo {
    std::string name;
    std::string infoHashHex;  // SHA-1 of the bencoded info dictionary, lower-case hex
    std::vector<TorrentFile> files;
    std::int64_t totalLength() const;
};

std::optional<TorrentInfo> readTorrent(std::string_view bytes);

}  // namespace routersim

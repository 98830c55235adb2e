// Lists the files inside a .torrent by scanning its raw bytes for a few bencoded key patterns
// ("5:files", "6:length", "4:path", "10:path.utf-8"). No bencode tree is built and the
// structure is not checked: a damaged torrent yields whatever entries the scan finds. Every
// read stays inside the buffer, so hostile input can at worst end the scan early.
#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fv {

struct TorrentFileEntry {
    // Field widths of the original record (text plus terminating zero); longer elements are
    // cut at a UTF-8 character boundary so a name never ends in half a character.
    static constexpr size_t kFirstPathMax = 255;
    static constexpr size_t kSecondPathMax = 259;

    std::string firstPath;   // raw bytes (UTF-8 in practice); empty when no path key followed
    int index = 0;           // 0, 1, 2, ... in the order of the "length" keys
    std::string secondPath;  // second element of the path list, "none" when it has only one
    uint64_t length = 0;

    bool operator==(const TorrentFileEntry&) const = default;
};

// Torrents are small; a larger file is refused rather than held in memory.
inline constexpr int64_t kTorrentMaxBytes = int64_t(256) << 20;

struct TorrentReadResult {
    int status = -1;    // 0 read (also with no entries), -1 failure
    int multiFile = 0;  // 1 when "5:files" occurs anywhere
    std::vector<TorrentFileEntry> entries;
};

// Scans bytes already in memory. Inputs shorter than 8 bytes give status -1 (the size rule of
// the file reader); anything else gives status 0.
TorrentReadResult scanTorrentBytes(std::string_view bytes);

// Reads a file whole and scans it. Failures log "file open failed\n", "file fseek failed\n"
// (shorter than 8 bytes) or "mem malloc failed\n" (larger than maxBytes) and give status -1.
TorrentReadResult readTorrentFiles(const QString& path, int64_t maxBytes = kTorrentMaxBytes);

// Cuts text to at most maxBytes without splitting a UTF-8 sequence.
std::string_view cutUtf8(std::string_view text, size_t maxBytes);

}  // namespace fv

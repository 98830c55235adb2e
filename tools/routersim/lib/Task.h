// One download task of the router's service.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace routersim {

struct Task {
    std::string id;
    std::string name;
    std::string type = "BT";  // "BT" or "NZB"
    std::string status = "Downloading";
    std::int64_t sizeBytes = 0;
    std::int64_t doneBytes = 0;
    std::int64_t downBytesPerSec = 0;
    std::int64_t upBytesPerSec = 0;
    std::string infoHash;            // torrents only; tells a repeated upload
    std::vector<std::string> files;  // paths inside the torrent
    std::string uploadName;          // name of the uploaded file, for the selection request
    std::string selection;           // "All" or chosen indices; empty until chosen
    // Fields the client keeps but does not read (6 and 9 to 12).
    std::string extra[5] = {"0", "0", "0", "0", "0"};
};

}  // namespace routersim

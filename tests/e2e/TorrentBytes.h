// A one-file torrent named after its file, as the end-to-end tests queue it.
#pragma once

#include <string>

namespace fv {

inline std::string torrentBytes(const std::string& name) {
    const std::string file =
        "d6:lengthi1000e4:pathl" + std::to_string(name.size()) + ":" + name + "ee";
    const std::string info = "d5:filesl" + file + "e4:name" + std::to_string(name.size()) + ":" +
                             name + "12:piece lengthi16384e6:pieces20:" + std::string(20, 'p') +
                             "e";
    return "d8:announce30:http://127.0.0.1:6969/announce4:info" + info + "e";
}

}  // namespace fv

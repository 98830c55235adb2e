// Tiny bencode writer for building synthetic torrents in tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fv::test {

inline std::string bstr(const std::string& s) {
    return std::to_string(s.size()) + ":" + s;
}
inline std::string bint(int64_t v) {
    return "i" + std::to_string(v) + "e";
}
inline std::string blist(const std::vector<std::string>& items) {
    std::string out = "l";
    for (const auto& i : items)
        out += i;
    return out + "e";
}
// Keys are written in the order given; callers pass them sorted as a real torrent has them.
inline std::string bdict(const std::vector<std::pair<std::string, std::string>>& items) {
    std::string out = "d";
    for (const auto& [k, v] : items)
        out += bstr(k) + v;
    return out + "e";
}

struct FileSpec {
    int64_t length;
    std::vector<std::string> path;
    std::vector<std::string> pathUtf8;  // empty: no "path.utf-8" key
};

inline std::string multiFileTorrent(const std::vector<FileSpec>& files, int pieces = 2) {
    std::vector<std::string> list;
    for (const auto& f : files) {
        std::vector<std::pair<std::string, std::string>> d{{"length", bint(f.length)}};
        std::vector<std::string> p;
        for (const auto& e : f.path)
            p.push_back(bstr(e));
        d.emplace_back("path", blist(p));
        if (!f.pathUtf8.empty()) {
            std::vector<std::string> u;
            for (const auto& e : f.pathUtf8)
                u.push_back(bstr(e));
            d.emplace_back("path.utf-8", blist(u));
        }
        list.push_back(bdict(d));
    }
    const std::string info = bdict({{"files", blist(list)},
                                    {"name", bstr("folder")},
                                    {"piece length", bint(262144)},
                                    {"pieces", bstr(std::string(size_t(20 * pieces), '\x9a'))}});
    return bdict({{"announce", bstr("http://127.0.0.1:6969/announce")}, {"info", info}});
}

inline std::string singleFileTorrent(int64_t length, const std::string& name) {
    const std::string info = bdict({{"length", bint(length)},
                                    {"name", bstr(name)},
                                    {"piece length", bint(16384)},
                                    {"pieces", bstr(std::string(20, '\x01'))}});
    return bdict({{"announce", bstr("http://127.0.0.1:6969/announce")}, {"info", info}});
}

}  // namespace fv::test

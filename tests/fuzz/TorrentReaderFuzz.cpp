// Fuzzes the torrent scan. Besides memory safety (sanitizers) it checks the fast scan against
// a plain position-by-position walk of the same rules, so the skipping search cannot drift
// from them. Run with --write-seeds DIR to create a small starting corpus.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "upload/TorrentReader.h"

namespace {

using fv::TorrentFileEntry;
using fv::TorrentReadResult;

bool at(std::string_view d, size_t p, std::string_view pat) {
    return p <= d.size() && d.size() - p >= pat.size() && d.substr(p, pat.size()) == pat;
}

bool number(std::string_view d, size_t& p, char term, uint64_t& v) {
    v = 0;
    for (; p < d.size(); ++p) {
        if (d[p] == term)
            return true;
        if (d[p] >= '0' && d[p] <= '9')
            v = v * 10 + uint64_t(d[p] - '0');
    }
    return false;
}

bool str(std::string_view d, size_t& p, std::string& out, size_t width) {
    uint64_t n;
    if (!number(d, p, ':', n))
        return false;
    ++p;
    if (n > d.size() - p)
        return false;
    out = std::string(fv::cutUtf8(d.substr(p, size_t(n)), width));
    p += size_t(n);
    return true;
}

TorrentReadResult reference(std::string_view d) {
    TorrentReadResult r;
    if (d.size() < 8)
        return r;
    r.status = 0;
    for (size_t i = 0; i + 7 < d.size(); ++i)
        if (at(d, i, "5:files")) {
            r.multiFile = 1;
            break;
        }
    for (size_t s = 0; s < d.size() - 8; ++s) {
        if (at(d, s, "6:length")) {
            s += 9;
            uint64_t v;
            if (!number(d, s, 'e', v))
                break;
            TorrentFileEntry e;
            e.index = int(r.entries.size());
            e.length = v;
            r.entries.push_back(e);
            continue;  // s is on the "e", which starts no key
        }
        size_t skip = at(d, s, "10:path.utf-8") ? 14 : at(d, s, "4:path") ? 7 : 0;
        if (!skip)
            continue;
        if (r.entries.empty()) {
            s += skip - 1;
            continue;
        }
        s += skip;
        auto& e = r.entries.back();
        if (!str(d, s, e.firstPath, TorrentFileEntry::kFirstPathMax) || s >= d.size())
            break;
        if (d[s] == 'e')
            e.secondPath = "none";
        else if (d[s] >= '0' && d[s] <= '9' &&
                 !str(d, s, e.secondPath, TorrentFileEntry::kSecondPathMax))
            break;
    }
    return r;
}

void writeSeeds(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    const char* seeds[] = {
        "d8:announce9:127.0.0.14:infod6:lengthi7e4:name5:a.bin12:piece lengthi16384e6:pieces"
        "20:aaaaaaaaaaaaaaaaaaaaee",
        "d4:infod5:filesld6:lengthi1e4:pathl1:a1:bee10:path.utf-8l1:ceed6:lengthi5368709120e"
        "4:pathl3:dir3:sub4:leafeee4:name1:xee",
        "<?xml version=\"1.0\"?><nzb></nzb>",
        "6:lengthi99999999999999999999999e4:pathl9999999999:x",
    };
    int n = 0;
    for (const char* s : seeds)
        std::ofstream(dir / ("seed" + std::to_string(n++)), std::ios::binary) << s;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (*argc >= 3 && std::strcmp((*argv)[1], "--write-seeds") == 0) {
        writeSeeds((*argv)[2]);
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TorrentReadResult fast = fv::scanTorrentBytes(bytes);
    const TorrentReadResult slow = reference(bytes);
    if (fast.status != slow.status || fast.multiFile != slow.multiFile ||
        fast.entries != slow.entries) {
        std::fprintf(stderr, "fast scan differs from the plain walk\n");
        std::abort();
    }
    return 0;
}

// Reads the parts of a .torrent the router needs.
#include "BencodeReader.h"

#include <openssl/sha.h>

#include <cstdio>
#include <limits>

namespace routersim {

namespace {

constexpr int kMaxDepth = 64;
constexpr std::size_t kMaxFiles = 100000;

// A cursor over bencoded bytes; every read checks bounds and fails instead of throwing.
class Cursor {
  public:
    explicit Cursor(std::string_view data) : data_(data) {}

    bool atEnd() const { return pos_ >= data_.size(); }
    char peek() const { return atEnd() ? '\0' : data_[pos_]; }
    std::size_t pos() const { return pos_; }
    std::string_view slice(std::size_t from) const { return data_.substr(from, pos_ - from); }

    bool readInt(std::int64_t& out) {
        if (peek() != 'i')
            return false;
        ++pos_;
        return readDigits('e', out, true);
    }

    bool readString(std::string_view& out) {
        std::int64_t len = 0;
        if (!readDigits(':', len, false))
            return false;
        if (static_cast<std::uint64_t>(len) > data_.size() - pos_)
            return false;
        out = data_.substr(pos_, static_cast<std::size_t>(len));
        pos_ += static_cast<std::size_t>(len);
        return true;
    }

    bool skipValue(int depth) {
        if (depth > kMaxDepth)
            return false;
        const char c = peek();
        if (c == 'i') {
            std::int64_t ignored;
            return readInt(ignored);
        }
        if (c == 'l' || c == 'd') {
            ++pos_;
            while (peek() != 'e') {
                if (atEnd())
                    return false;
                std::string_view key;
                if (c == 'd' && !readString(key))
                    return false;
                if (!skipValue(depth + 1))
                    return false;
            }
            ++pos_;
            return true;
        }
        std::string_view ignored;
        return readString(ignored);
    }

    bool expect(char c) {
        if (peek() != c)
            return false;
        ++pos_;
        return true;
    }

  private:
    bool readDigits(char terminator, std::int64_t& out, bool allowSign) {
        bool negative = false;
        if (allowSign && peek() == '-') {
            negative = true;
            ++pos_;
        }
        std::int64_t value = 0;
        std::size_t digits = 0;
        while (!atEnd() && data_[pos_] >= '0' && data_[pos_] <= '9') {
            if (value > (std::numeric_limits<std::int64_t>::max() - 9) / 10)
                return false;
            value = value * 10 + (data_[pos_] - '0');
            ++pos_;
            ++digits;
        }
        if (digits == 0 || !expect(terminator))
            return false;
        out = negative ? -value : value;
        return true;
    }

    std::string_view data_;
    std::size_t pos_ = 0;
};

bool readPath(Cursor& c, std::string& path) {
    if (!c.expect('l'))
        return false;
    while (c.peek() != 'e') {
        std::string_view element;
        if (c.atEnd() || !c.readString(element))
            return false;
        if (!path.empty())
            path += '/';
        path += element;
    }
    return c.expect('e');
}

bool readFileEntry(Cursor& c, TorrentFile& file) {
    if (!c.expect('d'))
        return false;
    while (c.peek() != 'e') {
        std::string_view key;
        if (c.atEnd() || !c.readString(key))
            return false;
        bool ok;
        if (key == "length") {
            ok = c.readInt(file.length) && file.length >= 0;
        } else if (key == "path") {
            ok = readPath(c, file.path);
        } else {
            ok = c.skipValue(2);
        }
        if (!ok)
            return false;
    }
    return c.expect('e');
}

bool readFiles(Cursor& c, std::vector<TorrentFile>& files) {
    if (!c.expect('l'))
        return false;
    while (c.peek() != 'e') {
        if (c.atEnd() || files.size() >= kMaxFiles)
            return false;
        TorrentFile file;
        if (!readFileEntry(c, file))
            return false;
        files.push_back(std::move(file));
    }
    return c.expect('e');
}

bool readInfo(Cursor& c, TorrentInfo& info) {
    std::int64_t singleLength = -1;
    bool hasFiles = false;
    if (!c.expect('d'))
        return false;
    while (c.peek() != 'e') {
        std::string_view key;
        if (c.atEnd() || !c.readString(key))
            return false;
        bool ok;
        if (key == "name") {
            std::string_view name;
            ok = c.readString(name);
            info.name = std::string(name);
        } else if (key == "length") {
            ok = c.readInt(singleLength) && singleLength >= 0;
        } else if (key == "files") {
            ok = readFiles(c, info.files);
            hasFiles = true;
        } else {
            ok = c.skipValue(1);
        }
        if (!ok)
            return false;
    }
    if (!c.expect('e'))
        return false;
    if (!hasFiles) {
        if (singleLength < 0)
            return false;
        info.files.push_back({info.name, singleLength});
    }
    return !info.name.empty();
}

std::string hexDigest(std::string_view bytes) {
    unsigned char digest[SHA_DIGEST_LENGTH];
    SHA1(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), digest);
    std::string hex;
    char two[3];
    for (unsigned char b : digest) {
        std::snprintf(two, sizeof two, "%02x", b);
        hex += two;
    }
    return hex;
}

}  // namespace

std::int64_t TorrentInfo::totalLength() const {
    std::int64_t total = 0;
    for (const auto& f : files) {
        if (f.length > std::numeric_limits<std::int64_t>::max() - total)
            return total;
        total += f.length;
    }
    return total;
}

std::optional<TorrentInfo> readTorrent(std::string_view bytes) {
    Cursor c(bytes);
    TorrentInfo info;
    bool hasInfo = false;
    if (!c.expect('d'))
        return std::nullopt;
    while (c.peek() != 'e') {
        std::string_view key;
        if (c.atEnd() || !c.readString(key))
            return std::nullopt;
        if (key == "info" && !hasInfo) {
            const std::size_t start = c.pos();
            if (!readInfo(c, info))
                return std::nullopt;
            info.infoHashHex = hexDigest(c.slice(start));
            hasInfo = true;
        } else if (!c.skipValue(1)) {
            return std::nullopt;
        }
    }
    if (!c.expect('e') || !hasInfo)
        return std::nullopt;
    return info;
}

}  // namespace routersim

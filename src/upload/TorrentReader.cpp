#include "upload/TorrentReader.h"

#include <QFile>
#include <cstring>

#include "platform/DebugLog.h"

namespace fv {
namespace {

constexpr std::string_view kFiles = "5:files";
constexpr std::string_view kLength = "6:length";
constexpr std::string_view kPath = "4:path";
constexpr std::string_view kPathUtf8 = "10:path.utf-8";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// One pass over the buffer with a cursor that never leaves it: every helper reports running
// off the end, and the scan then stops with the entries found so far.
class Scanner {
  public:
    explicit Scanner(std::string_view data) : d_(data) {}

    bool at(size_t pos, std::string_view pattern) const {
        return pos <= d_.size() && d_.size() - pos >= pattern.size() &&
               std::memcmp(d_.data() + pos, pattern.data(), pattern.size()) == 0;
    }

    // Reads digits up to the terminator; other bytes are ignored as the original did. On
    // success pos is left on the terminator.
    bool number(size_t& pos, char terminator, uint64_t& value) const {
        value = 0;
        for (; pos < d_.size(); ++pos) {
            const char c = d_[pos];
            if (c == terminator)
                return true;
            if (isDigit(c))
                value = value * 10 + uint64_t(c - '0');  // unsigned: wraps, never undefined
        }
        return false;
    }

    // A length-prefixed string starting at pos ("12:...") ; pos ends after its bytes.
    bool string(size_t& pos, std::string_view& out) const {
        uint64_t n = 0;
        if (!number(pos, ':', n))
            return false;
        ++pos;
        if (n > d_.size() - pos)
            return false;
        out = d_.substr(pos, size_t(n));
        pos += size_t(n);
        return true;
    }

    size_t size() const { return d_.size(); }
    char operator[](size_t pos) const { return d_[pos]; }

  private:
    std::string_view d_;
};

int detectMultiFile(std::string_view d) {
    // A match must start before size - 7, i.e. end before the last byte.
    if (d.size() < kFiles.size() + 1)
        return 0;
    return memmem(d.data(), d.size() - 1, kFiles.data(), kFiles.size()) != nullptr ? 1 : 0;
}

// Reads the path list whose first element starts at pos into the last entry. Returns false
// when the data ends inside it.
bool readPath(const Scanner& sc, size_t& pos, TorrentFileEntry& entry) {
    std::string_view first;
    if (!sc.string(pos, first))
        return false;
    entry.firstPath.assign(cutUtf8(first, TorrentFileEntry::kFirstPathMax));
    if (pos >= sc.size())
        return false;
    if (sc[pos] == 'e') {
        entry.secondPath = "none";
    } else if (isDigit(sc[pos])) {
        std::string_view second;
        if (!sc.string(pos, second))
            return false;
        entry.secondPath.assign(cutUtf8(second, TorrentFileEntry::kSecondPathMax));
    }
    return true;
}

enum class Step { NoKey, Consumed, Stop };

// Handles a key starting at pos. After Consumed, pos is on the last byte consumed and the scan
// continues after it.
Step handleKey(const Scanner& sc, size_t& pos, TorrentReadResult& result) {
    if (sc.at(pos, kLength)) {
        pos += kLength.size() + 1;  // the key and the "i" of the integer
        uint64_t value = 0;
        if (!sc.number(pos, 'e', value))
            return Step::Stop;
        TorrentFileEntry entry;
        entry.index = int(result.entries.size());
        entry.length = value;
        result.entries.push_back(std::move(entry));
        return Step::Consumed;
    }
    size_t skip = 0;
    if (sc.at(pos, kPathUtf8))
        skip = kPathUtf8.size() + 1;  // the key and the "l" of the list
    else if (sc.at(pos, kPath))
        skip = kPath.size() + 1;
    else
        return Step::NoKey;
    if (result.entries.empty()) {
        pos += skip - 1;  // a path before any length belongs to no entry
        return Step::Consumed;
    }
    pos += skip;
    return readPath(sc, pos, result.entries.back()) ? Step::Consumed : Step::Stop;
}

}  // namespace

std::string_view cutUtf8(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text;
    size_t cut = maxBytes;
    // Back off while the first dropped byte continues a sequence begun before the cut.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut);
}

TorrentReadResult scanTorrentBytes(std::string_view bytes) {
    TorrentReadResult result;
    if (bytes.size() < 8)
        return result;
    result.status = 0;
    result.multiFile = detectMultiFile(bytes);

    // Every key pattern holds a colon one or two bytes after its start, so only positions
    // just before a colon can match; memchr skips the rest (mostly the binary piece hashes).
    const Scanner sc(bytes);
    const size_t limit = bytes.size() - 8;  // a key may start only before size - 8
    const char* base = bytes.data();
    size_t pos = 0;
    while (pos < limit) {
        const void* hit = std::memchr(base + pos + 1, ':', bytes.size() - pos - 1);
        if (!hit)
            break;
        const size_t colon = size_t(static_cast<const char*>(hit) - base);
        Step step = Step::NoKey;
        size_t at = colon - 1;
        // "10:path.utf-8" starts two bytes before its colon, the other keys one byte before.
        for (size_t candidate = colon >= pos + 2 ? colon - 2 : colon - 1;
             candidate < colon && step == Step::NoKey; ++candidate) {
            if (candidate >= limit) {
                step = Step::Stop;
                break;
            }
            at = candidate;
            step = handleKey(sc, at, result);
        }
        if (step == Step::Stop)
            break;
        pos = at + 1;
    }
    return result;
}

TorrentReadResult readTorrentFiles(const QString& path, int64_t maxBytes) {
    TorrentReadResult failed;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        DebugLog::write("file open failed\n");
        return failed;
    }
    const qint64 size = file.size();
    if (size < 8) {
        DebugLog::write("file fseek failed\n");
        return failed;
    }
    if (size > maxBytes) {
        DebugLog::write("mem malloc failed\n");
        return failed;
    }
    std::string buffer;
    buffer.resize(size_t(size));
    if (file.read(buffer.data(), size) != size) {
        DebugLog::write("file fseek failed\n");
        return failed;
    }
    return scanTorrentBytes(buffer);
}

}  // namespace fv

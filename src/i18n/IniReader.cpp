#include "i18n/IniReader.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

namespace fv::ini {
namespace {

constexpr std::string_view kBlanks = " \t\r\f\v";

std::string_view trimmed(std::string_view s) {
    const size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// Length of the UTF-8 sequence a lead byte opens, 0 for a byte that cannot lead one.
int sequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// The first characters of a UTF-8 value, cut between two characters.
std::string_view firstChars(std::string_view value, int chars) {
    size_t at = 0;
    for (int n = 0; n < chars && at < value.size(); ++n)
        at += static_cast<size_t>(sequenceLength(static_cast<unsigned char>(value[at])));
    return value.substr(0, std::min(at, value.size()));
}

std::string fromUtf16(std::string_view bytes, QStringDecoder::Encoding encoding) {
    QStringDecoder decoder(encoding);
    const QString text = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    return text.toStdString();
}

enum class LineKind { Blank, Section, Entry, Damaged };

struct Line {
    LineKind kind = LineKind::Blank;
    std::string_view name;  // section name or key
    std::string_view value;
};

Line classify(std::string_view raw) {
    const std::string_view line = trimmed(raw);
    if (line.empty() || line.front() == ';' || line.front() == '#')
        return {};
    if (!isUtf8(line) || line.find('\0') != std::string_view::npos)
        return {LineKind::Damaged, {}, {}};
    if (line.front() == '[') {
        const size_t close = line.find(']');
        if (close == std::string_view::npos)
            return {LineKind::Damaged, {}, {}};
        return {LineKind::Section, trimmed(line.substr(1, close - 1)), {}};
    }
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos || trimmed(line.substr(0, eq)).empty())
        return {LineKind::Damaged, {}, {}};
    return {LineKind::Entry, trimmed(line.substr(0, eq)),
            firstChars(trimmed(line.substr(eq + 1)), kMaxValueChars)};
}

}  // namespace

bool isUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto lead = static_cast<unsigned char>(s[i]);
        const int len = sequenceLength(lead);
        if (len == 0 || i + size_t(len) > s.size())
            return false;
        for (int k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + size_t(k)]) & 0xC0) != 0x80)
                return false;
        const auto second = static_cast<unsigned char>(len > 1 ? s[i + 1] : 0);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
            (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
            return false;  // overlong, surrogate or past U+10FFFF
        i += size_t(len);
    }
    return true;
}

std::string utf8Of(std::string_view bytes) {
    bytes = bytes.substr(0, kMaxFileBytes);
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return std::string(bytes.substr(3));
    if (bytes.starts_with("\xFF\xFE"))
        return fromUtf16(bytes.substr(2), QStringDecoder::Utf16LE);
    if (bytes.starts_with("\xFE\xFF"))
        return fromUtf16(bytes.substr(2), QStringDecoder::Utf16BE);
    return std::string(bytes);
}

IniSection readSection(std::string_view bytes, std::string_view section) {
    const std::string text = utf8Of(bytes);
    const std::string_view wanted = trimmed(section);
    IniSection out;
    bool inside = false;
    std::string_view rest = text;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        const Line line = classify(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (line.kind == LineKind::Section)
            inside = equalsIgnoringCase(line.name, wanted);
        else if (line.kind == LineKind::Entry && inside)
            out.add(line.name, line.value);
    }
    return out;
}

}  // namespace fv::ini

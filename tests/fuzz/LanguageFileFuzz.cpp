// Fuzzes the section reader of the language file FV2Lang.ini (a file anyone may drop into the
// resource folder). The first input byte picks the section asked for, the rest is the file.
// Besides memory safety it checks that no value is longer than kMaxValueChars, that keys and
// values have no blanks around them and keys no "=", and that the section name is matched
// regardless of case; that values are whole UTF-8 characters; that a damaged line put
// between two lines loses nothing else; and that the windows' texts are computed from any
// section, one text per key read.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <iterator>
#include <map>
#include <string>

#include "FuzzSeeds.h"
#include "i18n/IniReader.h"
#include "i18n/LanguageFile.h"
#include "i18n/WindowTexts.h"

namespace {

using fv::LanguageFile;
using fv_fuzz::check;

const char* const kAsked[] = {"GERMAN", "english", "Chinese_T", "", " GERMAN "};

std::string utf16be(const char* utf8) {
    std::string out = "\xFE\xFF";
    for (const QChar c : QString::fromUtf8(utf8)) {
        out += static_cast<char>(c.unicode() >> 8);
        out += static_cast<char>(c.unicode() & 0xff);
    }
    return out;
}

fv_fuzz::Seeds seeds() {
    const std::string german =
        "[ENGLISH]\r\nFormMainMsg0=Hello\r\n[German]\nFormMainMsg0 = Hallo \n;FormMainMsg1=x\n"
        "FormMainMsg0=second\n=novalue\nnoequals\n[ GERMAN ]\nFormMainMsg2=Z\n";
    QByteArray utf16("\xff\xfe", 2);
    const QString text = QString::fromStdString(german);
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return {
        std::string(1, '\0') + german,
        std::string(1, '\0') + utf16.toStdString(),
        std::string(1, '\1') + "\xEF\xBB\xBF[english]\nK=" + std::string(3000, 'v') + "\n",
        std::string(1, '\2') + utf16be("[CHINESE_T]\nFormMainMsg3=\u4e2d"),
        std::string(1, '\3') + "[]\n=\n[\n]\nk=v",
        // Found by this target: a U+FEFF key after the mark, lost as text.
        std::string("\0\xFF\xFE[\0G\0e\0r\0m\0a\0n\0]\0\n\0\xFF\xFE=\0", 25),
    };
}

size_t chars(std::string_view utf8) {
    size_t n = 0;
    for (const char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return n;
}

void checkReader(std::string_view file, const std::string& asked) {
    const fv::IniSection section = fv::ini::readSection(file, asked);
    for (const auto& [lowered, entry] : section.entries()) {
        check(fv::ini::isUtf8(entry.value) && fv::ini::isUtf8(entry.key), "values are UTF-8");
        check(chars(entry.value) <= size_t(fv::ini::kMaxValueChars), "cut between characters");
    }
    // A damaged line after the first line break changes nothing (only plain UTF-8 files:
    // a UTF-16 file would take the inserted bytes as half characters).
    const std::string text(file);
    const size_t br = text.find('\n');
    if (br != std::string::npos && !text.starts_with("\xFF\xFE") && !text.starts_with("\xFE\xFF")) {
        const std::string damaged = text.substr(0, br + 1) + "\xC3(=broken\n" + text.substr(br + 1);
        const fv::IniSection again = fv::ini::readSection(damaged, asked);
        check(again.entries() == section.entries(), "a damaged line loses nothing else");
    }
    const fv::TextSet texts = fv::WindowTexts::compute(QString::fromStdString(asked), section);
    for (const auto& e : fv::MessageTexts::table())
        check(texts.messages[e.msg] == section.text(e.key, e.englishDefault),
              "every message text is the section's or the English one");
}

// The reader's blanks: spaces and tabs (and the rest of the ASCII white space), as the
// platform's profile files have them; other white space belongs to the key or value.
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\f' || c == u'\v';
}

bool startsOrEndsWithBlank(const QString& s) {
    return !s.isEmpty() && (isBlank(s.front()) || isBlank(s.back()));
}

}  // namespace

FV_FUZZ_SEED_MODE(seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QString asked = QString::fromLatin1(kAsked[data[0] % std::size(kAsked)]);
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1),
                           static_cast<qsizetype>(size - 1));
    const std::map<QString, QString> values = LanguageFile::readSection(bytes, asked);
    for (const auto& [key, value] : values) {
        check(value.size() <= LanguageFile::kMaxValueChars, "a value is cut to the limit");
        check(!key.isEmpty() && !key.contains(QLatin1Char('=')), "a key is a name before =");
        check(!startsOrEndsWithBlank(key) && !startsOrEndsWithBlank(value),
              "no blanks around keys, values");
        check(!key.startsWith(QLatin1Char(';')), "a comment line gives no key");
    }
    check(LanguageFile::readSection(bytes, asked.toLower()) == values,
          "the section is found regardless of case");
    checkReader(fv_fuzz::bytesOf(data + 1, size - 1), asked.toStdString());
    return 0;
}

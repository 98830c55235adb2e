// Fuzzes the section reader of the language file FV2Lang.ini (a file anyone may drop into the
// resource folder). The first input byte picks the section asked for, the rest is the file.
// Besides memory safety it checks that no value is longer than kMaxValueChars, that keys and
// values have no blanks around them and keys no "=", and that the section name is matched
// regardless of case.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <iterator>
#include <map>
#include <string>

#include "FuzzSeeds.h"
#include "i18n/LanguageFile.h"

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
    };
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fv_fuzz::seedModeIfAsked(argc, argv, seeds);
    return 0;
}

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
        check(key == key.trimmed() && value == value.trimmed(), "no blanks around keys, values");
        check(!key.startsWith(QLatin1Char(';')), "a comment line gives no key");
    }
    check(LanguageFile::readSection(bytes, asked.toLower()) == values,
          "the section is found regardless of case");
    return 0;
}

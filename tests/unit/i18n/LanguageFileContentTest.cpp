// The shipped language file (resources/FV2Lang.ini): UTF-8, the 26 sections, each with every
// key the windows, the message texts and fvctl read (and no key nobody reads), and no
// translation left as the English text except where the word is the same in that language.
#include <QFile>
#include <QString>
#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "i18n/ClientTexts.h"
#include "i18n/IniReader.h"
#include "i18n/LanguageSections.h"
#include "i18n/LanguageTable.h"
#include "i18n/MessageTexts.h"

namespace fv::test {
namespace {

struct KeyText {
    std::string key;
    std::string english;
};

std::vector<KeyText> everyKey() {
    std::vector<KeyText> keys;
    for (const auto& k : LanguageTable::controlKeys())
        keys.push_back({k.key, k.english});
    for (const auto& e : MessageTexts::table())
        keys.push_back({e.key, e.englishDefault});
    for (const auto& e : ClientTexts::table())
        keys.push_back({e.key, e.englishDefault});
    return keys;
}

std::string lowered(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// English texts that are the same word in these languages.
struct SameWord {
    const char* english;
    std::vector<const char*> sections;
};
const SameWord kSameWords[] = {
    {"OK",
     {"BRAZILIAN", "CZECH", "DANISH", "DUTCH", "FINNISH", "FRENCH", "GERMAN", "GREEK", "HUNGARIAN",
      "ITALIAN", "JAPANESE", "MALAY", "NORWEGIAN", "POLISH", "PORTUGUESE", "ROMANIAN", "SWEDISH"}},
    {"ID",
     {"BRAZILIAN", "CZECH", "DANISH", "DUTCH", "FINNISH", "FRENCH", "GERMAN", "ITALIAN", "JAPANESE",
      "MALAY", "NORWEGIAN", "POLISH", "PORTUGUESE", "ROMANIAN", "RUSSIAN", "SPANISH", "SWEDISH",
      "UKRAINIAN"}},
    {"Port:",
     {"CZECH", "DANISH", "GERMAN", "HUNGARIAN", "MALAY", "NORWEGIAN", "POLISH", "ROMANIAN",
      "SWEDISH", "TURKISH"}},
    {"Status", {"BRAZILIAN", "DANISH", "DUTCH", "GERMAN", "NORWEGIAN", "SWEDISH"}},
    {"Type", {"DANISH", "FRENCH", "NORWEGIAN"}},
    {"Information", {"DANISH", "FRENCH", "SWEDISH"}},
    {"Local:", {"BRAZILIAN", "PORTUGUESE", "ROMANIAN", "SPANISH"}},
    {"Account:", {"DUTCH", "ITALIAN"}},
    {"Password:", {"ITALIAN"}},
    {"Name", {"GERMAN"}},
    {"General", {"SPANISH"}},
};

bool sameWordAllowed(const std::string& english, const QString& section) {
    for (const SameWord& w : kSameWords)
        if (english == w.english)
            for (const char* s : w.sections)
                if (section == QLatin1String(s))
                    return true;
    return false;
}

class ShippedLanguageFile : public ::testing::Test {
  protected:
    void SetUp() override {
        QFile file(QStringLiteral(FV_SHIPPED_LANGUAGE_FILE));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        bytes = file.readAll().toStdString();
    }
    std::string bytes;
};

TEST_F(ShippedLanguageFile, IsUtf8WithTheTwentySixSectionsOnce) {
    EXPECT_TRUE(ini::isUtf8(bytes));
    std::vector<std::string> sections;
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t end = std::min(bytes.find('\n', at), bytes.size());
        const std::string line = bytes.substr(at, end - at);
        if (line.starts_with("["))
            sections.push_back(line.substr(1, line.find(']') - 1));
        at = end + 1;
    }
    std::vector<std::string> expected;
    for (const QString& s : LanguageSections::all())
        expected.push_back(s.toStdString());
    EXPECT_EQ(sections, expected);
}

TEST_F(ShippedLanguageFile, EverySectionHasEveryKeyAndNoOther) {
    const std::vector<KeyText> keys = everyKey();
    std::set<std::string> known;
    for (const KeyText& k : keys)
        known.insert(lowered(k.key));
    for (const QString& section : LanguageSections::all()) {
        const IniSection s = ini::readSection(bytes, section.toStdString());
        for (const KeyText& k : keys)
            EXPECT_TRUE(s.value(k.key)) << section.toStdString() << " lacks " << k.key;
        for (const auto& [key, entry] : s.entries())
            EXPECT_TRUE(known.count(key)) << section.toStdString() << " has unread " << entry.key;
    }
}

TEST_F(ShippedLanguageFile, EnglishIsTheDefaultsAndTheOthersAreTranslated) {
    const IniSection english = ini::readSection(bytes, "ENGLISH");
    for (const KeyText& k : everyKey())
        EXPECT_EQ(english.value(k.key).value_or("<none>"), QString::fromStdString(k.english))
            << k.key;
    for (const QString& section : LanguageSections::all().mid(1)) {
        const IniSection s = ini::readSection(bytes, section.toStdString());
        for (const KeyText& k : everyKey()) {
            const QString value = s.value(k.key).value_or(QString());
            EXPECT_FALSE(value.trimmed().isEmpty()) << section.toStdString() << " " << k.key;
            if (value == QString::fromStdString(k.english)) {
                EXPECT_TRUE(sameWordAllowed(k.english, section))
                    << section.toStdString() << " leaves " << k.key << " in English";
            }
        }
    }
}

}  // namespace
}  // namespace fv::test

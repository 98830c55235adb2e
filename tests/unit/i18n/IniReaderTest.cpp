// The language file's INI reader over bytes: what a value keeps, which lines count, which
// are skipped without losing the rest, and the encodings it takes.
#include <QString>
#include <map>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "i18n/IniReader.h"

namespace fv::test {
namespace {

using namespace std::string_literals;
using Expected = std::map<std::string, std::string>;

std::string utf16(const std::string& utf8, bool littleEndian) {
    std::string out = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (const QChar c : QString::fromStdString(utf8)) {
        const char hi = static_cast<char>(c.unicode() >> 8);
        const char lo = static_cast<char>(c.unicode() & 0xff);
        out += littleEndian ? std::string{lo, hi} : std::string{hi, lo};
    }
    return out;
}

std::string repeated(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

// The entries read, by the key as written, with their values.
Expected read(const std::string& file, const std::string& section) {
    Expected out;
    const IniSection read = ini::readSection(file, section);
    for (const auto& [lowered, entry] : read.entries())
        out[entry.key] = entry.value;
    return out;
}

TEST(IniReader, ReadsOneSectionByTheRules) {
    const std::string ja = "\xE8\xA8\xAD\xE5\xAE\x9A";  // 設定
    const struct {
        const char* what;
        std::string file;
        const char* section;
        Expected expected;
    } cases[] = {
        {"a value keeps = ; # quotes and commas",
         "[S]\nk=a=b; c #d \"e\", 'f',g\n",
         "S",
         {{"k", "a=b; c #d \"e\", 'f',g"}}},
        {"blanks around key and value go", "[S]\n \t k \t= \t v  w \t\n", "S", {{"k", "v  w"}}},
        // Blanks are spaces and tabs, as in the platform's profile files; a no-break space is
        // part of the key, which then names no text (found by the fuzz target).
        {"a no-break space stays in the key",
         "[S]\nk\xC2\xA0= v\xC2\xA0\nj=w\n",
         "S",
         {{"k\u00A0", "v\u00A0"}, {"j", "w"}}},
        {"an empty value stays empty", "[S]\nk=\nj=   \n", "S", {{"k", ""}, {"j", ""}}},
        {"the section is found in any case", "[gErMaN]\nk=v\n", "GERMAN", {{"k", "v"}}},
        {"blanks inside brackets and after them",
         "[ GERMAN ] trailing\nk=v\n",
         "german",
         {{"k", "v"}}},
        {"other sections stay apart",
         "[A]\nk=a\n[B]\nk=b\nj=1\n[C]\nk=c\n",
         "B",
         {{"k", "b"}, {"j", "1"}}},
        {"the first of a key wins, in any case", "[S]\nKey=1\nkey=2\nKEY=3\n", "S", {{"Key", "1"}}},
        {"comment lines give no key", "[S]\n;k=v\n  ; j=w\n#m=x\nn=;y\n", "S", {{"n", ";y"}}},
        {"lines without = or without key are skipped",
         "[S]\nno equals\nk=v\n  =value\nj=w\n",
         "S",
         {{"k", "v"}, {"j", "w"}}},
        {"an unclosed bracket is skipped, the section goes on",
         "[S]\nk=v\n[OTHER\nj=w\n",
         "S",
         {{"k", "v"}, {"j", "w"}}},
        {"a line that is not UTF-8 is skipped, the rest counts",
         "[S]\nk=v\nj=caf\xE9\nbad\xFF=x\nm=\xC0\xAF\nn=ok\n",
         "S",
         {{"k", "v"}, {"n", "ok"}}},
        {"a line with a NUL byte is skipped", "[S]\nk=a\0b\nj=w\n"s, "S", {{"j", "w"}}},
        {"carriage returns end lines", "[S]\r\nk=v\r\nj=w\r\n", "S", {{"k", "v"}, {"j", "w"}}},
        {"a UTF-8 byte-order mark is dropped", "\xEF\xBB\xBF[S]\nk=" + ja + "\n", "S", {{"k", ja}}},
        {"UTF-16 little endian", utf16("[S]\r\nk=" + ja + "\r\n", true), "S", {{"k", ja}}},
        {"UTF-16 big endian", utf16("[S]\nk=" + ja + "\n", false), "S", {{"k", ja}}},
        {"a missing section is empty", "[A]\nk=v\n", "B", {}},
        {"entries before any section belong to none", "k=v\n[S]\nj=w\n", "S", {{"j", "w"}}},
        {"no file at all", "", "S", {}},
        {"a value of 2047 characters is whole",
         "[S]\nk=" + repeated("\xC3\xA4", 2047) + "\n",
         "S",
         {{"k", repeated("\xC3\xA4", 2047)}}},
        {"a longer value is cut between characters",
         "[S]\nk=" + repeated("\xE8\xA8\xAD", 3000) + "\nj=w\n",
         "S",
         {{"k", repeated("\xE8\xA8\xAD", 2047)}, {"j", "w"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(read(c.file, c.section), c.expected) << c.what;
}

TEST(IniReader, LooksKeysUpInAnyCase) {
    const IniSection s = ini::readSection("[S]\nBtnAdd_Main->Caption=Neu\nEmpty=\n", "S");
    EXPECT_EQ(s.value("btnadd_main->caption"), std::optional<QString>(QStringLiteral("Neu")));
    EXPECT_EQ(s.text("BTNADD_MAIN->CAPTION", "Add Task"), "Neu");
    EXPECT_EQ(s.text("Missing", "Add Task"), "Add Task") << "a missing key gives the default";
    EXPECT_EQ(s.text("Empty", "Add Task"), "") << "an empty value is not the default";
}

// A U+FEFF inside the file is a character of its line; only the file's first one is a mark.
// As text it must stay, or a key made of it alone would come out empty (found by the fuzz
// target).
TEST(IniReader, AZeroWidthNoBreakSpaceInAKeyOrValueStays) {
    const std::string feff = "\xEF\xBB\xBF";
    const IniSection s = ini::readSection("[S]\n" + feff + "=v\nk=" + feff + "w\n", "S");
    EXPECT_EQ(s.value("k"), std::optional<QString>(QStringLiteral("\uFEFFw")));
    ASSERT_EQ(s.entries().count(feff), 1u);
    EXPECT_EQ(IniSection::toText(s.entries().at(feff).key), QStringLiteral("\uFEFF"));
}

TEST(IniReader, TellsWellFormedUtf8) {
    const struct {
        std::string bytes;
        bool utf8;
    } cases[] = {
        {"plain", true},
        {"\xC3\xA4", true},           // ä
        {"\xE0\xB8\x81", true},       // Thai ko kai
        {"\xF0\x9F\x98\x80", true},   // U+1F600
        {"\xC0\xAF", false},          // overlong "/"
        {"\xE0\x80\xAF", false},      // overlong, three bytes
        {"\xED\xA0\x80", false},      // a surrogate
        {"\xF4\x90\x80\x80", false},  // past U+10FFFF
        {"\xC3", false},              // cut short
        {"\x80", false},              // a continuation byte alone
        {"\xE8\xA8", false},          // cut short, three bytes
        {"\xF5\x80\x80\x80", false},  // no such lead byte
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini::isUtf8(c.bytes), c.utf8) << testing::PrintToString(c.bytes);
}

}  // namespace
}  // namespace fv::test

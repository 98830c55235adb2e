// The plain rules of fvctl: the --files argument, the language file's message section, the
// reading of a failed router reply and the words for the router's upload answers.
#include <gtest/gtest.h>

#include "ClassifiedReply.h"
#include "cli/CliExit.h"
#include "cli/FileChoice.h"
#include "cli/RouterFailure.h"
#include "cli/UploadAnswer.h"
#include "i18n/LanguageFile.h"
#include "i18n/MessageTexts.h"
#include "upload/FileSelectionModel.h"

namespace fv::cli {
namespace {

TEST(FileChoiceParse, AcceptsAllOrWholeNumbers) {
    const struct {
        const char* text;
        bool valid;
        bool all;
        std::vector<int> ids;
    } cases[] = {
        {"all", true, true, {}},
        {" All ", true, true, {}},
        {"0", true, false, {0}},
        {"5,0,2", true, false, {0, 2, 5}},
        {"2, 2 ,3", true, false, {2, 3}},
        {"", false, false, {}},
        {"1,", false, false, {}},
        {",1", false, false, {}},
        {"-1", false, false, {}},
        {"+1", false, false, {}},
        {"1.5", false, false, {}},
        {"0x1", false, false, {}},
        {"1 2", false, false, {}},
        {"alll", false, false, {}},
        {"9999999999", false, false, {}},
        {"١", false, false, {}},  // a digit of another script is not an ID
    };
    for (const auto& c : cases) {
        const auto choice = FileChoice::parse(QString::fromUtf8(c.text));
        ASSERT_EQ(choice.has_value(), c.valid) << c.text;
        if (!choice)
            continue;
        EXPECT_EQ(choice->all, c.all) << c.text;
        EXPECT_EQ(choice->ids, c.ids) << c.text;
    }
}

TEST(FileChoiceParse, HugeListIsRefused) {
    QStringList many;
    for (int i = 0; i < 100001; ++i)
        many << QStringLiteral("1");
    EXPECT_FALSE(FileChoice::parse(many.join(',')).has_value());
}

TorrentReadResult threeFiles() {
    TorrentReadResult read;
    read.status = 0;
    read.multiFile = 1;
    for (int i = 0; i < 3; ++i)
        read.entries.push_back({"f" + std::to_string(i) + ".txt", i, "none", 10});
    return read;
}

TEST(FileChoiceApply, ChecksExactlyTheChosenRows) {
    const struct {
        const char* text;
        std::vector<int> unknown;
        std::optional<QString> value;
    } cases[] = {
        {"1", {}, QStringLiteral("1")},       {"2,0", {}, QStringLiteral("0,2")},
        {"0,1,2", {}, QStringLiteral("All")}, {"all", {}, QStringLiteral("All")},
        {"1,3,4", {3, 4}, std::nullopt},  // nothing changes: no row was preselected
    };
    for (const auto& c : cases) {
        FileSelectionModel model(QStringLiteral("/t/x.torrent"), threeFiles());
        const auto choice = FileChoice::parse(QString::fromUtf8(c.text));
        ASSERT_TRUE(choice) << c.text;
        EXPECT_EQ(choice->applyTo(model), c.unknown) << c.text;
        EXPECT_EQ(model.checkedValue(), c.value) << c.text;
    }
}

TEST(MessageLanguageSection, LanguageNamesPickSections) {
    const struct {
        const char* name;
        const char* section;
    } cases[] = {
        {"German", "GERMAN"},
        {"gERMAN", "GERMAN"},
        {"Chinese(Traditional)", "CHINESE_T"},
        {"chinese(simplified)", "CHINESE_S"},
        {"Brazilian", "BRAZILIAN"},
        {"Ukrainian", "UKRAINIAN"},
        {"", "ENGLISH"},
        {"Klingon", "ENGLISH"},
        {"German ", "ENGLISH"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageFile::sectionFor(QString::fromUtf8(c.name)), c.section) << c.name;
}

TEST(MessageLanguageSection, ReadsOneSectionOfAnyEncoding) {
    const QByteArray text =
        "[ENGLISH]\nFormMainMsg6=Online\n[French]\r\n; comment=x\r\nFormMainMsg6 = En ligne \r\n"
        "FormMainMsg6=second\r\nFormMainMsg9=\r\nno equals sign\r\n=value without key\r\n"
        "[GERMAN]\nFormMainMsg6=Verbunden\n";
    QByteArray utf16("\xFF\xFE");
    const QString asText = QString::fromUtf8(text);
    utf16.append(reinterpret_cast<const char*>(asText.utf16()), asText.size() * 2);
    for (const QByteArray& bytes : {text, QByteArray("\xEF\xBB\xBF") + text, utf16}) {
        const auto french = LanguageFile::readSection(bytes, QStringLiteral("FRENCH"));
        ASSERT_EQ(french.size(), 2u);
        EXPECT_EQ(french.at("FormMainMsg6"), "En ligne");
        EXPECT_EQ(french.at("FormMainMsg9"), "");
        EXPECT_TRUE(LanguageFile::readSection(bytes, QStringLiteral("ITALIAN")).empty());
    }
    const QByteArray longValue = "[X]\nk=" + QByteArray(5000, 'a') + "\n";
    EXPECT_EQ(LanguageFile::readSection(longValue, "X").at("k").size(),
              LanguageFile::kMaxValueChars);
}

TEST(MessageLanguageSection, MissingKeysKeepTheEnglishDefault) {
    std::map<QString, QString> section{
        {"formmainmsg6", "En ligne"}, {"FormMainMsg9", ""}, {"Unknown", "x"}};
    MessageTexts texts;
    texts.set(Msg::FormMainMsg5, QStringLiteral("left over from an earlier language"));
    EXPECT_EQ(texts.apply(section), 2);
    EXPECT_EQ(texts[Msg::FormMainMsg6], "En ligne");
    EXPECT_EQ(texts[Msg::FormMainMsg9], "");  // an empty value is an empty text
    EXPECT_EQ(texts[Msg::FormMainMsg5],
              "Offline: Please click the settings button to setup FV Server Address!");
    EXPECT_EQ(MessageTexts::english()[Msg::FormMainMsg6], "Online") << "the English set stays";
}

TEST(RouterFailureKind, CodesInTheReplyDecide) {
    using K = RouterFailure::Kind;
    const struct {
        const char* what;
        RouterReply reply;
        K kind;
        int exitCode;
    } cases[] = {
        {"refused",
         {false, "", "", "Socket Error # 10061 Connection refused"},
         K::Refused,
         kExitRefused},
        {"host unknown",
         {false, "", "", "Socket Error # 11001 Host not found"},
         K::HostNotFound,
         kExitOffline},
        {"time-out", {false, "", "", "Read timed out"}, K::NoAnswer, kExitOffline},
        {"nothing at all", {}, K::NoAnswer, kExitOffline},
        {"account",
         {false, "", "HTTP/1.1 401 Unauthorized", "HTTP/1.1 401 Unauthorized"},
         K::Rejected,
         kExitRejected},
        {"busy",
         {false, "", "HTTP/1.1 600 Other user", "HTTP/1.1 600 Other user"},
         K::Busy,
         kExitBusy},
        {"other page",
         {true, "<?xml version=\"1.0\"?><page/>", "HTTP/1.1 200 OK", ""},
         K::NotAReport,
         kExitOffline},
        {"server error",
         {false, "", "HTTP/1.1 500 Internal", "HTTP/1.1 500 Internal"},
         K::NoAnswer,
         kExitOffline},
    };
    for (const auto& c : cases) {
        // fvctl tells these apart after reading the task report.
        const RouterFailure f = RouterFailure::of(test::classified(c.reply, true));
        EXPECT_EQ(f.kind, c.kind) << c.what;
        EXPECT_EQ(f.exitCode, c.exitCode) << c.what;
        EXPECT_FALSE(f.message.isEmpty()) << c.what;
    }
}

TEST(UploadAnswerWords, EveryCodeHasItsWord) {
    const struct {
        int code;
        const char* word;
        bool sent;
        int exitCode;
    } cases[] = {
        {0, "done", true, kExitOk},
        {1, "done", true, kExitOk},
        {2, "failed", false, kExitUploadFailed},
        {3, "already exists", true, kExitExists},
        {4, "full", false, kExitFull},
        {5, "full", false, kExitFull},
        {6, "full", false, kExitFull},
        {7, "full", false, kExitFull},
        {8, "full", false, kExitFull},
        {9, "cannot connect", false, kExitOffline},
        {10, "cannot connect", false, kExitOffline},
        {-1, "cannot connect", false, kExitOffline},
    };
    for (const auto& c : cases) {
        const UploadAnswer a = UploadAnswer::of(c.code);
        EXPECT_EQ(a.word, c.word) << c.code;
        EXPECT_EQ(a.sent, c.sent) << c.code;
        EXPECT_EQ(a.exitCode, c.exitCode) << c.code;
        // A missing file only explains a transfer that got no answer.
        const UploadAnswer gone = UploadAnswer::of(c.code, true);
        EXPECT_EQ(gone.word, c.code == 10 ? QString("file is missing") : QString(c.word)) << c.code;
        EXPECT_EQ(gone.exitCode, c.code == 10 ? kExitBadInput : c.exitCode) << c.code;
    }
}

}  // namespace
}  // namespace fv::cli

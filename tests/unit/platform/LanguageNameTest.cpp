#include "platform/LanguageName.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

namespace fv {
namespace {

struct LocaleCase {
    const char* locale;
    const char* name;
};

class LanguageFromLocale : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(LanguageFromLocale, MapsToTableName) {
    EXPECT_EQ(LanguageName::fromLocale(QString::fromLatin1(GetParam().locale)), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, LanguageFromLocale,
    ::testing::Values(LocaleCase{"en_US.UTF-8", "English"},
                      LocaleCase{"zh_TW.UTF-8", "Chinese(Traditional)"},
                      LocaleCase{"zh_HK", "Chinese(Traditional)"},
                      LocaleCase{"zh_MO.UTF-8", "Chinese(Traditional)"},
                      LocaleCase{"zh_CN.GB18030", "Chinese(Simplified)"},
                      LocaleCase{"zh_SG", "Chinese(Simplified)"},
                      LocaleCase{"zh_Hant_TW", "Chinese(Traditional)"},
                      LocaleCase{"zh", "Chinese(Simplified)"}, LocaleCase{"tr_TR.UTF-8", "Turkish"},
                      LocaleCase{"cs_CZ", "Czech"}, LocaleCase{"pl_PL", "Polish"},
                      LocaleCase{"ja_JP.eucJP", "Japanese"}, LocaleCase{"ru_RU.KOI8-R", "Russian"},
                      LocaleCase{"ko_KR", "Korean"}, LocaleCase{"fr_CA", "French"},
                      LocaleCase{"de_DE", "German"}, LocaleCase{"de_AT.UTF-8@euro", "German"},
                      LocaleCase{"it_IT", "Italian"}, LocaleCase{"es_MX", "Spanish"},
                      LocaleCase{"nl_BE", "Dutch"}, LocaleCase{"pt_PT.UTF-8", "Portuguese"},
                      LocaleCase{"pt_BR.UTF-8", "Brazilian"}, LocaleCase{"pt", "Portuguese"},
                      LocaleCase{"el_GR", "Greek"}, LocaleCase{"hu_HU", "Hungarian"},
                      LocaleCase{"ro_RO", "Romanian"}, LocaleCase{"th_TH", "Thai"},
                      LocaleCase{"ms_MY", "Malay"}, LocaleCase{"fi_FI", "Finnish"},
                      LocaleCase{"da_DK", "Danish"}, LocaleCase{"nb_NO.UTF-8", "Norwegian"},
                      LocaleCase{"nn_NO", "Norwegian"}, LocaleCase{"no_NO", "Norwegian"},
                      LocaleCase{"sv_SE", "Swedish"}, LocaleCase{"uk_UA", "Ukrainian"},
                      LocaleCase{"en-GB", "English"}, LocaleCase{"C", ""}, LocaleCase{"POSIX", ""},
                      LocaleCase{"C.UTF-8", ""}, LocaleCase{"eo", ""}, LocaleCase{"", ""}));

struct SourceCase {
    const char* name;
    const char* override;
    const char* config;
    const char* locale;
    const char* expected;
};

class LanguageSources : public ::testing::TestWithParam<SourceCase> {};

TEST_P(LanguageSources, FirstGivenSourceWins) {
    const SourceCase& c = GetParam();
    EXPECT_EQ(LanguageName::resolve(c.override, c.config, c.locale), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Order, LanguageSources,
    ::testing::Values(SourceCase{"OverrideFirst", "Korean", "German", "fr_FR", "Korean"},
                      SourceCase{"ConfigSecond", "", "German", "fr_FR", "German"},
                      SourceCase{"BlankOverrideSkipped", "  ", "Dutch", "fr_FR", "Dutch"},
                      SourceCase{"LocaleLast", "", "", "pt_BR.UTF-8", "Brazilian"},
                      SourceCase{"NothingApplies", "", "", "C", ""},
                      // A name outside the table is passed on: the language layer decides.
                      SourceCase{"UnknownNameKept", "Klingon", "", "de_DE", "Klingon"}),
    [](const auto& info) { return std::string(info.param.name); });

// The test process runs with XDG_CONFIG_HOME in a private folder and FV_LANGUAGE unset.
class LanguageNameRead : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = {qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"), qgetenv("LANG")};
        qunsetenv("LC_ALL");
        qunsetenv("LC_MESSAGES");
        qputenv("LANG", "ja_JP.UTF-8");
        QFile::remove(LanguageName::configFilePath());
    }
    void TearDown() override {
        qunsetenv("FV_LANGUAGE");
        QFile::remove(LanguageName::configFilePath());
        const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
        for (int i = 0; i < 3; ++i)
            saved_[i].isNull() ? qunsetenv(names[i]) : qputenv(names[i], saved_[i]);
    }
    static void writeConfig(const QString& value) {
        QSettings config(LanguageName::configFilePath(), QSettings::IniFormat);
        config.setValue(QStringLiteral("Language"), value);
    }
    std::array<QByteArray, 3> saved_;
};

TEST_F(LanguageNameRead, ReadsEachSourceOfThisProcess) {
    EXPECT_EQ(LanguageName::read(), QStringLiteral("Japanese"));
    writeConfig(QStringLiteral("Swedish"));
    EXPECT_EQ(LanguageName::read(), QStringLiteral("Swedish"));
    qputenv("FV_LANGUAGE", "Greek");
    EXPECT_EQ(LanguageName::read(), QStringLiteral("Greek"));
}

TEST_F(LanguageNameRead, LcAllBeatsLang) {
    qputenv("LC_ALL", "it_IT.UTF-8");
    EXPECT_EQ(LanguageName::sessionLocale(), QStringLiteral("it_IT.UTF-8"));
    EXPECT_EQ(LanguageName::read(), QStringLiteral("Italian"));
}

TEST_F(LanguageNameRead, BrokenConfigFileFallsBackToLocale) {
    QDir().mkpath(QFileInfo(LanguageName::configFilePath()).path());
    QFile file(LanguageName::configFilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xff\xfe[[[\n=\nLanguage\n\0\0garbage", 24);
    file.close();
    EXPECT_EQ(LanguageName::read(), QStringLiteral("Japanese"));
}

}  // namespace
}  // namespace fv

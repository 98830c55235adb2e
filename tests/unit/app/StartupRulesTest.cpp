// SetupFileMissing, TimerAtBegin and the command-line reading.
#include <gtest/gtest.h>

#include <QDir>

#include "StartupFakes.h"
#include "app/AtBeginTimer.h"
#include "app/DisplayCheck.h"
#include "app/SetupFileCheck.h"
#include "app/StartupArguments.h"
#include "platform/DebugLog.h"

namespace fv {
namespace {

using test::Journal;

struct SetupCase {
    bool present;
    QStringList openTitles;
    bool missing;
    bool wizard;
};

class SetupFileMissing : public ::testing::TestWithParam<SetupCase> {};

TEST_P(SetupFileMissing, WizardUnlessInformationWindowIsOpen) {
    Journal journal;
    test::JournalHooks hooks(journal);
    test::JournalView view(journal);
    view.openTitles = GetParam().openTitles;
    const SetupFileCheck check([&] { return GetParam().present; }, view, hooks);
    EXPECT_EQ(check.setupFileMissing(), GetParam().missing);
    EXPECT_EQ(journal.entries.contains("startSetupWizard"), GetParam().wizard);
}

INSTANTIATE_TEST_SUITE_P(Cases, SetupFileMissing,
                         ::testing::Values(SetupCase{true, {}, false, false},
                                           SetupCase{true, {"Information"}, false, false},
                                           SetupCase{false, {}, true, true},
                                           SetupCase{false, {"Information"}, true, false},
                                           // The title must match exactly.
                                           SetupCase{false, {"information"}, true, true},
                                           SetupCase{false, {"Information "}, true, true},
                                           SetupCase{false, {"The New Ferrovane"}, true, true}));

struct AtBeginCase {
    bool updateWindow;
    bool ticked;
    bool checks;
};

class AtBeginTimerTest : public ::testing::TestWithParam<AtBeginCase> {};

TEST_P(AtBeginTimerTest, FiresOnceAfterOneSecond) {
    Journal journal;
    test::JournalVersionCheck checker(journal, GetParam().ticked);
    ManualTimer timer(250);
    AtBeginTimer atBegin(timer, GetParam().updateWindow ? &checker : nullptr);
    atBegin.start();
    EXPECT_EQ(timer.interval(), 1000);
    EXPECT_TRUE(timer.enabled());

    LogCapture log;
    EXPECT_TRUE(timer.fire());
    EXPECT_FALSE(timer.fire());
    EXPECT_FALSE(timer.enabled());
    EXPECT_EQ(log.lines(), std::vector<std::string>{"TimerAtBeginTimer()"});
    EXPECT_EQ(journal.entries,
              GetParam().checks ? QStringList{"startVersionCheck"} : QStringList{});
}

INSTANTIATE_TEST_SUITE_P(Cases, AtBeginTimerTest,
                         ::testing::Values(AtBeginCase{true, true, true},
                                           AtBeginCase{true, false, false},
                                           AtBeginCase{false, true, false},
                                           AtBeginCase{false, false, false}));

struct ExtensionCase {
    const char* path;
    const char* extension;
    bool queueable;
};

class FirstStartExtension : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(FirstStartExtension, LowerCasedExtensionMustMatchExactly) {
    const QString path = QString::fromUtf8(GetParam().path);
    EXPECT_EQ(StartupArguments::extension(path), QString::fromUtf8(GetParam().extension));
    EXPECT_EQ(StartupArguments::queueableAtFirstStart(path), GetParam().queueable);
}

INSTANTIATE_TEST_SUITE_P(Paths, FirstStartExtension,
                         ::testing::Values(ExtensionCase{"/d/B.TORRENT", ".TORRENT", true},
                                           ExtensionCase{"/d/a.torrent", ".torrent", true},
                                           ExtensionCase{"/d/a.NZB", ".NZB", true},
                                           ExtensionCase{"relative.nzb", ".nzb", true},
                                           ExtensionCase{"/d/.torrent", ".torrent", true},
                                           ExtensionCase{"/d/notes.txt", ".txt", false},
                                           ExtensionCase{"/d/a.torrent.bak", ".bak", false},
                                           ExtensionCase{"/d.torrent/file", "", false},
                                           ExtensionCase{"/d/noext", "", false},
                                           ExtensionCase{"/d/a.torrent ", ".torrent ", false},
                                           ExtensionCase{"", "", false}));

TEST(StartupArguments, OnlyTheFirstArgumentCounts) {
    EXPECT_EQ(StartupArguments::firstArgument({"ferrovane"}), QString());
    EXPECT_EQ(StartupArguments::firstArgument({}), QString());
    EXPECT_EQ(StartupArguments::firstArgument({"ferrovane", "/a.nzb", "/b.nzb"}), "/a.nzb");
    // The running instance may have been started in another folder.
    EXPECT_EQ(StartupArguments::firstArgument({"ferrovane", "./x/../a.torrent"}),
              QDir::currentPath() + "/a.torrent");
    EXPECT_EQ(StartupArguments::firstArgument({"ferrovane", "b c.nzb"}),
              QDir::currentPath() + "/b c.nzb");
}

}  // namespace
}  // namespace fv

namespace fv {
namespace {

struct DisplayCase {
    DisplayCheck::Session session;
    bool usable;
};

class DisplayCheckTest : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayCheckTest, NeedsSomeDisplayOrAnExplicitPlatform) {
    EXPECT_EQ(DisplayCheck::usable(GetParam().session), GetParam().usable);
}

INSTANTIATE_TEST_SUITE_P(Sessions, DisplayCheckTest,
                         ::testing::Values(DisplayCase{{"", "", ""}, false},
                                           DisplayCase{{" ", "", ""}, false},
                                           DisplayCase{{"", ":0", ""}, true},
                                           DisplayCase{{"", "", "wayland-0"}, true},
                                           DisplayCase{{"offscreen", "", ""}, true}));

TEST(DisplayCheck, HintNamesXvfbRun) {
    EXPECT_TRUE(DisplayCheck::hint("ferrovane").contains("xvfb-run -a ferrovane"));
}

}  // namespace
}  // namespace fv

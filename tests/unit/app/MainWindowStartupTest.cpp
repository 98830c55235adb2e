#include "app/MainWindowStartup.h"

#include <gtest/gtest.h>

#include "StartupFakes.h"
#include "i18n/MessageTexts.h"
#include "platform/DebugLog.h"

namespace fv {
namespace {

using test::Journal;

const QString kColumns =
    "columns:logid|File Name|Type|Progress|Status|Size|Download Speed|Upload Speed";

class MainWindowStartupTest : public ::testing::Test {
  protected:
    StartupEnvironment environment() {
        StartupEnvironment env;
        env.probeSystem = [this] {
            journal_.add("probe");
            return probeOk_;
        };
        env.readLanguageName = [this] {
            journal_.add("readLanguageName");
            return QStringLiteral("German");
        };
        env.fileExists = [this](const QString& path) { return existing_.contains(path); };
        env.waitPumping = [this](int ms) { journal_.add(QStringLiteral("wait:%1").arg(ms)); };
        env.taskFilePath = "/data/FVTask.xml";
        env.setupFilePath = "/data/FVSetup.xml";
        env.versionText = "2.2.0.0";
        return env;
    }

    MainWindowStartup& make(QStringList arguments = {"ferrovane"}) {
        startup_ = std::make_unique<MainWindowStartup>(
            environment(), hooks_, view_, MainWindowTimers{getFVPage_, blackLV_, taskListUpdate_},
            std::move(arguments));
        return *startup_;
    }

    void settingsPresent(bool present) {
        existing_.removeAll("/data/FVSetup.xml");
        if (present)
            existing_ << "/data/FVSetup.xml";
    }

    // Only the calls made after this point.
    QStringList takeJournal() {
        QStringList entries = journal_.entries;
        journal_.entries.clear();
        return entries;
    }

    Journal journal_;
    test::JournalHooks hooks_{journal_};
    test::JournalView view_{journal_};
    test::JournalTimer getFVPage_{journal_, "TimerGetFVPage"};
    test::JournalTimer blackLV_{journal_, "TimerBlackLV"};
    test::JournalTimer taskListUpdate_{journal_, "TimerTaskListUpdate"};
    QStringList existing_;
    bool probeOk_ = true;
    std::unique_ptr<MainWindowStartup> startup_;
};

TEST_F(MainWindowStartupTest, FormCreateRunsItsStepsInOrder) {
    for (const bool present : {true, false}) {
        settingsPresent(present);
        MainWindowStartup& startup = make();
        EXPECT_TRUE(startup.formCreate());
        QStringList expected = {"caption:The New Ferrovane", "probe",
                                "initTaskFile:/data/FVTask.xml"};
        if (present)
            expected << "loadSetupXml:/data/FVSetup.xml";
        expected << "commitConnectionAtStart"
                 << "prepareDrawing"
                 << "readLanguageName" << kColumns << "version:2.2.0.0";
        EXPECT_EQ(takeJournal(), expected) << "settings present: " << present;
        EXPECT_EQ(startup.languageName(), "German");
    }
}

TEST_F(MainWindowStartupTest, FormCreateStopsWhenTheSystemCannotBeProbed) {
    probeOk_ = false;
    EXPECT_FALSE(make().formCreate());
    EXPECT_EQ(takeJournal(), (QStringList{"caption:The New Ferrovane", "probe"}));
}

TEST_F(MainWindowStartupTest, FirstShowWithSettingsRunsEveryStep) {
    settingsPresent(true);
    MainWindowStartup& startup = make({"ferrovane", "/dl/B.TORRENT", "ignored.nzb"});
    startup.formCreate();
    takeJournal();
    const MainWindowState before = startup.state();
    EXPECT_TRUE(before.firstShow);
    EXPECT_FALSE(before.mainShown);
    EXPECT_TRUE(before.positionByTimer);

    LogCapture log;
    startup.formShow();
    EXPECT_EQ(
        takeJournal(),
        (QStringList{"applyLanguage:German", "status:" + MessageTexts::english()[Msg::FormMainMsg5],
                     "offlineIndicator", "layoutRefreshEdit", "TimerGetFVPage=on",
                     "addFileToQueue:/dl/B.TORRENT", "TimerBlackLV=on", "TimerTaskListUpdate=on"}));
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"TFormMain::FormShow-ParamStr:/dl/B.TORRENT",
                                                     "TFormMain::FormShow-ParamStr:ignored.nzb"}));
    EXPECT_TRUE(startup.state().mainShown);
    EXPECT_FALSE(startup.state().firstShow);
}

TEST_F(MainWindowStartupTest, LaterShowsSkipTheOneTimeSteps) {
    settingsPresent(true);
    MainWindowStartup& startup = make({"ferrovane", "/dl/a.torrent"});
    startup.formCreate();
    startup.formShow();
    startup.handOff("/dl/other.torrent");  // clears the main-shown hint
    takeJournal();
    startup.formShow();
    EXPECT_EQ(takeJournal(), (QStringList{"applyLanguage:German",
                                          "status:" + MessageTexts::english()[Msg::FormMainMsg5],
                                          "offlineIndicator", "layoutRefreshEdit"}));
    EXPECT_FALSE(startup.state().mainShown);
}

TEST_F(MainWindowStartupTest, ShowWithoutSettingsStopsAtTheWizardUntilTheyExist) {
    settingsPresent(false);
    MainWindowStartup& startup = make({"ferrovane", "/dl/a.nzb"});
    startup.formCreate();
    takeJournal();
    startup.formShow();
    EXPECT_EQ(takeJournal(), (QStringList{"applyLanguage:German",
                                          "status:" + MessageTexts::english()[Msg::FormMainMsg5],
                                          "offlineIndicator", "layoutRefreshEdit",
                                          "TimerGetFVPage=on", "startSetupWizard"}));
    EXPECT_TRUE(startup.state().firstShow);

    // The wizard wrote the file; the next show does what the first one could not.
    settingsPresent(true);
    startup.formShow();
    const QStringList second = takeJournal();
    EXPECT_EQ(
        second.mid(second.size() - 3),
        (QStringList{"addFileToQueue:/dl/a.nzb", "TimerBlackLV=on", "TimerTaskListUpdate=on"}));
}

struct FirstStartCase {
    const char* argument;
    bool queued;
};

class FirstStartFilter : public MainWindowStartupTest,
                         public ::testing::WithParamInterface<FirstStartCase> {};

TEST_P(FirstStartFilter, QueuesOnlyTorrentAndNzb) {
    settingsPresent(true);
    const QString argument = QString::fromUtf8(GetParam().argument);
    MainWindowStartup& startup = make({"ferrovane", argument});
    startup.formCreate();
    startup.formShow();
    EXPECT_EQ(journal_.entries.contains("addFileToQueue:" + argument), GetParam().queued);
    EXPECT_TRUE(blackLV_.enabled());
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, FirstStartFilter,
    ::testing::Values(FirstStartCase{"/dl/B.TORRENT", true}, FirstStartCase{"/dl/x.torrent", true},
                      FirstStartCase{"/dl/x.Nzb", true}, FirstStartCase{"/dl/notes.txt", false},
                      FirstStartCase{"", false}, FirstStartCase{"/dl/x.torrent.txt", false},
                      FirstStartCase{"/dl/folder.torrent/file", false},
                      FirstStartCase{"/dl/x.torrentx", false}));

struct HandOffCase {
    const char* name;
    bool settingsPresent;
    bool informationOpen;
    QStringList expected;
};

class HandOffReceiver : public MainWindowStartupTest,
                        public ::testing::WithParamInterface<HandOffCase> {};

TEST_P(HandOffReceiver, OffersAnyPathOnlyWithSettings) {
    settingsPresent(GetParam().settingsPresent);
    if (GetParam().informationOpen)
        view_.openTitles << "Information";
    MainWindowStartup& startup = make();
    startup.state().mainShown = true;
    LogCapture log;
    startup.handOff("/home/ana/notes.txt");
    EXPECT_EQ(takeJournal(), GetParam().expected);
    EXPECT_TRUE(log.contains("TFormMain::WMCopyData()"));
    EXPECT_FALSE(startup.state().mainShown);
    EXPECT_FALSE(startup.state().positionByTimer);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HandOffReceiver,
    ::testing::Values(
        HandOffCase{
            "WithSettings", true, false, {"wait:500", "addFileToQueue:/home/ana/notes.txt"}},
        HandOffCase{"WithSettingsAndMessageBox",
                    true,
                    true,
                    {"wait:500", "addFileToQueue:/home/ana/notes.txt"}},
        HandOffCase{"MissingSettingsStartsWizard", false, false, {"startSetupWizard"}},
        HandOffCase{"MissingSettingsWithInformationOpen", false, true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowStartupTest, DroppedFilesQueueInOrderWithoutFilterOrSettingsCheck) {
    settingsPresent(false);
    const QString longPath = "/" + QString(400, 'd') + ".bin";
    make().filesDropped({"/a.torrent", "/b.txt", longPath});
    EXPECT_EQ(takeJournal(),
              (QStringList{"wait:100", "addFileToQueue:/a.torrent", "wait:100",
                           "addFileToQueue:/b.txt", "wait:100", "addFileToQueue:" + longPath}));
}

TEST_F(MainWindowStartupTest, ExitAndDestroySaveTheQueueAndStopTimers) {
    settingsPresent(true);
    MainWindowStartup& startup = make();
    startup.formCreate();
    startup.formShow();
    takeJournal();
    startup.requestExit();
    EXPECT_TRUE(startup.state().closeRequested);
    startup.formDestroy();
    EXPECT_EQ(takeJournal(),
              (QStringList{"closeWindow", "saveTaskFile", "closeTaskFile",
                           "TimerTaskListUpdate=off", "TimerGetFVPage=off", "TimerBlackLV=off"}));
}

}  // namespace
}  // namespace fv

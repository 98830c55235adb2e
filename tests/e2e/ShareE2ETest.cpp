// Finished files and shares end to end: the existence checks against a real Samba server the
// test starts on loopback, View's local targets handed to a recording desktop handler, and
// the share-link exchange with the simulated router's TLS endpoint, pinned on first use.
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <memory>

#include "ManualClientCore.h"
#include "SambaServer.h"
#include "SimConnection.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "app/CertificatePins.h"
#include "app/TaskView.h"
#include "i18n/MessageTexts.h"
#include "platform/DebugLog.h"
#include "platform/SmbShare.h"
#include "router/LoginEncoding.h"
#include "tasks/RefreshCycle.h"
#include "tasks/TaskListModel.h"

namespace fv::test {
namespace {

using routersim::Listener;
using Kind = TaskView::Outcome::Kind;

constexpr const char* kSmbPassword = "smb-Secret-7";

class ShareE2E : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        samba_ = new SambaServer;
        if (!samba_->start(kSmbPassword, &sambaProblem_))
            return;
        samba_->addFile("Complete/abc.mkv", "video");
        samba_->addFile("Complete/my file #1.mkv", "video");
        samba_->addFolder("Complete/Show");
        samba_->addFile("InComplete/part.mkv.part", "half");
    }
    static void TearDownTestSuite() {
        delete samba_;
        samba_ = nullptr;
    }

    void SetUp() override { startRouter(0); }
    void TearDown() override {
        if (sim)
            sim->stop();
    }

    // The router's account is the share's, as on the real device.
    void startRouter(std::uint16_t shareLinkPort) {
        routersim::SimulatorConfig config;
        config.user = sambaUser().toStdString();
        config.password = kSmbPassword;
        config.shareLinkPort = shareLinkPort;
        config.discovery = false;
        sim = std::make_unique<routersim::Simulator>(config);
        std::string error;
        ASSERT_TRUE(sim->start(&error)) << error;
        if (!client) {
            client = std::make_unique<ManualClientCore>(dir.path(), [](ClientCore::Options& o) {
                o.routerLocalHost = samba_->port() ? samba_->host() : QStringLiteral("127.0.0.1");
            });
            client->core().taskView().setOpener([this](const QString& url) { opened << url; });
            client->core().taskView().setInform(
                [this](const QString& caption, const QString& text) {
                    informed << caption + ": " + text;
                });
        }
        ConnectionProfile conn = connectionTo(*sim);
        conn.UserName = sambaUser();
        conn.Password = kSmbPassword;
        conn.RefreshIntervalMs = 5000;
        conn.WebDavHttpsPort = QString::number(sim->port(Listener::ShareLink));
        client->core().records().setConnection(conn);
    }
    static QString sambaUser() {
        return samba_->user().isEmpty() ? QStringLiteral("admin") : samba_->user();
    }
    bool sambaRuns() const { return samba_->port() != 0 && sambaProblem_.isEmpty(); }

    // One refresh tick: the task report and the general read (download folder, disk, name).
    void refresh() {
        client->core().refresh().show();
        ASSERT_TRUE(client->refreshTimer().fire());
        client->runner().runAll();
        ASSERT_EQ(client->core().generalSettings().get().DownloadFolder, "\\Download2\\Complete");
    }
    void setRemote(bool remote) {
        client->core().records().editConnection(
            [remote](ConnectionProfile& c) { c.IsRemote = remote; });
    }
    TaskView::Outcome view(const QString& name, const QString& status) {
        TaskView::Outcome outcome;
        bool ended = false;
        client->core().taskView().viewTask(name, status, [&](const TaskView::Outcome& o) {
            outcome = o;
            ended = true;
        });
        client->runner().runAll();
        EXPECT_TRUE(ended);
        return outcome;
    }
    QString smb(const QString& path) const { return "smb://" + samba_->host() + path; }
    std::vector<routersim::Request> shareLinkRequests() const {
        std::vector<routersim::Request> out;
        for (const auto& r : sim->requests())
            if (r.listener == "sharelink")
                out.push_back(r);
        return out;
    }

    static SambaServer* samba_;
    static QString sambaProblem_;
    ScratchDir dir;
    std::unique_ptr<routersim::Simulator> sim;
    std::unique_ptr<ManualClientCore> client;
    QStringList opened;
    QStringList informed;
};

SambaServer* ShareE2E::samba_ = nullptr;
QString ShareE2E::sambaProblem_;

#define REQUIRE_SAMBA() \
    if (!sambaRuns())   \
    GTEST_SKIP() << "no Samba server for this test: " << sambaProblem_.toStdString()

TEST_F(ShareE2E, TheShareTellsFilesFoldersAndMissingEntriesApart) {
    REQUIRE_SAMBA();
    struct Case {
        const char* what;
        QString path;
        const char* password;
        SmbEntry expected;
    };
    const Case cases[] = {
        {"file", "/Download2/Complete/abc.mkv", kSmbPassword, SmbEntry::File},
        {"file with blank and #", "/Download2/Complete/my%20file%20%231.mkv", kSmbPassword,
         SmbEntry::File},
        {"folder", "/Download2/Complete/Show", kSmbPassword, SmbEntry::Folder},
        {"download folder", "/Download2/Complete", kSmbPassword, SmbEntry::Folder},
        {"unfinished folder", "/Download2/InComplete", kSmbPassword, SmbEntry::Folder},
        {"missing file", "/Download2/Complete/gone.mkv", kSmbPassword, SmbEntry::Missing},
        {"missing folder", "/Download2/Elsewhere/abc.mkv", kSmbPassword, SmbEntry::Missing},
        {"wrong password", "/Download2/Complete/abc.mkv", "not-it", SmbEntry::Denied},
        {"empty password", "/Download2/Complete/abc.mkv", "", SmbEntry::Denied},
    };
    for (const Case& c : cases) {
        const SmbAccount account{samba_->user(), QString::fromLatin1(c.password)};
        EXPECT_EQ(SmbShare::stat(smb(c.path), account), c.expected) << c.what;
    }
}

TEST_F(ShareE2E, NoServerOnThePortIsUnreachable) {
    // The discard port: nobody listens there on a test machine.
    const SmbEntry entry =
        SmbShare::stat("smb://127.0.0.1:9/Download2/Complete/abc.mkv", {"u", "p"}, 2000);
    EXPECT_EQ(entry, SmbEntry::Unreachable);
}

TEST_F(ShareE2E, LocalViewHandsTheTargetOfEachCaseToTheDesktop) {
    REQUIRE_SAMBA();
    refresh();
    struct Case {
        const char* what;
        const char* name;
        const char* status;
        bool opensFolder;
        QString url;  // empty: "Download Path has been changed."
    };
    const Case cases[] = {
        {"finished file, play", "abc.mkv", "Finished", false, "/Download2/Complete/abc.mkv"},
        {"seeding file, open folder", "abc.mkv", "Seeding", true, "/Download2/Complete"},
        {"finished folder, play", "Show", "Finished", false, "/Download2/Complete/Show"},
        {"blank and # escaped", "my file #1.mkv", "Seeding", false,
         "/Download2/Complete/my%20file%20%231.mkv"},
        {"unfinished, play", "abc.mkv", "Downloading", false, "/Download2/InComplete"},
        {"unfinished, open folder", "abc.mkv", "Paused", true, "/Download2/InComplete"},
        {"lower-case finished is unfinished", "abc.mkv", "finished", false,
         "/Download2/InComplete"},
        {"missing on the share", "gone.mkv", "Finished", false, ""},
    };
    LogCapture log;
    for (const Case& c : cases) {
        opened.clear();
        informed.clear();
        client->core().taskView().setOpensFolder(c.opensFolder);
        const TaskView::Outcome outcome = view(c.name, c.status);
        if (c.url.isEmpty()) {
            EXPECT_EQ(outcome.kind, Kind::Informed) << c.what;
            EXPECT_EQ(informed, QStringList{"Information: Download Path has been changed."})
                << c.what;
            EXPECT_TRUE(opened.isEmpty()) << c.what;
        } else {
            EXPECT_EQ(outcome.kind, Kind::Opened) << c.what;
            EXPECT_EQ(opened, QStringList{smb(c.url)}) << c.what;
            EXPECT_TRUE(log.contains(("Play: " + smb(c.url)).toStdString())) << c.what;
        }
    }
    const std::string b64 = base64Encode(sambaUser() + ":" + kSmbPassword);
    for (const std::string& line : log.lines()) {
        EXPECT_EQ(line.find(kSmbPassword), std::string::npos) << line;
        EXPECT_EQ(line.find(b64), std::string::npos) << line;
    }
}

TEST_F(ShareE2E, AWrongPasswordFindsNothingToOpen) {
    REQUIRE_SAMBA();
    refresh();
    client->core().records().editConnection([](ConnectionProfile& c) { c.Password = "wrong"; });
    const TaskView::Outcome outcome = view("abc.mkv", "Finished");
    EXPECT_EQ(outcome.kind, Kind::Informed);
    EXPECT_EQ(outcome.text, MessageTexts::english()[Msg::FormMainMsg12]);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(ShareE2E, BeforeTheGeneralReadViewOpensTheRoutersShareList) {
    // No refresh yet: DownloadFolder is empty, so the share list opens by address, unchecked.
    const TaskView::Outcome outcome = view("abc.mkv", "Finished");
    EXPECT_EQ(outcome.kind, Kind::Opened);
    EXPECT_EQ(opened, QStringList{"smb://127.0.0.1"});
}

TEST_F(ShareE2E, TheMenusShareCheckAsksTheShare) {
    REQUIRE_SAMBA();
    refresh();
    struct Case {
        const char* name;
        const char* password;
        ShareEntryKind expected;
    };
    const Case cases[] = {
        {"abc.mkv", kSmbPassword, ShareEntryKind::File},
        {"Show", kSmbPassword, ShareEntryKind::Folder},
        {"gone.mkv", kSmbPassword, ShareEntryKind::Missing},
        {"abc.mkv", "wrong", ShareEntryKind::Missing},
    };
    for (const Case& c : cases) {
        client->core().records().editConnection(
            [&](ConnectionProfile& conn) { conn.Password = c.password; });
        std::optional<ShareEntryKind> answer;
        client->core().shareCheck().probe(c.name, [&](ShareEntryKind k) { answer = k; });
        EXPECT_FALSE(answer.has_value()) << c.name << ": answered before the worker ran";
        client->runner().runAll();
        EXPECT_EQ(answer, c.expected) << c.name << " " << c.password;
    }
}

TEST_F(ShareE2E, RemoteViewOpensTheShareLinkTheRouterGives) {
    refresh();
    setRemote(true);
    struct Case {
        const char* status;
        const char* fileName;
    };
    for (const Case c : {Case{"Finished", "Complete"}, Case{"Downloading", "InComplete"}}) {
        sim->clearRequests();
        opened.clear();
        const TaskView::Outcome outcome = view("abc.mkv", c.status);
        ASSERT_EQ(outcome.kind, Kind::Opened) << c.status;
        const auto links = sim->shareLinks().links();
        const auto requests = shareLinkRequests();
        ASSERT_EQ(requests.size(), 1u);
        const routersim::Request& r = requests[0];
        EXPECT_EQ(r.method, "GSL");
        EXPECT_EQ(r.target, "/KR-AX3000/sda1/Download2");
        EXPECT_EQ(r.header("Host"), "127.0.0.1");
        EXPECT_EQ(r.header("Content-type"), "text/xml");
        EXPECT_EQ(r.header("URL"), "/KR-AX3000/sda1/Download2");
        EXPECT_EQ(r.header("FILENAME"), c.fileName);
        EXPECT_EQ(r.header("EXPIRE"), "300");
        EXPECT_EQ(r.header("TOSHARE"), "1");
        // The link the router handed out for this folder is the one opened.
        bool found = false;
        for (const auto& [link, folder] : links) {
            if (folder.fileName == c.fileName &&
                opened == QStringList{"https://127.0.0.1/" + QString::fromStdString(link)})
                found = true;
        }
        EXPECT_TRUE(found) << opened.join(' ').toStdString();
    }
    const QString pins = CertificatePins::besideSettings(dir.file("FVSetup.xml"));
    ASSERT_TRUE(QFile::exists(pins));
    EXPECT_EQ(QFile::permissions(pins), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ReadUser | QFileDevice::WriteUser);
}

TEST_F(ShareE2E, AnEmptyPortMeans443AndIsWrittenBack) {
    refresh();
    setRemote(true);
    client->core().records().editConnection([](ConnectionProfile& c) { c.WebDavHttpsPort = ""; });
    LogCapture log;
    view("abc.mkv", "Finished");
    EXPECT_EQ(client->core().records().connection().WebDavHttpsPort, "443");
    EXPECT_TRUE(log.contains("TGetWebDavDirThread::Execute(),WebDavHttpsPort:443"));
}

TEST_F(ShareE2E, RemoteFailuresTellTheUserOrOpenTheRoutersPage) {
    refresh();
    setRemote(true);
    struct Case {
        const char* what;
        std::function<void(routersim::FaultSwitches&)> fault;
        Kind kind;
        QString result;  // the URL opened or the text shown
    };
    const QString veyra = MessageTexts::english()[Msg::FormMainMsg11];
    auto body = [](std::string text) {
        return [text](routersim::FaultSwitches& f) {
            routersim::Faults faults;
            faults.replaceBody = true;
            faults.body = text;
            f.set(faults);
        };
    };
    // Refusing comes last: the listener is not reopened in between.
    const Case cases[] = {
        {"graceful close",
         [](routersim::FaultSwitches& f) {
             routersim::Faults faults;
             faults.closeWithoutReply = true;
             f.set(faults);
         },
         Kind::Opened, "https://127.0.0.1"},
        {"no link in the reply", body("<result><status>1</status></result>\r\n"), Kind::Informed,
         veyra},
        {"unclosed link", body("<sharelink>abc\r\n"), Kind::Informed, veyra},
        {"garbage", body(std::string("\0\xff\r\n<sharelink\n\n\x01", 17)), Kind::Informed, veyra},
        {"link among other lines", body("x\r\n\r\n<a><sharelink>abc</sharelink></a>\r\ny\r\n"),
         Kind::Opened, "https://127.0.0.1/abc"},
        {"refused", [](routersim::FaultSwitches& f) { f.setRefuse(true); }, Kind::Informed, veyra},
    };
    for (const Case& c : cases) {
        sim->clearFaults();
        c.fault(sim->faults(Listener::ShareLink));
        opened.clear();
        const TaskView::Outcome outcome = view("abc.mkv", "Finished");
        EXPECT_EQ(outcome.kind, c.kind) << c.what;
        EXPECT_EQ(c.kind == Kind::Opened ? outcome.url : outcome.text, c.result) << c.what;
    }
}

TEST_F(ShareE2E, AChangedRouterKeyIsRefusedBeforeTheAccountIsSent) {
    refresh();
    setRemote(true);
    ASSERT_EQ(view("abc.mkv", "Finished").kind, Kind::Opened);  // first use: pinned
    const std::uint16_t port = sim->port(Listener::ShareLink);
    const QString pins = CertificatePins::besideSettings(dir.file("FVSetup.xml"));
    QFile before(pins);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray pinned = before.readAll();
    before.close();

    // Another router (another key) now answers on the same address and port.
    sim->stop();
    startRouter(port);
    setRemote(true);
    ASSERT_EQ(sim->port(Listener::ShareLink), port);
    opened.clear();
    const TaskView::Outcome outcome = view("abc.mkv", "Finished");
    EXPECT_EQ(outcome.kind, Kind::Informed);
    EXPECT_EQ(outcome.text, MessageTexts::english()[Msg::FormShareMsg0]);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(shareLinkRequests().empty()) << "the account went to an unknown key";
    QFile after(pins);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), pinned);
}

TEST_F(ShareE2E, ASecondViewWhileTheRequestRunsIsRefused) {
    refresh();
    setRemote(true);
    std::vector<Kind> outcomes;
    auto record = [&](const TaskView::Outcome& o) { outcomes.push_back(o.kind); };
    client->core().taskView().viewTask("abc.mkv", "Finished", record);
    client->core().taskView().viewTask("abc.mkv", "Finished", record);
    ASSERT_EQ(outcomes, std::vector<Kind>{Kind::Refused});
    EXPECT_TRUE(client->core().taskView().shareLinkRunning());
    client->runner().runAll();
    EXPECT_EQ(outcomes, (std::vector<Kind>{Kind::Refused, Kind::Opened}));
    EXPECT_EQ(shareLinkRequests().size(), 1u);
    // Once it ended, View asks again.
    client->core().taskView().viewTask("abc.mkv", "Finished", record);
    client->runner().runAll();
    EXPECT_EQ(outcomes.back(), Kind::Opened);
    EXPECT_EQ(shareLinkRequests().size(), 2u);
}

TEST_F(ShareE2E, ViewDoesNothingWhileOfflineAndUsesTheSelectedRow) {
    routersim::Task t;
    t.name = "abc.mkv";
    t.status = "Finished";
    sim->board().add(t);
    // Offline (no refresh yet): nothing happens.
    client->core().taskView().view();
    client->runner().runAll();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(informed.isEmpty());
    refresh();
    setRemote(true);
    TaskListModel& model = client->core().model();
    int row = -1;
    for (int i = 0; i < model.rowCount(); ++i)
        if (model.row(i).texts[TaskListRow::FileName] == "abc.mkv")
            row = i;
    ASSERT_GE(row, 0);
    model.setSelectedRow(row);
    client->core().taskView().view();
    client->runner().runAll();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].startsWith("https://127.0.0.1/share.cgi?ssid="))
        << opened[0].toStdString();
}

TEST_F(ShareE2E, TheHiddenTrayItemsOpenTheShareAndTheRoutersPage) {
    const QString host = client->core().routerLocalHost();
    client->core().taskView().openSambaFolder();
    EXPECT_TRUE(opened.isEmpty()) << "no download folder known yet";
    refresh();
    client->core().taskView().openSambaFolder();
    client->core().taskView().openVeyra();
    EXPECT_EQ(opened, (QStringList{"smb://" + host + "/Download2/Complete", "https://" + host}));
}

}  // namespace
}  // namespace fv::test

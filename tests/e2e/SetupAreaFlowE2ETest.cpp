// The setup area's flow on the client core against the simulated router on loopback:
// entering it, the tabs, "Apply" on each page and "OK".
#include <gtest/gtest.h>

#include <QFile>

#include "ClientSettingsFile.h"
#include "ManualClientCore.h"
#include "RequestRecord.h"
#include "SimConnection.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "app/SetupAreaFlow.h"
#include "router/SetupControlNames.h"
#include "settings/SetupDocument.h"
#include "tasks/MainControlNames.h"

namespace fv {
namespace {

using routersim::Listener;
using Page = SetupAreaFlow::Page;

class SetupAreaE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        // Entering the area reads the settings file into the fields and commits them.
        routersim::ClientSettings settings;
        settings.servicePort = sim.port(Listener::Service);
        settings.user = "admin";
        settings.password = "admin";
        ASSERT_TRUE(routersim::writeClientSettings(folder.file("FVSetup.xml").toStdString(),
                                                   settings, &error))
            << error;
        SetupAreaFlow::Hooks hooks;
        hooks.listDrawing = [this](bool on) { listDrawing = on; };
        hooks.warn = [this](const QString& caption, const QString& text) {
            warnings.push_back(caption + " | " + text);
        };
        hooks.showSetup = [this](bool on) { setupShowing = on; };
        flow = std::make_unique<SetupAreaFlow>(core(), hooks);
    }
    void TearDown() override { test::recordRequests(sim); }

    ClientCore& core() { return client.core(); }
    QByteArray fileBytes() const {
        QFile file(folder.file("FVSetup.xml"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    FormState& pages() { return core().setupForm(); }
    void settle() { client.runner().runAll(); }
    size_t appliesOf(const std::string& kind) const {
        size_t n = 0;
        for (const auto& r : sim.requests())
            n += r.target.find("action_mode=FV_APPLY&download_type=" + kind) != std::string::npos;
        return n;
    }
    void fillNzb() {
        pages().setText("EditUSENETServer_Setup", "news.example.org");
        pages().setText("EditUSENETPort_Setup", "563");
        pages().setText("EditUSENETUs_Setup", "reader");
        pages().setText("EditUSENETPs_Setup", "a&b=c");
        pages().setText("EditUSENETConfPs_Setup", "a&b=c");
    }

    routersim::Simulator sim{[] {
        routersim::SimulatorConfig c;
        c.discovery = false;
        return c;
    }()};
    test::ScratchDir folder;
    test::ManualClientCore client{folder.path()};
    std::unique_ptr<SetupAreaFlow> flow;
    bool listDrawing = true;
    bool setupShowing = false;
    std::vector<QString> warnings;
};

TEST_F(SetupAreaE2E, EnteringStopsTheRefreshAndReadsTheRouterIntoThePages) {
    sim.settings().setValue("Max_peer", "321");
    core().timers().refreshTimer().setEnabled(true);
    core().timers().listUpdateTimer().setEnabled(true);
    pages().setText(setup_names::TestMessage, "old result");
    flow->enter();
    EXPECT_TRUE(setupShowing);
    EXPECT_FALSE(listDrawing);
    EXPECT_FALSE(core().timers().refreshTimer().enabled());
    EXPECT_FALSE(core().timers().listUpdateTimer().enabled());
    EXPECT_FALSE(pages().visible(setup_names::TestMessage));
    EXPECT_TRUE(pages().text(setup_names::TestMessage).isEmpty());
    EXPECT_EQ(pages().text(setup_names::PageShowing), "tabSheetSetupPage1");
    settle();
    EXPECT_EQ(pages().text("EditMaxCon_Setup"), "321");
}

// The checks run in this order and the first failing one is reported; nothing is sent.
TEST_F(SetupAreaE2E, NzbApplyChecksInOrder) {
    const struct {
        const char* clear;    // field emptied after filling the page
        const char* confirm;  // the confirmation typed (nullptr: as filled)
        const char* text;
    } cases[] = {
        {"EditUSENETServer_Setup", nullptr, "Please key in the USENET Server address."},
        {"EditUSENETPort_Setup", nullptr, "Please key in the USENET Server port."},
        {"EditUSENETUs_Setup", nullptr, "Please key in the username."},
        {"EditUSENETPs_Setup", nullptr, "Please key in the password."},
        {nullptr, "", "Please key in the password."},
        {nullptr, "other", "Please check the password!"},
    };
    flow->enter();
    settle();
    flow->selectPage(Page::Nzb);
    for (const auto& c : cases) {
        fillNzb();
        if (c.clear)
            pages().setText(c.clear, QString());
        if (c.confirm)
            pages().setText("EditUSENETConfPs_Setup", c.confirm);
        flow->apply();
        settle();
        EXPECT_EQ(pages().text("LabelNZBErrMag_Setup"), c.text);
        EXPECT_TRUE(pages().visible("LabelNZBErrMag_Setup"));
        EXPECT_FALSE(pages().visible("Lab_Setup_Apply_Send"));
    }
    // Server and port both empty: only the server is reported.
    fillNzb();
    pages().setText("EditUSENETServer_Setup", QString());
    pages().setText("EditUSENETPort_Setup", QString());
    flow->apply();
    EXPECT_EQ(pages().text("LabelNZBErrMag_Setup"), "Please key in the USENET Server address.");
    EXPECT_EQ(appliesOf("NZB"), 0u);
}

TEST_F(SetupAreaE2E, NzbApplyWritesTheRouterAndThenTheFile) {
    flow->enter();
    settle();
    flow->selectPage(Page::Nzb);
    fillNzb();
    pages().setChecked("ChkBoxNZBDLSp_Setup", false);
    pages().setText("EditNZBMaxDL_Setup", "250");
    flow->apply();
    EXPECT_TRUE(pages().visible("Lab_Setup_Apply_Send"));
    settle();
    EXPECT_EQ(appliesOf("NZB"), 1u);
    EXPECT_EQ(sim.settings().value("Server1.Password"), "a&b=c");
    EXPECT_EQ(sim.settings().value("DownloadRate"), "250");
    EXPECT_TRUE(warnings.empty());
    const QByteArray bytes = fileBytes();
    const QString stored = QString::fromUtf16(
        reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    EXPECT_TRUE(stored.contains("NZBColumn")) << "a written page is kept in the settings file";
}

TEST_F(SetupAreaE2E, FailedBitTorrentWriteWarnsAndKeepsTheFile) {
    flow->enter();
    settle();
    const QByteArray before = fileBytes();
    flow->selectPage(Page::BitTorrent);
    sim.faults(Listener::Service).setRefuse(true);
    flow->apply();
    settle();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "FV - Settings | Connect Error! Please try again.");
    EXPECT_EQ(fileBytes(), before);
}

TEST_F(SetupAreaE2E, ConnectionApplyCommitsSavesAndEndsTheSession) {
    core().records().setSessionTokenHeader("Cookie: AuthByPasswd=old");
    flow->enter();
    settle();
    pages().setText("EditAufresh_Setup", "30");
    flow->apply();
    const ConnectionProfile conn = core().records().connection();
    EXPECT_EQ(conn.RefreshIntervalMs, 30000);
    EXPECT_EQ(core().timers().refreshTimer().interval(), 30000);
    EXPECT_TRUE(conn.SessionTokenHeader.isEmpty());
    EXPECT_EQ(conn.WebDavHttpPort, "8082");
    EXPECT_EQ(conn.WebDavHttpsPort, "443");
    EXPECT_TRUE(pages().visible("Lab_Setup_Apply_Send"));
    flow->selectPage(Page::About);
    EXPECT_FALSE(pages().visible("Lab_Setup_Apply_Send"));
}

TEST_F(SetupAreaE2E, OkReturnsToTheTaskListAndRestartsTheRefresh) {
    flow->enter();
    settle();
    pages().setText(setup_names::Port, "9999");  // a connection edit
    flow->ok();
    EXPECT_FALSE(setupShowing);
    EXPECT_TRUE(listDrawing);
    EXPECT_TRUE(core().timers().refreshTimer().enabled());
    EXPECT_EQ(core().timers().refreshTimer().interval(), 500);
    EXPECT_TRUE(core().timers().listUpdateTimer().enabled());
    EXPECT_EQ(core().mainForm().text(main_names::ConnectStatus),
              MessageTexts::english()[Msg::FormMainMsg5]);
    EXPECT_FALSE(core().setupRules().connectionFieldsChanged());
}

}  // namespace
}  // namespace fv

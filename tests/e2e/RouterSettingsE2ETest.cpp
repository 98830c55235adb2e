// The router-side BitTorrent and NZB settings read and written through the client's core
// against the simulated router on loopback.
#include <gtest/gtest.h>

#include <string>

#include "ManualClientCore.h"
#include "RequestRecord.h"
#include "SimConnection.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "platform/DebugLog.h"
#include "settings/SetupDocument.h"

namespace fv {
namespace {

using routersim::Listener;

constexpr const char* kHostile = "p&ss=w#rd %+ x";

class RouterSettingsE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        core.core().records().setConnection(test::connectionTo(sim));
    }
    void TearDown() override { test::recordRequests(sim); }

    RouterSettingsRead::Result read() {
        RouterSettingsRead::Result out;
        bool done = false;
        core.core().readRouterSettings([&](const RouterSettingsRead::Result& r) {
            out = r;
            done = true;
        });
        core.runner().runAll();
        EXPECT_TRUE(done);
        return out;
    }
    RouterSettingsWrite::Result write(int kind) {
        RouterSettingsWrite::Result out;
        bool done = false;
        core.core().writeRouterSettings(kind, [&](const RouterSettingsWrite::Result& r) {
            out = r;
            done = true;
        });
        core.runner().runAll();
        EXPECT_TRUE(done);
        return out;
    }
    std::vector<std::string> applyTargets() const {
        std::vector<std::string> out;
        for (const auto& r : sim.requests())
            if (r.target.find("fv_apply.cgi") != std::string::npos)
                out.push_back(r.target);
        return out;
    }
    SettingsRecords& records() { return core.core().records(); }

    routersim::Simulator sim{[] {
        routersim::SimulatorConfig c;
        c.discovery = false;
        return c;
    }()};
    test::ScratchDir folder;
    test::ManualClientCore core{folder.path()};
};

TEST_F(RouterSettingsE2E, ReadLogsInAndFillsBothRecords) {
    ASSERT_TRUE(records().sessionTokenHeader().isEmpty());
    LogCapture log;
    const RouterSettingsRead::Result r = read();
    EXPECT_TRUE(r.btRead);
    EXPECT_TRUE(r.nzbRead);
    EXPECT_FALSE(records().sessionTokenHeader().isEmpty());
    EXPECT_EQ(records().bt().Peer_port, "51413");
    EXPECT_EQ(records().bt().Up_rate, "100");
    EXPECT_EQ(records().bt().Enable_peer_port, "0");
    EXPECT_EQ(records().nzb().Host, "news.example.net");
    EXPECT_EQ(records().nzb().Password, "usenet-secret");
    EXPECT_EQ(records().nzb().Connections, "8");
    const auto targets = applyTargets();
    ASSERT_EQ(targets.size(), 2u);
    const std::string prefix = "//ferrovane//fv_apply.cgi?action_mode=initial&download_type=";
    EXPECT_EQ(targets[0].rfind(prefix + "BT&t=", 0), 0u) << targets[0];
    EXPECT_EQ(targets[1].rfind(prefix + "NZB&t=", 0), 0u) << targets[1];
    EXPECT_EQ(targets[0].size(), prefix.size() + 6);
    EXPECT_TRUE(log.contains("TFVPageGetBTSettingThread::Execute()-end"));
    EXPECT_FALSE(log.contains("usenet-secret"));
}

TEST_F(RouterSettingsE2E, HostileValuesArriveExactlyAndReadBack) {
    ASSERT_TRUE(read().complete());
    RouterBtSettings bt = records().bt();
    bt.Down_rate = kHostile;
    bt.Select_port = QString::fromUtf8("é/?");
    records().setBt(bt);
    RouterNzbSettings nzb = records().nzb();
    nzb.Host = "news.example.net";
    nzb.Username = "a user";
    nzb.Password = kHostile;
    records().setNzb(nzb);

    EXPECT_TRUE(write(RouterSettingsWrite::BitTorrent).written);
    EXPECT_TRUE(write(RouterSettingsWrite::Nzb).written);
    EXPECT_EQ(sim.settings().value("Down_rate"), kHostile);
    EXPECT_EQ(sim.settings().value("Select_port"), "é/?");
    EXPECT_EQ(sim.settings().value("Up_rate"), "100");  // the values not changed stay
    EXPECT_EQ(sim.settings().value("Server1.Password"), kHostile);
    EXPECT_EQ(sim.settings().value("Server1.Username"), "a user");
    EXPECT_EQ(sim.settings().value("Server1.Host"), "news.example.net");

    records().setBt({});
    records().setNzb({});
    ASSERT_TRUE(read().complete());
    EXPECT_EQ(records().bt().Down_rate, kHostile);
    EXPECT_EQ(records().nzb().Password, kHostile);
    EXPECT_EQ(records().nzb().Username, "a user");
}

TEST_F(RouterSettingsE2E, PostAddLineNeverShowsTheNzbPassword) {
    ASSERT_TRUE(read().complete());
    // A password the log was never told about: only the line's own masking can hide it.
    DebugLog::clearSecrets();
    RouterNzbSettings nzb = records().nzb();
    nzb.Password = "Yk4-fresh-secret";
    records().setNzb(nzb);
    LogCapture log;
    ASSERT_TRUE(write(RouterSettingsWrite::Nzb).written);
    EXPECT_EQ(sim.settings().value("Server1.Password"), "Yk4-fresh-secret");
    bool found = false;
    for (const std::string& line : log.lines()) {
        EXPECT_EQ(line.find("Yk4"), std::string::npos) << line;
        if (line.find("TFVPageSetSettingThread - PostAdd=[http://127.0.0.1:") == 0) {
            found = true;
            EXPECT_NE(line.find("download_type=NZB&Server1.Host=news.example.net"),
                      std::string::npos)
                << line;
        }
    }
    EXPECT_TRUE(found);
    EXPECT_TRUE(log.contains("TFVPageSetSettingThread::Execute()-end"));
}

TEST_F(RouterSettingsE2E, FailingExchangesLeaveTheRecordsAlone) {
    RouterBtSettings bt;
    bt.Peer_port = "1234";
    records().setBt(bt);
    RouterNzbSettings nzb;
    nzb.Host = "kept.example.org";
    records().setNzb(nzb);
    sim.faults(Listener::Service).setRefuse(true);
    LogCapture log;
    const RouterSettingsRead::Result r = read();
    EXPECT_FALSE(r.btRead);
    EXPECT_FALSE(r.nzbRead);
    EXPECT_EQ(r.failure, FailureKind::Refused);
    EXPECT_EQ(records().bt().Peer_port, "1234");
    EXPECT_EQ(records().nzb().Host, "kept.example.org");
    EXPECT_TRUE(log.contains("TFVPageGetBTSettingThread - http connect fault!; E.Message = "));

    const RouterSettingsWrite::Result w = write(RouterSettingsWrite::BitTorrent);
    EXPECT_FALSE(w.written);
    EXPECT_EQ(w.failure, FailureKind::Refused);
    EXPECT_TRUE(log.contains("TFVPageSetSettingThread - http connect fault!; E.Message = "));
}

// The read the setup pages start fills them from the router; when the router cannot be
// read, the BitTorrent page falls back to the settings file and the NZB page keeps its
// values.
TEST_F(RouterSettingsE2E, ReadFillsThePagesOrFallsBack) {
    sim.settings().setValue("Peer_port", "6999");
    sim.settings().setValue("Enable_peer_port", "1");
    sim.settings().setValue("Server1.Host", "from.router.example");
    FormState& pages = core.core().setupForm();
    bool filled = false;
    core.core().readRouterSettingsIntoPages([&] { filled = true; });
    core.runner().runAll();
    ASSERT_TRUE(filled);
    EXPECT_EQ(pages.text("EditInPort_Setup"), "6999");
    EXPECT_FALSE(pages.checked("ChkBoxDefaultPort_Setup"));
    EXPECT_EQ(pages.text("EditUSENETServer_Setup"), "from.router.example");

    // The settings file holds another BitTorrent port; the router is off now.
    pages.setText("EditInPort_Setup", "7111");
    ASSERT_TRUE(core.core().setupDocument().saveTransferColumn(1));
    pages.setText("EditInPort_Setup", "1");
    pages.setText("EditUSENETServer_Setup", "typed.example");
    sim.faults(Listener::Service).setRefuse(true);
    filled = false;
    core.core().readRouterSettingsIntoPages([&] { filled = true; });
    core.runner().runAll();
    ASSERT_TRUE(filled);
    EXPECT_EQ(pages.text("EditInPort_Setup"), "7111") << "the file's BitTorrent column";
    EXPECT_EQ(pages.text("EditUSENETServer_Setup"), "typed.example") << "kept";
}

TEST_F(RouterSettingsE2E, NoAddressAsksNobody) {
    records().editConnection([](ConnectionProfile& c) { c.ServerAddress.clear(); });
    EXPECT_EQ(read().failure, FailureKind::NoAddress);
    EXPECT_EQ(write(RouterSettingsWrite::Nzb).failure, FailureKind::NoAddress);
    EXPECT_TRUE(applyTargets().empty());
}

}  // namespace
}  // namespace fv

// The program's options, its client settings file, control commands and the demo tasks.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <pugixml.hpp>
#include <set>

#include "ClientSettingsFile.h"
#include "CommandLine.h"
#include "ControlCommands.h"
#include "DemoTasks.h"
#include "SimFixture.h"
#include "TestEnvironment.h"

namespace routersim::test {
namespace {

struct OptionCase {
    const char* label;
    std::vector<std::string> args;
    bool root;
    bool valid;
    std::uint16_t service;
    std::uint16_t web;
    std::uint16_t auth;
    std::string bind;
};

class Options : public ::testing::TestWithParam<OptionCase> {};

TEST_P(Options, AreReadWithTheirDefaults) {
    const auto& c = GetParam();
    std::string error;
    const auto o = parseCommandLine(c.args, c.root, &error);
    ASSERT_EQ(o.has_value(), c.valid) << error;
    if (!o) {
        EXPECT_FALSE(error.empty());
        return;
    }
    EXPECT_EQ(o->config.servicePort, c.service);
    EXPECT_EQ(o->config.webPort, c.web);
    EXPECT_EQ(o->config.authPort, c.auth);
    EXPECT_EQ(o->config.bindAddress, c.bind);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, Options,
    ::testing::Values(
        OptionCase{"defaultsAsUser", {}, false, true, 8081, 0, 8443, "127.0.0.1"},
        OptionCase{"defaultsAsRoot", {}, true, true, 8081, 80, 8443, "127.0.0.1"},
        OptionCase{"givenPorts",
                   {"--service-port", "0", "--web-port", "8080", "--auth-port", "9443"},
                   false,
                   true,
                   0,
                   8080,
                   9443,
                   "127.0.0.1"},
        OptionCase{
            "bind", {"--bind", "127.0.0.2", "--demo"}, true, true, 8081, 80, 8443, "127.0.0.2"},
        OptionCase{"portTooBig", {"--service-port", "65536"}, false, false, 0, 0, 0, ""},
        OptionCase{"portNotANumber", {"--web-port", "80x"}, false, false, 0, 0, 0, ""},
        OptionCase{"missingValue", {"--user"}, false, false, 0, 0, 0, ""},
        OptionCase{"unknownFlag", {"--everywhere"}, false, false, 0, 0, 0, ""}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(DiscoveryOptions, SetTheRepliesShape) {
    std::string error;
    const auto o = parseCommandLine(
        {"--discovery-name", "KR-9", "--discovery-mac", "02:00:00:00:00:0a", "--discovery-mode",
         "2", "--discovery-no-extension", "--discovery-printer", "a!$b", "--discovery-fleet", "256",
         "--discovery-fleet-from", "198.18.0.1"},
        false, &error);
    ASSERT_TRUE(o) << error;
    const RouterFacts& f = o->config.facts;
    EXPECT_EQ(f.deviceName, "KR-9");
    EXPECT_EQ(f.mac[5], 0x0A);
    EXPECT_EQ(f.mode, 2);
    EXPECT_FALSE(f.discoveryExtension);
    EXPECT_EQ(f.printer, "a!$b");
    EXPECT_EQ(o->config.discoveryFleet, 256);
    EXPECT_EQ(o->config.discoveryFleetFrom, "198.18.0.1");
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--discovery-mac", "02:00:00:00:00"},
          {"--discovery-mac", "02:00:00:00:00:0g"},
          {"--discovery-mode", "256"},
          {"--discovery-fleet", "x"},
          {"--discovery-mode"}}) {
        error.clear();
        EXPECT_FALSE(parseCommandLine(bad, false, &error)) << bad[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(ClientSettingsFile, IsUtf16WithDeclarationAndPointsAtTheRouter) {
    fv::test::ScratchDir dir;
    const std::string path = dir.file("FVSetup.xml").toStdString();
    ClientSettings s;
    s.servicePort = 18081;
    s.user = "admin";
    s.password = "pä<ss>";
    s.authPort = 18443;
    s.webDavHttpsPort = 4443;
    std::string error;
    ASSERT_TRUE(writeClientSettings(path, s, &error)) << error;
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFE<\0", 4));  // BOM, then UTF-16LE text
    pugi::xml_document doc;
    ASSERT_TRUE(
        doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_declaration));
    EXPECT_STREQ(doc.first_child().attribute("encoding").value(), "UTF-16");
    const auto column = doc.child("root").child("ConColumn");
    const std::vector<std::pair<const char*, std::string>> expected = {
        {"FVRadioRemote", "0"}, {"FVAddressLocal", "127.0.0.1"}, {"Port", "18081"},
        {"UserName", "admin"},  {"Password", "pä<ss>"},          {"Autorefresh", "5"},
        {"AuthMethod", "0"},    {"AuthPort", "18443"},           {"WebDavHttpsPort", "4443"}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(column.child_value(name), value) << name;
    EXPECT_STREQ(column.first_child().name(), "FVRadioRemote");
}

TEST(ClientSettingsFile, ReplacesAnOldFileWholeAndLeavesNoTemporary) {
    fv::test::ScratchDir dir;
    const std::string path = dir.file("FVSetup.xml").toStdString();
    std::ofstream(path) << std::string(100000, 'x');
    ClientSettings s;
    ASSERT_TRUE(writeClientSettings(path, s, nullptr));
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, clientSettingsDocument(s));
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path().toStdString()))
        entries += e.is_regular_file();
    EXPECT_EQ(entries, 1);
}

TEST(ClientSettingsFile, UnwritableFolderIsAnError) {
    std::string error;
    EXPECT_FALSE(writeClientSettings("/nonexistent-folder/FVSetup.xml", ClientSettings{}, &error));
    EXPECT_NE(error.find("/nonexistent-folder/FVSetup.xml"), std::string::npos);
}

class Control : public SimFixture {};

struct ControlCase {
    const char* label;
    std::string script;
    std::string answers;
};

class ControlScript : public Control, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(ControlScript, AnswersEachLine) {
    EXPECT_EQ(runControlScript(*sim, GetParam().script), GetParam().answers);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ControlScript,
    ::testing::Values(
        ControlCase{"valid",
                    "fault service delay 10\nfault web status HTTP/1.1 600 x\r\nbusy off\n\n",
                    "OK\nOK\nOK\n"},
        ControlCase{"unknownListener", "fault router delay 5", "ERR unknown listener\n"},
        ControlCase{"badDelay", "fault service delay -5\nfault service drip 0 5",
                    "ERR bad fault\nERR bad fault\n"},
        ControlCase{"emptyStatus", "fault service status", "ERR bad fault\n"},
        ControlCase{"badSwitch", "busy maybe\nrefuse",
                    "ERR unknown command or value\nERR unknown command or value\n"},
        ControlCase{"tooManyTasks", "tasks 20000\ntasks x",
                    "ERR tasks needs a count up to 10000\n"
                    "ERR tasks needs a count up to 10000\n"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(Control, FaultWordsAddUpOnOneListener) {
    runControlScript(*sim,
                     "fault service status HTTP/1.1 600 Busy\nfault service answer "
                     "DISK_FULL\nfault service count 2");
    const Faults f = sim->faults(Listener::Service).current();
    EXPECT_EQ(f.statusLine, "HTTP/1.1 600 Busy");
    EXPECT_EQ(f.answerWord, "DISK_FULL");
    EXPECT_EQ(f.remaining, 2);
    EXPECT_EQ(statusCode(get("/")), "600");
    runControlScript(*sim, "clear");
    EXPECT_EQ(statusCode(get("/")), "200");
}

TEST_F(Control, StateSwitchesReachTheRouter) {
    runControlScript(*sim, "busy on\ntasks 65\nservice off\nsession on");
    EXPECT_EQ(statusCode(get("/")), "600");
    EXPECT_EQ(sim->board().tasks().size(), 65u);
    EXPECT_FALSE(sim->profile().get().serviceEnabled);
    EXPECT_EQ(sim->auth().mode(), AuthMode::Session);
}

TEST_F(Control, RequestsAreListedInOrder) {
    sim->clearRequests();
    get("/a");
    get("//ferrovane//b?x=1");
    EXPECT_EQ(runControlCommand(*sim, "requests"),
              "service GET /a\nservice GET //ferrovane//b?x=1\nOK");
}

TEST(DemoTasks, ADozenKindsOfTaskThatMoveOverTime) {
    TaskBoard board;
    DemoTasks demo(7);
    demo.populate(board);
    const auto before = board.tasks();
    EXPECT_EQ(before.size(), 12u);
    std::set<std::string> statuses, types;
    for (const auto& t : before) {
        statuses.insert(t.status);
        types.insert(t.type);
    }
    for (const char* s : {"Downloading", "Paused", "Seeding", "Finished", "Vfat4G"})
        EXPECT_EQ(statuses.count(s), 1u) << s;
    EXPECT_EQ(types, (std::set<std::string>{"BT", "NZB"}));
    demo.step(board, 2.0);
    const auto after = board.tasks();
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i].status == "Downloading") {
            EXPECT_GT(after[i].doneBytes, before[i].doneBytes) << before[i].name;
        } else if (before[i].status != "Seeding") {
            EXPECT_EQ(after[i].doneBytes, before[i].doneBytes) << before[i].name;
        }
    }
}

TEST(DemoTasks, DownloadsFinishAndStopAtTheirSize) {
    TaskBoard board;
    Task bt;
    bt.sizeBytes = 1000;
    bt.downBytesPerSec = 600;
    Task nzb = bt;
    nzb.type = "NZB";
    const auto btId = board.add(bt);
    const auto nzbId = board.add(nzb);
    board.advance(1.0);
    EXPECT_EQ(board.find(btId)->doneBytes, 600);
    board.advance(1.0);
    EXPECT_EQ(board.find(btId)->doneBytes, 1000);
    EXPECT_EQ(board.find(btId)->status, "Seeding");
    EXPECT_EQ(board.find(nzbId)->status, "Finished");
    EXPECT_EQ(board.find(nzbId)->downBytesPerSec, 0);
}

}  // namespace
}  // namespace routersim::test

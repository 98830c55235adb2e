// The application-list probe: the page parse (port by position, flags and version from the
// service line, what is kept when lines are missing), the direct probe and the worker.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "LoopbackServer.h"
#include "platform/DebugLog.h"
#include "platform/WorkerThread.h"
#include "router/AppListFetch.h"
#include "router/AppListProbe.h"
#include "router/SetupControlNames.h"

namespace fv {
namespace {

using test::LoopbackServer;
namespace n = setup_names;

const char* kServiceLine = "[\"ferrovane\",\"2.110\",\"Download Service\",\"yes\",\"no\"]";

std::string page(const std::string& serviceLine, const std::string& port) {
    return "<script>\nvar apps_array = [\n"
           "[\"mediaserver\",\"1.20\",\"Media Server\",\"yes\",\"yes\"],\n" +
           serviceLine + "\n];\napps_http_port = \"" + port + "\";\n</script>\n";
}

ProbeState stale() {
    ProbeState s;
    s.installed = "old-i";
    s.enabled = "old-e";
    s.version = "old-v";
    return s;
}

struct ParseCase {
    const char* name;
    std::vector<std::string> lines;
    bool readVersion;
    ProbeState expected;  // servicePort: the port taken ("" = none)
    bool complete;
};

std::vector<ParseCase> parseCases() {
    const auto with = [](auto edit) {
        ProbeState s = stale();
        edit(s);
        return s;
    };
    return {
        {"fullPage",
         {"<html>", kServiceLine, "apps_http_port = \"8081\";"},
         true,
         with([](ProbeState& s) {
             s.installed = "yes";
             s.enabled = "no";
             s.version = "110";
             s.servicePort = "8081";
         }),
         true},
        {"portByPosition",
         {"apps_http_port=___12345__"},
         true,
         with([](ProbeState& s) { s.servicePort = "12345"; }),
         true},
        {"emptyPortValue", {"apps_http_port = \"\";"}, true, stale(), true},
        {"noServiceLineKeepsFlags",
         {"[\"mediaserver\",\"1.20\",\"x\",\"yes\",\"yes\"]", "apps_http_port = \"9000\";"},
         true,
         with([](ProbeState& s) { s.servicePort = "9000"; }),
         true},
        {"nothing", {}, true, stale(), true},
        {"lastLinesWin",
         {"\"ferrovane\",\"1.1\",\"d\",\"no\",\"no\"", "apps_http_port = \"1111\";", kServiceLine,
          "apps_http_port = \"2222\";"},
         true,
         with([](ProbeState& s) {
             s.installed = "yes";
             s.enabled = "no";
             s.version = "110";
             s.servicePort = "2222";
         }),
         true},
        {"versionWithoutDot",
         {"\"ferrovane\",\"104\",\"d\",\"yes\",\"yes\""},
         true,
         with([](ProbeState& s) {
             s.installed = "yes";
             s.enabled = "yes";
             s.version = "104";
         }),
         true},
        {"workerKeepsVersion",
         {kServiceLine},
         false,
         with([](ProbeState& s) {
             s.installed = "yes";
             s.enabled = "no";
         }),
         true},
        {"twoItemsStopsEarly",
         {"\"ferrovane\",\"2.1\"", "apps_http_port = \"8081\";"},
         true,
         stale(),
         false},
        {"fourItemsKeepsInstalledOnly",
         {"\"ferrovane\",\"2.1\",\"d\",\"no\"", "apps_http_port = \"8081\";"},
         true,
         with([](ProbeState& s) { s.installed = "no"; }),
         false},
    };
}

class AspPageParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(AspPageParse, Results) {
    const ParseCase& c = GetParam();
    ProbeResults results;
    results.set(stale());
    const auto parse = parseAppListPage(c.lines, c.readVersion, results);
    const ProbeState got = results.get();
    EXPECT_EQ(got.installed, c.expected.installed);
    EXPECT_EQ(got.enabled, c.expected.enabled);
    EXPECT_EQ(got.version, c.expected.version);
    EXPECT_EQ(got.servicePort, c.expected.servicePort);
    EXPECT_EQ(parse.port, c.expected.servicePort);
    EXPECT_EQ(parse.complete, c.complete);
}

INSTANTIATE_TEST_SUITE_P(Pages, AspPageParse, ::testing::ValuesIn(parseCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AppListProbe, PageLinesSplitAtEveryBreak) {
    EXPECT_EQ(splitPageLines("a\r\nb\nc\rd\n\ne"),
              (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
    EXPECT_EQ(splitPageLines(""), std::vector<std::string>{});
}

TEST(AppListProbe, AddressByAuthenticationMethod) {
    EXPECT_EQ(appListAddress("192.168.1.1", {0, "8443"}), "http://192.168.1.1/update_applist.asp");
    EXPECT_EQ(appListAddress("192.168.1.1", {1, "8443"}),
              "https://192.168.1.1:8443/update_applist.asp");
}

TEST(AppListProbe, DirectProbeReadsPageAndVersion) {
    LoopbackServer server(
        {{LoopbackServer::reply("HTTP/1.1 200 OK", {}, page(kServiceLine, "8081"))}});
    SettingsRecords records;
    ProbeResults probe;
    RouterContext ctx(records, defaultHttpTransport(), &probe);
    LogCapture log;
    const QString host = QString("127.0.0.1:%1").arg(server.port());
    fetchAppListPage(ctx, host, {});
    const ProbeState s = probe.get();
    EXPECT_EQ(s.servicePort, "8081");
    EXPECT_EQ(s.installed, "yes");
    EXPECT_EQ(s.enabled, "no");
    EXPECT_EQ(s.version, "110");
    EXPECT_EQ(probe.serviceLevel(), 110);
    EXPECT_FALSE(s.connectionRefused);
    EXPECT_EQ(server.requests().at(0).rfind("GET /update_applist.asp HTTP/1.1", 0), 0u);
    EXPECT_TRUE(
        log.contains("GetFVInfoPage - URL=http://" + host.toStdString() + "/update_applist.asp"));
    EXPECT_TRUE(log.contains("ParseAspPage, mFVServerVersion:110"));
    EXPECT_TRUE(log.contains("because of 200 OK"));
}

TEST(AppListProbe, RefusedDirectProbeSetsFlagAndEmptiesPort) {
    SettingsRecords records;
    ProbeResults probe;
    ProbeState before = stale();
    before.servicePort = "8081";
    probe.set(before);
    RouterContext ctx(records, defaultHttpTransport(), &probe);
    const QString host = QString("127.0.0.1:%1").arg(test::closedLoopbackPort());
    LogCapture log;

    probeAppList(ctx, host);  // the worker never sets the flag
    EXPECT_FALSE(probe.get().connectionRefused);
    EXPECT_FALSE(log.contains("URL="));

    fetchAppListPage(ctx, host, {});
    const ProbeState s = probe.get();
    EXPECT_TRUE(s.connectionRefused);
    EXPECT_EQ(s.servicePort, "");
    EXPECT_EQ(s.installed, "old-i");
    EXPECT_EQ(s.enabled, "old-e");
    EXPECT_TRUE(log.contains("GetFVInfoPage - http Get fail or interupt not 200"));
}

TEST(AppListProbe, HttpsProbeGoesToTheAuthenticationPort) {
    LoopbackServer tlsPort({{""}});
    SettingsRecords records;
    ProbeResults probe;
    RouterContext ctx(records, defaultHttpTransport(), &probe);
    fetchAppListPage(ctx, "127.0.0.1", {1, QString::number(tlsPort.port())});
    ASSERT_EQ(tlsPort.requests().size(), 1u);
    EXPECT_EQ(tlsPort.requests()[0].substr(0, 1), "\x16");  // a TLS handshake arrived
    EXPECT_EQ(probe.get().servicePort, "");
}

struct ChoiceCase {
    const char* name;
    AppListProbeOutcome outcome;
    bool enableSelectedBefore;
    bool enableSelectedAfter;
    int enableClicks;
    int disableClicks;
};

class ServiceChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ServiceChoice, SelectedFromTheProbe) {
    const ChoiceCase& c = GetParam();
    FormState f;
    f.setChecked(n::ServiceEnable, c.enableSelectedBefore);
    f.setChecked(n::ServiceDisable, !c.enableSelectedBefore);
    int enableClicks = 0;
    int disableClicks = 0;
    f.onClick(n::ServiceEnable, [&](const QString&) { ++enableClicks; });
    f.onClick(n::ServiceDisable, [&](const QString&) { ++disableClicks; });

    onAppListProbed(f, c.outcome);

    EXPECT_EQ(f.checked(n::ServiceEnable), c.enableSelectedAfter);
    EXPECT_EQ(f.checked(n::ServiceDisable), !c.enableSelectedAfter);
    EXPECT_EQ(enableClicks, c.enableClicks);
    EXPECT_EQ(disableClicks, c.disableClicks);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, ServiceChoice,
    ::testing::Values(ChoiceCase{"yesSelectsEnable", {true, "yes"}, false, true, 1, 0},
                      ChoiceCase{"yesAlreadyEnabled", {true, "yes"}, true, true, 0, 0},
                      ChoiceCase{"noSelectsDisable", {true, "no"}, true, false, 0, 1},
                      ChoiceCase{"caseMatters", {true, "Yes"}, true, false, 0, 1},
                      ChoiceCase{"noAlreadyDisabled", {true, "no"}, false, false, 0, 0},
                      ChoiceCase{"failedProbeKeepsChoice", {false, "no"}, true, true, 0, 0},
                      ChoiceCase{"failedProbeKeepsOff", {false, "yes"}, false, false, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AppListProbe, WorkerSetsChoiceOnTheUiThread) {
    LoopbackServer server(
        {{LoopbackServer::reply("HTTP/1.1 200 OK", {}, page(kServiceLine, "8081"))}});
    SettingsRecords records;
    records.editConnection([&](ConnectionProfile& c) {
        c.ServerAddress = QString("127.0.0.1:%1").arg(server.port());
    });
    ProbeResults probe;
    probe.set(stale());
    RouterContext ctx(records, defaultHttpTransport(), &probe);
    FormState f;
    f.setChecked(n::ServiceEnable, true);
    int disableClicks = 0;
    f.onClick(n::ServiceDisable, [&](const QString&) { ++disableClicks; });

    WorkerThreadRunner runner(&f);
    AppListFetch::start(runner, ctx, f);
    QElapsedTimer timer;
    timer.start();
    while (disableClicks == 0 && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);

    EXPECT_EQ(disableClicks, 1);
    EXPECT_TRUE(f.checked(n::ServiceDisable));
    EXPECT_EQ(probe.get().version, "old-v");  // the worker does not read the version
    EXPECT_TRUE(WorkerThread::waitForAll(5000));
}

}  // namespace
}  // namespace fv

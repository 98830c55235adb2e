// The status report, task commands, settings reads and writes, and the request log.
#include "SimFixture.h"

namespace routersim::test {
namespace {

class ServiceScripts : public SimFixture {
  protected:
    std::string addTask(const std::string& name, const std::string& status, std::int64_t size,
                        std::int64_t done, const std::string& type = "BT") {
        Task t;
        t.name = name;
        t.status = status;
        t.type = type;
        t.sizeBytes = size;
        t.doneBytes = done;
        t.downBytesPerSec = 2048;
        t.upBytesPerSec = 512;
        return sim->board().add(t);
    }
    std::string status(const std::string& id) {
        const auto t = sim->board().find(id);
        return t ? t->status : std::string();
    }
};

constexpr const char* kReport = "/ferrovane/fv_print_status.cgi?action_mode=All&t=7";

TEST_F(ServiceScripts, EmptyReportIsAnEmptyList) {
    const auto reply = get(kReport);
    EXPECT_EQ(reply.statusLine, "HTTP/1.1 200 OK");
    EXPECT_EQ(reply.body, "[]\n");
}

TEST_F(ServiceScripts, ReportLinesAreBracketedQuotedListsInOrder) {
    addTask("one \"quoted\" name", "Downloading", 2048, 1024);
    addTask("two", "Vfat4G", 1536 * 1024, 0, "NZB");
    addTask("three", "Seeding", 100, 100);
    const auto reply = get(kReport);
    EXPECT_EQ(
        reply.body,
        "[[\"101\",\"one \"\"quoted\"\" name\",\"0.5\",\"2.0 KB\",\"Downloading\",\"BT\",\"0\","
        "\"2.0 KB/s\",\"0.5 KB/s\",\"0\",\"0\",\"0\",\"0\"]\n"
        ",[\"102\",\"two\",\"0\",\"1.5 MB\",\"Vfat4G\",\"NZB\",\"0\",\"2.0 KB/s\",\"0.5 KB/s\","
        "\"0\",\"0\",\"0\",\"0\"]\n"
        ",[\"103\",\"three\",\"1\",\"100 B\",\"Seeding\",\"BT\",\"0\",\"2.0 KB/s\",\"0.5 KB/s\","
        "\"0\",\"0\",\"0\",\"0\"]]\n");
}

TEST_F(ServiceScripts, ReportKeepsEveryTaskBeyondSixtyFour) {
    for (int i = 0; i < 70; ++i)
        addTask("task" + std::to_string(i), "Downloading", 10, 1);
    const auto body = get(kReport).body;
    EXPECT_EQ(std::count(body.begin(), body.end(), '\n'), 70);
    EXPECT_NE(body.find("\"task69\""), std::string::npos);
}

TEST_F(ServiceScripts, ReportNamesKeepUtf8AndLoseLineBreaks) {
    addTask("Élégie\r\nline", "Paused", 10, 0);
    const auto items = quotedItems(get(kReport).body);
    ASSERT_GE(items.size(), 13u);
    EXPECT_EQ(items[1], "Élégie  line");
}

struct CommandCase {
    const char* label;
    const char* query;                  // after "fv_apply.cgi"; {A} stands for the first task's id
    std::vector<std::string> expected;  // statuses of tasks A, B, C afterwards ("" = gone)
};

class TaskCommand : public ServiceScripts, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(TaskCommand, ChangesTheTasks) {
    const std::string a = addTask("a", "Downloading", 10, 5);
    const std::string b = addTask("b", "Paused", 10, 5);
    const std::string c = addTask("c", "Finished", 10, 10);
    std::string query = GetParam().query;
    if (auto pos = query.find("{A}"); pos != std::string::npos)
        query.replace(pos, 3, a);
    const auto reply = get("//ferrovane//fv_apply.cgi" + query + "&t=2");
    EXPECT_EQ(statusCode(reply), "200");
    EXPECT_EQ((std::vector<std::string>{status(a), status(b), status(c)}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Words, TaskCommand,
    ::testing::Values(
        CommandCase{"cancel",
                    "?action_mode=FV_CTRL&fv_ctrl=cancel&task_id={A}&download_type=BT",
                    {"", "Paused", "Finished"}},
        CommandCase{"pause",
                    "?action_mode=FV_CTRL&fv_ctrl=paused&task_id={A}&download_type=BT",
                    {"Paused", "Paused", "Finished"}},
        CommandCase{"start",
                    "?action_mode=FV_CTRL&fv_ctrl=start&task_id={A}&download_type=BT",
                    {"Downloading", "Paused", "Finished"}},
        CommandCase{"pauseAll",
                    "?action_mode=FV_CTRL&fv_ctrl=pause_all&download_type=ALL",
                    {"Paused", "Paused", "Finished"}},
        CommandCase{"startAll",
                    "?action_mode=FV_CTRL&fv_ctrl=start_all&download_type=ALL",
                    {"Downloading", "Downloading", "Finished"}},
        CommandCase{"clear",
                    "?action_mode=FV_CTRL&fv_ctrl=clear&download_type=All",
                    {"Downloading", "Paused", ""}},
        CommandCase{"unknownTask",
                    "?action_mode=FV_CTRL&fv_ctrl=cancel&task_id=999&download_type=BT",
                    {"Downloading", "Paused", "Finished"}},
        CommandCase{"unknownWord",
                    "?action_mode=FV_CTRL&fv_ctrl=explode&task_id={A}&download_type=BT",
                    {"Downloading", "Paused", "Finished"}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(ServiceScripts, ResumingACompleteTaskSeedsIt) {
    const std::string a = addTask("a", "Paused", 10, 10);
    get("//ferrovane//fv_apply.cgi?action_mode=FV_CTRL&fv_ctrl=start&task_id=" + a +
        "&download_type=BT&t=0");
    EXPECT_EQ(status(a), "Seeding");
}

TEST_F(ServiceScripts, GeneralReadCarriesDownloadFolderAndDeviceName) {
    sim->settings().setDownloadPath("/tmp/mnt/sdb2/Data");
    sim->settings().setDeviceName("Router \"X\"");
    const auto reply =
        get("//ferrovane//fv_apply.cgi?action_mode=initial&download_type=General&t=4");
    const auto items = quotedItems(reply.body);
    ASSERT_GE(items.size(), 16u) << reply.body;
    EXPECT_EQ(items[6], "/tmp/mnt/sdb2/Data");
    EXPECT_EQ(items[15], "Router \"X\"");
    EXPECT_TRUE(reply.body.starts_with("[\""));
}

TEST_F(ServiceScripts, BitTorrentAndNzbReadsAreExactLists) {
    EXPECT_EQ(get("//ferrovane//fv_apply.cgi?action_mode=initial&download_type=BT&t=4").body,
              "[\"51413\",\"1\",\"60\",\"240\",\"1\",\"0\",\"0\",\"1\",\"100\",\"1\",\"0\"]\n");
    EXPECT_EQ(get("//ferrovane//fv_apply.cgi?action_mode=initial&download_type=NZB&t=4").body,
              "[\"news.example.net\",\"563\",\"yes\",\"reader\",\"usenet-secret\",\"8\",\"0\"]\n");
}

TEST_F(ServiceScripts, ApplyStoresValuesAndDecodesEscapes) {
    get("//ferrovane//"
        "fv_apply.cgi?action_mode=FV_APPLY&download_type=BT&Enable_peer_port=1&peer_port_change=1"
        "&bt_port_tmp=6881&Select_port=0&Peer_port=6881&Down_limit=1&Down_rate=500&Up_limit=0&Up_"
        "rate=20"
        "&Auth_type=2&Max_torrent_peer=30&Max_peer=90&Enable_dht=0&Enable_pex=0&t=5");
    EXPECT_EQ(get("//ferrovane//fv_apply.cgi?action_mode=initial&download_type=BT&t=4").body,
              "[\"6881\",\"2\",\"30\",\"90\",\"0\",\"1\",\"500\",\"0\",\"20\",\"0\",\"1\"]\n");
    get("//ferrovane//fv_apply.cgi?action_mode=FV_APPLY&download_type=NZB&Server1.Host=news.test"
        "&Server1.Port=119&DownloadRate=250&Server1.Encryption=no&Server1.Username=me"
        "&Server1.Password=a%26b%3Dc+d&Server1.Connections=4&t=5");
    EXPECT_EQ(sim->settings().value("Server1.Password"), "a&b=c+d");
    EXPECT_EQ(get("//ferrovane//fv_apply.cgi?action_mode=initial&download_type=NZB&t=4").body,
              "[\"news.test\",\"119\",\"no\",\"me\",\"a&b=c+d\",\"4\",\"250\"]\n");
}

TEST_F(ServiceScripts, RequestLogKeepsRawTargetHeadersAndBody) {
    sim->clearRequests();
    const std::string raw =
        "POST //ferrovane//fv_apply.cgi?x=1 HTTP/1.1\r\nHost: 127.0.0.1:1\r\nAccept-Language: "
        "zh-tw\r\n"
        "Connection: Keep-Alive\r\nContent-Length: 3\r\n\r\nabc";
    exchange(port(), raw);
    const auto log = sim->requests();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].listener, "service");
    EXPECT_EQ(log[0].method, "POST");
    EXPECT_EQ(log[0].target, "//ferrovane//fv_apply.cgi?x=1");
    EXPECT_EQ(log[0].version, "HTTP/1.1");
    using H = std::pair<std::string, std::string>;
    EXPECT_EQ(log[0].headers, (std::vector<H>{{"Host", "127.0.0.1:1"},
                                              {"Accept-Language", "zh-tw"},
                                              {"Connection", "Keep-Alive"},
                                              {"Content-Length", "3"}}));
    EXPECT_EQ(log[0].body, "abc");
}

struct BadHead {
    const char* label;
    std::string raw;
    const char* reply;  // expected status code, "" when the connection just closes
};

class MalformedRequest : public SimFixture, public ::testing::WithParamInterface<BadHead> {};

TEST_P(MalformedRequest, IsRefusedAndTheServerCarriesOn) {
    const auto reply = parseReply(exchange(port(), GetParam().raw, false, 1000).bytes);
    EXPECT_EQ(statusCode(reply), GetParam().reply);
    EXPECT_EQ(statusCode(get("/")), "200");
}

INSTANTIATE_TEST_SUITE_P(
    Heads, MalformedRequest,
    ::testing::Values(BadHead{"noColon", "GET / HTTP/1.1\r\nbroken header\r\n\r\n", "400"},
                      BadHead{"emptyLine", "\r\n\r\n", "400"},
                      BadHead{"hugeLength",
                              "POST / HTTP/1.1\r\nContent-Length: 99999999999\r\n\r\n", "413"},
                      BadHead{"badLength", "POST / HTTP/1.1\r\nContent-Length: 12x\r\n\r\n", "413"},
                      BadHead{"shortBody", "POST / HTTP/1.1\r\nContent-Length: 10\r\n\r\nabc", ""}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace routersim::test

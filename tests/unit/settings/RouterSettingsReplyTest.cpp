// The BitTorrent and NZB replies of the settings script, and the query of the apply request.
#include <gtest/gtest.h>

#include <string>

#include "platform/DebugLog.h"
#include "settings/RouterSettingsReply.h"
#include "settings/RouterSettingsWrite.h"

namespace fv {
namespace {

RouterBtSettings btOf(std::initializer_list<const char*> v) {
    const auto* p = v.begin();
    RouterBtSettings bt;
    bt.Peer_port = p[0];
    bt.Auth_type = p[1];
    bt.Max_torrent_peer = p[2];
    bt.Max_peer = p[3];
    bt.Enable_dht = p[4];
    bt.Down_limit = p[5];
    bt.Down_rate = p[6];
    bt.Up_limit = p[7];
    bt.Up_rate = p[8];
    bt.Enable_pex = p[9];
    bt.Enable_peer_port = p[10];
    return bt;
}

void expectSame(const RouterBtSettings& a, const RouterBtSettings& b, const std::string& what) {
    EXPECT_EQ(a.Peer_port, b.Peer_port) << what;
    EXPECT_EQ(a.Auth_type, b.Auth_type) << what;
    EXPECT_EQ(a.Max_torrent_peer, b.Max_torrent_peer) << what;
    EXPECT_EQ(a.Max_peer, b.Max_peer) << what;
    EXPECT_EQ(a.Enable_dht, b.Enable_dht) << what;
    EXPECT_EQ(a.Down_limit, b.Down_limit) << what;
    EXPECT_EQ(a.Down_rate, b.Down_rate) << what;
    EXPECT_EQ(a.Up_limit, b.Up_limit) << what;
    EXPECT_EQ(a.Up_rate, b.Up_rate) << what;
    EXPECT_EQ(a.Enable_pex, b.Enable_pex) << what;
    EXPECT_EQ(a.Enable_peer_port, b.Enable_peer_port) << what;
}

TEST(RouterSettingsReply, BitTorrentReplies) {
    const RouterBtSettings before =
        btOf({"p", "a", "mt", "mp", "d", "dl", "dr", "ul", "ur", "x", "e"});
    struct Case {
        const char* reply;
        bool filled;
        RouterBtSettings after;
    };
    const Case cases[] = {
        {R"(["51413","1","60","240","1","0","0","1","100","1","1"])", true,
         btOf({"51413", "1", "60", "240", "1", "0", "0", "1", "100", "1", "1"})},
        // Unquoted items, and text after the first "]" is not part of the list.
        {"[1,2,3,4,5,6,7,8,9,10,11]\n[a,b]", true,
         btOf({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"})},
        // An empty eleventh item is the switch turned off.
        {R"(["1","2","3","4","5","6","7","8","9","10",""])", true,
         btOf({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "0"})},
        {"[1,2,3,4,5,6,7,8,9,10,]", true,
         btOf({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "0"})},
        // A quoted item keeps its commas and blanks.
        {R"(["6881","a, b c","3","4","5","6","7","8","9","10","11"])", true,
         btOf({"6881", "a, b c", "3", "4", "5", "6", "7", "8", "9", "10", "11"})},
        // Ten items: the record keeps what it had.
        {R"(["1","2","3","4","5","6","7","8","9","10"])", false, before},
        // A blank splits an unquoted item, which counts towards the eleven.
        {"[1 2,3,4,5,6,7,8,9,10,11]", true,
         btOf({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"})},
        // The list ends at the first "]", even inside quotes.
        {R"(["1","2","3","4","5]","6","7","8","9","10","11"])", false, before},
        {"", false, before},
        {"[", false, before},
        {"]", false, before},
        {"ERROR\n", false, before},
    };
    for (const Case& c : cases) {
        RouterBtSettings bt = before;
        EXPECT_EQ(parseBtReply(c.reply, bt), c.filled) << c.reply;
        expectSame(bt, c.after, c.reply);
    }
}

TEST(RouterSettingsReply, BitTorrentParseIsLogged) {
    LogCapture log;
    RouterBtSettings bt;
    parseBtReply("[1,2]", bt);
    EXPECT_TRUE(log.contains("ParseBTReturnText()"));
    EXPECT_FALSE(log.contains("ParseBTReturnText()-end"));
    parseBtReply("[1,2,3,4,5,6,7,8,9,10,11]", bt);
    EXPECT_TRUE(log.contains("ParseBTReturnText()-end"));
}

TEST(RouterSettingsReply, NzbReplies) {
    RouterNzbSettings before;
    before.Host = "old.example.org";
    before.Password = "keep-me";
    struct Case {
        const char* reply;
        bool filled;
        const char* host;
        const char* port;
        const char* encryption;
        const char* user;
        const char* password;
        const char* connections;
        const char* rate;
    };
    const Case cases[] = {
        {R"(["news.example.net","563","yes","reader","usenet-secret","8","0"])", true,
         "news.example.net", "563", "yes", "reader", "usenet-secret", "8", "0"},
        {R"(["h","119","no","u","p&ss=w#rd %+ x","4","250"])", true, "h", "119", "no", "u",
         "p&ss=w#rd %+ x", "4", "250"},
        {R"(["h","119","no","u","a,""b""","4","250"])", true, "h", "119", "no", "u", "a,\"b\"", "4",
         "250"},
        {R"(["h","119","no","u","p","4"])", false, "old.example.org", "", "", "", "keep-me", "",
         ""},
        {"", false, "old.example.org", "", "", "", "keep-me", "", ""},
    };
    for (const Case& c : cases) {
        RouterNzbSettings nzb = before;
        EXPECT_EQ(parseNzbReply(c.reply, nzb), c.filled) << c.reply;
        EXPECT_EQ(nzb.Host, c.host) << c.reply;
        EXPECT_EQ(nzb.Port, c.port) << c.reply;
        EXPECT_EQ(nzb.Encryption, c.encryption) << c.reply;
        EXPECT_EQ(nzb.Username, c.user) << c.reply;
        EXPECT_EQ(nzb.Password, c.password) << c.reply;
        EXPECT_EQ(nzb.Connections, c.connections) << c.reply;
        EXPECT_EQ(nzb.DownloadRate, c.rate) << c.reply;
    }
}

TEST(RouterSettingsReply, NzbPasswordNeverReachesTheLog) {
    LogCapture log;
    RouterNzbSettings nzb;
    ASSERT_TRUE(parseNzbReply(R"(["h","119","no","u","Zq9-router-pw","4","0"])", nzb));
    DebugLog::write("a line that carries Zq9-router-pw by accident");
    EXPECT_FALSE(log.contains("Zq9-router-pw"));
    EXPECT_TRUE(log.contains("ParseNZBReturnText()-end"));
}

TEST(RouterSettingsWriteQuery, ValuesAreEncoded) {
    const struct {
        QString value;
        const char* encoded;
    } cases[] = {
        {"500", "500"},
        {"news.example.net", "news.example.net"},
        {"a-b_c.d~e", "a-b_c.d~e"},
        {"p&ss=w#rd %+ x", "p%26ss%3Dw%23rd%20%25%2B%20x"},
        {"a/b?c", "a%2Fb%3Fc"},
        {QString::fromUtf8("Grüße"), "Gr%C3%BC%C3%9Fe"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(encodeQueryValue(c.value), c.encoded) << c.value.toStdString();
}

TEST(RouterSettingsWriteQuery, PathsCarryEveryFieldInOrder) {
    RouterBtSettings bt = btOf({"6881", "1", "60", "240", "1", "0", "500", "1", "100", "0", "1"});
    bt.peer_port_change = "0";
    bt.bt_port_tmp = "6881";
    bt.Select_port = "1";
    RouterNzbSettings nzb;
    nzb.Host = "news.example.net";
    nzb.Port = "563";
    nzb.DownloadRate = "0";
    nzb.Encryption = "yes";
    nzb.Username = "reader";
    nzb.Password = "a&b";
    nzb.Connections = "8";
    EXPECT_EQ(RouterSettingsWrite::applyPath(1, bt, nzb, "&t=3"),
              "//ferrovane//fv_apply.cgi?action_mode=FV_APPLY&download_type=BT"
              "&Enable_peer_port=1&peer_port_change=0&bt_port_tmp=6881&Select_port=1"
              "&Peer_port=6881&Down_limit=0&Down_rate=500&Up_limit=1&Up_rate=100&Auth_type=1"
              "&Max_torrent_peer=60&Max_peer=240&Enable_dht=1&Enable_pex=0&t=3");
    EXPECT_EQ(RouterSettingsWrite::applyPath(2, bt, nzb, "&t=3"),
              "//ferrovane//fv_apply.cgi?action_mode=FV_APPLY&download_type=NZB"
              "&Server1.Host=news.example.net&Server1.Port=563&DownloadRate=0"
              "&Server1.Encryption=yes&Server1.Username=reader&Server1.Password=a%26b"
              "&Server1.Connections=8&t=3");
    const std::string masked = RouterSettingsWrite::applyPath(2, bt, nzb, "&t=3", true);
    EXPECT_NE(masked.find("Server1.Password=****&"), std::string::npos) << masked;
    EXPECT_EQ(masked.find("a%26b"), std::string::npos) << masked;
    EXPECT_EQ(RouterSettingsWrite::applyPath(0, bt, nzb, "&t=3"), "");
    EXPECT_EQ(RouterSettingsWrite::applyPath(3, bt, nzb, "&t=3"), "");
}

}  // namespace
}  // namespace fv

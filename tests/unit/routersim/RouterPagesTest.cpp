// The application list on the standard web port and over TLS, share links and the update server.
#include <openssl/evp.h>

#include "SimFixture.h"
#include "WireText.h"

namespace routersim::test {
namespace {

class RouterPages : public SimFixture {
  protected:
    std::vector<std::string> lines(const std::string& body) {
        std::vector<std::string> out;
        std::size_t pos = 0;
        while (pos < body.size()) {
            auto end = body.find('\n', pos);
            if (end == std::string::npos)
                end = body.size();
            out.push_back(body.substr(pos, end - pos));
            pos = end + 1;
        }
        return out;
    }
    // The last line containing `key`, as a reader of the page picks it.
    std::string lastLineWith(const std::string& body, const std::string& key) {
        std::string found;
        for (const auto& l : lines(body)) {
            if (l.find(key) != std::string::npos)
                found = l;
        }
        return found;
    }
    std::string portByPosition(const std::string& line) {
        return line.size() < 20 ? std::string() : line.substr(18, line.size() - 20);
    }
};

TEST_F(RouterPages, AppListNamesServiceVersionFlagsAndPort) {
    const auto reply = fetch(port(Listener::Web), buildRequest("GET", "/update_applist.asp"));
    EXPECT_EQ(reply.statusLine, "HTTP/1.1 200 OK");
    EXPECT_EQ(lastLineWith(reply.body, "ferrovane"),
              "[\"ferrovane\",\"2.110\",\"Download Service\",\"yes\",\"yes\"]");
    EXPECT_EQ(portByPosition(lastLineWith(reply.body, "apps_http_port")), std::to_string(port()));
}

struct ServiceState {
    const char* label;
    bool installed;
    bool enabled;
    const char* version;
    const char* line;
    bool port;
};

class AppListState : public RouterPages, public ::testing::WithParamInterface<ServiceState> {};

TEST_P(AppListState, FollowsTheRouter) {
    const auto& c = GetParam();
    sim->profile().update([&](RouterFacts& f) {
        f.serviceInstalled = c.installed;
        f.serviceEnabled = c.enabled;
        f.serviceVersion = c.version;
    });
    const auto body = fetch(port(Listener::Web), buildRequest("GET", "/update_applist.asp")).body;
    EXPECT_EQ(lastLineWith(body, "ferrovane"), c.line);
    EXPECT_EQ(portByPosition(lastLineWith(body, "apps_http_port")),
              c.port ? std::to_string(port()) : "");
}

INSTANTIATE_TEST_SUITE_P(
    States, AppListState,
    ::testing::Values(
        ServiceState{"running", true, true, "2.104",
                     "[\"ferrovane\",\"2.104\",\"Download Service\",\"yes\",\"yes\"]", true},
        ServiceState{"disabled", true, false, "2.103",
                     "[\"ferrovane\",\"2.103\",\"Download Service\",\"yes\",\"no\"]", false},
        ServiceState{"notInstalled", false, true, "2.110",
                     "[\"ferrovane\",\"2.110\",\"Download Service\",\"no\",\"no\"]", false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(RouterPages, AppListOverTlsUsesTheSelfSignedCertificate) {
    const auto raw =
        exchange(port(Listener::Auth), buildRequest("GET", "/update_applist.asp"), true);
    ASSERT_TRUE(raw.connected);
    EXPECT_EQ(raw.peerCertificatePem, sim->certificatePem());
    EXPECT_NE(raw.peerCertificatePem.find("BEGIN CERTIFICATE"), std::string::npos);
    const auto reply = parseReply(raw.bytes);
    EXPECT_EQ(reply.statusLine, "HTTP/1.1 200 OK");
    EXPECT_NE(lastLineWith(reply.body, "ferrovane"), "");
}

TEST_F(RouterPages, PlainHttpOnTheTlsPortGetsNoPage) {
    const auto raw =
        exchange(port(Listener::Auth), buildRequest("GET", "/update_applist.asp"), false, 1000);
    EXPECT_EQ(raw.bytes.find("ferrovane"), std::string::npos);
}

std::string shareLinkRequest(const std::string& user, const std::string& password) {
    return "GSL /KR-AX3000/sda1/Download2 HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-type: text/xml\r\n"
           "Authorization: Basic " +
           base64Encode(user + ":" + password) +
           "\r\nURL: /KR-AX3000/sda1/Download2\r\nFILENAME: Complete\r\nEXPIRE: 300\r\nTOSHARE: "
           "1\r\n\r\n\r\n\r\n";
}

std::string linkIn(const std::string& text) {
    const auto open = text.find("<sharelink>");
    if (open == std::string::npos)
        return {};
    const auto close = text.find("</sharelink>", open);
    return close == std::string::npos ? std::string() : text.substr(open + 11, close - open - 11);
}

TEST_F(RouterPages, ShareLinkAnswersALinkLineAndRemembersTheFolder) {
    const auto raw = exchange(port(Listener::ShareLink), shareLinkRequest(kUser, kPassword), true);
    const std::string link = linkIn(raw.bytes);
    ASSERT_FALSE(link.empty()) << raw.bytes;
    EXPECT_NE(raw.bytes.find("\r\n<sharelink>" + link + "</sharelink>\r\n"), std::string::npos);
    const auto links = sim->shareLinks().links();
    ASSERT_EQ(links.count(link), 1u);
    EXPECT_EQ(links.at(link).url, "/KR-AX3000/sda1/Download2");
    EXPECT_EQ(links.at(link).fileName, "Complete");
    EXPECT_EQ(sim->requests().back().method, "GSL");
}

TEST_F(RouterPages, ShareLinkWithAWrongAccountHasNoLink) {
    const auto raw = exchange(port(Listener::ShareLink), shareLinkRequest(kUser, "wrong"), true);
    EXPECT_EQ(linkIn(raw.bytes), "");
    EXPECT_EQ(statusCode(parseReply(raw.bytes)), "401");
}

TEST_F(RouterPages, ShareLinkGracefulCloseSendsNothing) {
    Faults f;
    f.closeWithoutReply = true;
    sim->faults(Listener::ShareLink).set(f);
    const auto raw = exchange(port(Listener::ShareLink), shareLinkRequest(kUser, kPassword), true);
    EXPECT_TRUE(raw.connected);
    EXPECT_TRUE(raw.bytes.empty());
    EXPECT_EQ(raw.error, 0);  // an orderly TLS close, not a reset
    EXPECT_TRUE(sim->shareLinks().links().empty());
}

struct UpdateFile {
    const char* label;
    std::string path;
    const char* status;
    const char* starts;
};

class UpdateFiles : public RouterPages, public ::testing::WithParamInterface<UpdateFile> {};

TEST_P(UpdateFiles, AreServedOverTls) {
    sim->updates().setVersion("2.2.3.4");
    const auto reply = parseReply(
        exchange(port(Listener::Update), buildRequest("GET", GetParam().path), true).bytes);
    EXPECT_EQ(statusCode(reply), GetParam().status);
    EXPECT_TRUE(reply.body.starts_with(GetParam().starts)) << reply.body.substr(0, 40);
}

// The checksum beside the package is sha256sum's line for the bytes the package path serves.
TEST_F(RouterPages, TheChecksumNamesThePackagesBytes) {
    sim->updates().setVersion("2.2.3.4");
    const std::string files = "/pub/KOVA/wireless/Polaros/ferrovane_2.2.3.4_amd64.deb";
    const auto package =
        parseReply(exchange(port(Listener::Update), buildRequest("GET", files), true).bytes);
    const auto sum = parseReply(
        exchange(port(Listener::Update), buildRequest("GET", files + ".sha256"), true).bytes);
    ASSERT_EQ(package.body, sim->updates().packageBytes());
    unsigned char digest[32];
    unsigned int length = 0;
    EVP_Digest(package.body.data(), package.body.size(), digest, &length, EVP_sha256(), nullptr);
    std::string hex;
    for (unsigned char b : digest) {
        static const char* const kHex = "0123456789abcdef";
        hex += kHex[b >> 4];
        hex += kHex[b & 15];
    }
    EXPECT_EQ(sum.body, hex + "  ferrovane_2.2.3.4_amd64.deb\n");
    sim->updates().setChecksumWrong(true);
    const auto wrong = parseReply(
        exchange(port(Listener::Update), buildRequest("GET", files + ".sha256"), true).bytes);
    EXPECT_NE(wrong.body.substr(0, 64), hex);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, UpdateFiles,
    ::testing::Values(
        UpdateFile{"versionInfo", "/pub/KOVA/Freshpost/Release/Wireless/FV_update_v22.zip", "200",
                   "FV22#V12234#"},
        UpdateFile{"noteCht", "/pub/KOVA/wireless/Polaros/FV_2234_CHT_note.zip", "200",
                   "PK\x03\x04"},
        UpdateFile{"noteChs", "/pub/KOVA/wireless/Polaros/FV_2234_CHS_note.zip", "200",
                   "PK\x03\x04"},
        UpdateFile{"package", "/pub/KOVA/wireless/Polaros/ferrovane_2.2.3.4_amd64.deb", "200",
                   "!<arch>\n"},
        UpdateFile{"checksum", "/pub/KOVA/wireless/Polaros/ferrovane_2.2.3.4_amd64.deb.sha256",
                   "200", ""},
        UpdateFile{"windowsInstaller", "/pub/KOVA/wireless/Polaros/FV_2234_un.zip", "404",
                   "<html>"},
        UpdateFile{"otherVersion", "/pub/KOVA/wireless/Polaros/ferrovane_2.2.3.3_amd64.deb", "404",
                   "<html>"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace routersim::test

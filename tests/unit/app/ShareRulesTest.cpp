// The finished-files rules without a share or a router: the local targets, the share-link
// request's bytes, the reply reader and parser, and the pin file.
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "app/CertificatePins.h"
#include "app/RouterLocalHost.h"
#include "app/ShareLinkReply.h"
#include "app/ShareLinkRequest.h"
#include "app/ShareTarget.h"

namespace fv {
namespace {

TEST(ShareTarget, LocalTargetsFollowStatusChoiceAndFolder) {
    struct Case {
        const char* what;
        const char* folder;
        const char* name;
        const char* host;
        bool finished;
        bool opensFolder;
        const char* url;
        bool shareList;
    };
    const Case cases[] = {
        {"finished, play", "\\Download2\\Complete", "abc", "nas", true, false,
         "smb://nas/Download2/Complete/abc", false},
        {"finished, open folder", "\\Download2\\Complete", "abc", "nas", true, true,
         "smb://nas/Download2/Complete", false},
        {"unfinished, play", "\\Download2\\Complete", "abc", "nas", false, false,
         "smb://nas/Download2/InComplete", false},
        {"unfinished, open folder", "\\Download2\\Complete", "abc", "nas", false, true,
         "smb://nas/Download2/InComplete", false},
        {"deeper folder", "\\usb\\Download2\\Complete", "abc", "nas", false, false,
         "smb://nas/usb/Download2/InComplete", false},
        {"no folder yet: the share list by address", "", "abc", "nas", true, false,
         "smb://192.0.2.1", true},
        {"host with port", "\\Download2\\Complete", "abc", "127.0.0.1:4455", true, false,
         "smb://127.0.0.1:4455/Download2/Complete/abc", false},
        {"escaped name", "\\Download2\\Complete", "a b#?%.mkv", "nas", true, false,
         "smb://nas/Download2/Complete/a%20b%23%3F%25.mkv", false},
        {"non-ASCII name", "\\Download2\\Complete", "é", "nas", true, false,
         "smb://nas/Download2/Complete/%C3%A9", false},
    };
    for (const Case& c : cases) {
        LocalViewInput in;
        in.downloadFolder = QString::fromUtf8(c.folder);
        in.taskName = QString::fromUtf8(c.name);
        in.localHost = c.host;
        in.serverAddress = "192.0.2.1";
        in.finished = c.finished;
        in.opensFolder = c.opensFolder;
        const ShareTarget target = ShareTarget::local(in);
        EXPECT_EQ(target.url.toStdString(), c.url) << c.what;
        EXPECT_EQ(target.shareList, c.shareList) << c.what;
    }
}

TEST(ShareTarget, OnlyTheTwoExactStatusesAreFinished) {
    const std::pair<const char*, bool> cases[] = {
        {"Finished", true},   {"Seeding", true},      {"finished", false}, {"seeding", false},
        {"Finished ", false}, {"Downloading", false}, {"", false},         {"Paused", false}};
    for (auto [status, finished] : cases)
        EXPECT_EQ(ShareTarget::isFinished(status), finished) << status;
}

TEST(RouterLocalHost, TheConfiguredHostWinsOverTheServerAddress) {
    EXPECT_EQ(RouterLocalHost::effective("", " 192.0.2.7 "), "192.0.2.7");
    EXPECT_EQ(RouterLocalHost::effective("  ", "192.0.2.7"), "192.0.2.7");
    EXPECT_EQ(RouterLocalHost::effective(" router.lan ", "192.0.2.7"), "router.lan");
}

TEST(ShareLinkRequest, TheLinesGoOutByteForByte) {
    struct Case {
        const char* what;
        ShareLinkQuery query;
        std::string bytes;
    };
    const Case cases[] = {
        {"finished",
         {"192.0.2.1", "admin", "admin", "KR-AX3000", "sda1", true},
         "GSL /KR-AX3000/sda1/Download2 HTTP/1.1\r\n"
         "Host: 192.0.2.1\r\n"
         "Content-type: text/xml\r\n"
         "Authorization: Basic YWRtaW46YWRtaW4=\r\n"
         "URL: /KR-AX3000/sda1/Download2\r\n"
         "FILENAME: Complete\r\n"
         "EXPIRE: 300\r\n"
         "TOSHARE: 1\r\n\r\n\r\n\r\n"},
        {"unfinished, name with blanks trimmed and escaped",
         {"router.example", "u", "p:w", " My Router", "sdb2", false},
         "GSL /My%20Router/sdb2/Download2 HTTP/1.1\r\n"
         "Host: router.example\r\n"
         "Content-type: text/xml\r\n"
         "Authorization: Basic dTpwOnc=\r\n"
         "URL: /My%20Router/sdb2/Download2\r\n"
         "FILENAME: InComplete\r\n"
         "EXPIRE: 300\r\n"
         "TOSHARE: 1\r\n\r\n\r\n\r\n"},
        {"nothing read yet",
         {"192.0.2.1", "admin", "", "", "", true},
         "GSL ///Download2 HTTP/1.1\r\n"
         "Host: 192.0.2.1\r\n"
         "Content-type: text/xml\r\n"
         "Authorization: Basic YWRtaW46\r\n"
         "URL: ///Download2\r\n"
         "FILENAME: Complete\r\n"
         "EXPIRE: 300\r\n"
         "TOSHARE: 1\r\n\r\n\r\n\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShareLinkRequest::bytes(c.query), c.bytes) << c.what;
}

TEST(ShareLinkReply, TheReaderKeepsOnlyLinesWithTheOpeningTag) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"HTTP/1.1 200 OK\r\n\r\n<sharelink>abc</sharelink>\r\n", "<sharelink>abc</sharelink>"},
        {"<sharelink>a</sharelink>\n<x>\n<sharelink>b", "<sharelink>a</sharelink><sharelink>b"},
        {"</sharelink>\r\nabc", ""},
        {"no line end <sharelink>z</sharelink>", "no line end <sharelink>z</sharelink>"},
        {std::string("\0<sharelink>\0</sharelink>\r\n", 27),
         std::string("\0<sharelink>\0</sharelink>", 25)},
    };
    for (const auto& [received, collected] : cases)
        EXPECT_EQ(collectShareLinkLines(received), collected) << received;
}

TEST(ShareLinkReply, TheLinkIsBetweenTheFirstTagsPair) {
    const std::pair<std::string, std::string> cases[] = {
        {"<sharelink>abc</sharelink>", "abc"},
        {"<result><sharelink>share.cgi?ssid=1</sharelink></result>", "share.cgi?ssid=1"},
        {"<sharelink>a</sharelink><sharelink>b</sharelink>", "a"},
        {"<sharelink></sharelink>", ""},
        {"<sharelink>abc", ""},
        {"</sharelink>x<sharelink>y</sharelink>", "y"},
        {"<SHARELINK>abc</SHARELINK>", ""},
        {"abc", ""},
        {"", ""},
    };
    for (const auto& [text, link] : cases)
        EXPECT_EQ(parseWebDavShareLink(text), link) << text;
}

TEST(CertificatePins, PinsArePerRouterAndPrivateToTheUser) {
    test::ScratchDir dir;
    const QString path = CertificatePins::besideSettings(dir.file("FVSetup.xml"));
    EXPECT_EQ(path, dir.file("FVSharePins.txt"));
    CertificatePins pins(path);
    const QString a = CertificatePins::routerKey(" Router.LAN ", "443");
    const QString b = CertificatePins::routerKey("router.lan", "8443");
    EXPECT_EQ(a, "router.lan:443");
    EXPECT_FALSE(pins.pinFor(a));
    ASSERT_TRUE(pins.remember(a, "pinA"));
    ASSERT_TRUE(pins.remember(b, "pinB"));
    EXPECT_EQ(CertificatePins(path).pinFor(a), "pinA");
    EXPECT_EQ(CertificatePins(path).pinFor(b), "pinB");
    EXPECT_EQ(QFileInfo(path).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther |
                                               QFileDevice::WriteGroup | QFileDevice::WriteOther),
              QFileDevice::Permissions());
}

TEST(CertificatePins, AGarbledFileKnowsNoRouter) {
    test::ScratchDir dir;
    const QString path = dir.file("FVSharePins.txt");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const char garbled[] = "\tnokey\nonlykey\n\xff\xfe\n";
    f.write(QByteArray(garbled, sizeof garbled - 1));
    f.close();
    CertificatePins pins(path);
    EXPECT_FALSE(pins.pinFor("onlykey"));
    EXPECT_FALSE(pins.pinFor(""));
}

}  // namespace
}  // namespace fv

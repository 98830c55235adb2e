// Damaged and hostile input: every listener and reader must refuse it and carry on.
#include <random>

#include "BencodeReader.h"
#include "MultipartReader.h"
#include "SimFixture.h"

namespace routersim::test {
namespace {

const std::string kTorrent =
    "d8:announce21:http://tracker.test/"
    "a4:infod5:filesld6:lengthi100e4:pathl3:cd15:a.txteed6:lengthi250e"
    "4:pathl5:b.bineee4:name5:album12:piece lengthi16384e6:pieces20:bbbbbbbbbbbbbbbbbbbbee";

TEST(HostileTorrent, EveryTruncationAndByteFlipIsRefusedOrSane) {
    ASSERT_TRUE(readTorrent(kTorrent));
    std::vector<std::string> variants;
    for (std::size_t n = 0; n < kTorrent.size(); ++n)
        variants.push_back(kTorrent.substr(0, n));
    for (std::size_t i = 0; i < kTorrent.size(); ++i) {
        for (char c : {'\0', 'e', 'd', 'l', 'i', ':', '9', '-', '\xff'}) {
            std::string v = kTorrent;
            v[i] = c;
            variants.push_back(v);
        }
    }
    int accepted = 0;
    for (const auto& v : variants) {
        const auto info = readTorrent(v);
        if (!info)
            continue;
        ++accepted;
        EXPECT_FALSE(info->name.empty());
        EXPECT_FALSE(info->files.empty());
        EXPECT_GE(info->totalLength(), 0);
        EXPECT_EQ(info->infoHashHex.size(), 40u);
    }
    EXPECT_LT(accepted, static_cast<int>(variants.size()));  // the damage was noticed somewhere
}

TEST(HostileMultipart, RandomBytesNeverReadOutOfBounds) {
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::string alphabet = "-\r\nb";
    for (int round = 0; round < 2000; ++round) {
        std::string body;
        const int length = round % 64;
        for (int i = 0; i < length; ++i) {
            body.push_back(round % 2 ? alphabet[byte(random) % alphabet.size()]
                                     : static_cast<char>(byte(random)));
        }
        const auto parts = readMultipart("multipart/form-data; boundary=b", body);
        if (parts) {
            for (const auto& p : *parts)
                EXPECT_LE(p.data.size(), body.size());
        }
    }
}

struct Garbage {
    const char* label;
    std::string bytes;
};

class HostileListener : public SimFixture, public ::testing::WithParamInterface<Garbage> {};

TEST_P(HostileListener, RefusesAndKeepsServing) {
    for (Listener which : {Listener::Service, Listener::Web, Listener::Auth, Listener::ShareLink,
                           Listener::Update}) {
        const bool tls =
            which == Listener::Auth || which == Listener::ShareLink || which == Listener::Update;
        exchange(port(which), GetParam().bytes, tls, 150);
    }
    EXPECT_EQ(statusCode(get("/")), "200");
    EXPECT_EQ(
        statusCode(fetch(port(Listener::Auth), buildRequest("GET", "/update_applist.asp"), true)),
        "200");
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, HostileListener,
    ::testing::Values(
        Garbage{"binary", std::string("\x16\x03\x01\x00\xff\x00\x00garbage", 14)},
        Garbage{"nulInHead", std::string("GET /\0 HTTP/1.1\r\n\r\n", 20)},
        Garbage{"endlessHeader", "GET / HTTP/1.1\r\nX: " + std::string(70000, 'a')},
        Garbage{"onlyNewlines", std::string(1000, '\n')},
        Garbage{"hugeChunk",
                "POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\nffffffffffff\r\n"},
        Garbage{"badChunk", "POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace routersim::test

// The simulator's own readers of untrusted bytes: torrents, multipart bodies, Base64, escapes.
#include <gtest/gtest.h>

#include "BencodeReader.h"
#include "MultipartReader.h"
#include "RequestParser.h"
#include "WireText.h"

namespace routersim {
namespace {

const std::string kSingle = "d4:infod6:lengthi42e4:name5:x.iso12:piece lengthi16e6:pieces0:ee";

TEST(BencodeReader, SingleFileTorrentGivesNameSizeAndHash) {
    const auto info = readTorrent(kSingle);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->name, "x.iso");
    ASSERT_EQ(info->files.size(), 1u);
    EXPECT_EQ(info->files[0].path, "x.iso");
    EXPECT_EQ(info->totalLength(), 42);
    // SHA-1 of the info dictionary's own bytes (computed independently with Python's hashlib).
    EXPECT_EQ(info->infoHashHex, "5360916a9c7c474ec449fed73c75070720003efd");
}

TEST(BencodeReader, HashDependsOnlyOnTheInfoDictionary) {
    const auto a = readTorrent(kSingle);
    const auto b = readTorrent("d8:announce3:xyz" + kSingle.substr(1));
    const auto c = readTorrent("d4:infod6:lengthi43e4:name5:x.iso12:piece lengthi16e6:pieces0:ee");
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->infoHashHex, b->infoHashHex);
    EXPECT_NE(a->infoHashHex, c->infoHashHex);
}

struct Damaged {
    const char* label;
    std::string bytes;
};

class DamagedTorrent : public ::testing::TestWithParam<Damaged> {};

TEST_P(DamagedTorrent, IsRefused) {
    EXPECT_FALSE(readTorrent(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, DamagedTorrent,
    ::testing::Values(
        Damaged{"empty", ""}, Damaged{"notADictionary", "l4:infoe"},
        Damaged{"noInfo", "d8:announce3:xyze"},
        Damaged{"truncated", kSingle.substr(0, kSingle.size() - 3)},
        Damaged{"stringPastEnd", "d4:infod4:name999:xee"},
        Damaged{"hugeStringLength", "d4:infod4:name99999999999999999999:xee"},
        Damaged{"negativeLength", "d4:infod6:lengthi-5e4:name1:xee"},
        Damaged{"noLength", "d4:infod4:name1:xee"},
        Damaged{"emptyName", "d4:infod6:lengthi1e4:name0:ee"},
        Damaged{"integerWithoutDigits", "d4:infod6:lengthie4:name1:xee"},
        Damaged{"fileWithBadPath", "d4:infod5:filesld6:lengthi1e4:pathi3eee4:name1:xee"},
        Damaged{"deepNesting", "d4:junk" + std::string(5000, 'l') + std::string(5000, 'e') +
                                   "4:infod6:lengthi1e4:name1:xee"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(MultipartReader, ReadsPartsWithNamesTypesAndBinaryData) {
    const std::string data("\x00\r\n--x\x01", 7);
    const std::string body =
        "--AaB03x\r\nContent-Disposition: form-data; name=\"other\"\r\n\r\nv\r\n"
        "--AaB03x\r\nContent-Disposition: form-data; name=\"filename\"; filename=\"1.torrent\"\r\n"
        "Content-Type: application/x-bittorrent\r\n\r\n" +
        data + "\r\n--AaB03x--\r\n";
    const auto parts = readMultipart("multipart/form-data; boundary=AaB03x", body);
    ASSERT_TRUE(parts);
    ASSERT_EQ(parts->size(), 2u);
    EXPECT_EQ((*parts)[0].name, "other");
    EXPECT_EQ((*parts)[0].data, "v");
    EXPECT_EQ((*parts)[1].name, "filename");
    EXPECT_EQ((*parts)[1].fileName, "1.torrent");
    EXPECT_EQ((*parts)[1].contentType, "application/x-bittorrent");
    EXPECT_EQ((*parts)[1].data, data);
}

class BrokenMultipart : public ::testing::TestWithParam<Damaged> {};

TEST_P(BrokenMultipart, IsRefused) {
    EXPECT_FALSE(readMultipart("multipart/form-data; boundary=\"b\"", GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, BrokenMultipart,
    ::testing::Values(Damaged{"empty", ""}, Damaged{"noDelimiter", "hello"},
                      Damaged{"noPartHead", "--b\r\nContent-Type: x"},
                      Damaged{"unterminatedPart", "--b\r\nContent-Type: x\r\n\r\ndata without end"},
                      Damaged{"garbageAfterDelimiter", "--bxyz"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(MultipartReader, NeedsABoundary) {
    EXPECT_FALSE(readMultipart("multipart/form-data", "--\r\n"));
}

struct Base64Case {
    std::string plain;
    std::string encoded;
};

class Base64 : public ::testing::TestWithParam<Base64Case> {};

TEST_P(Base64, EncodesAndDecodesBothWays) {
    EXPECT_EQ(base64Encode(GetParam().plain), GetParam().encoded);
    EXPECT_EQ(base64Decode(GetParam().encoded), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(Vectors, Base64,
                         ::testing::Values(Base64Case{"", ""}, Base64Case{"f", "Zg=="},
                                           Base64Case{"fo", "Zm8="}, Base64Case{"foo", "Zm9v"},
                                           Base64Case{"foobar", "Zm9vYmFy"},
                                           Base64Case{"\xfb\xff", "+/8="}));

TEST(Base64, RefusesMalformedText) {
    for (const char* bad : {"Zg=", "Z===", "Zg==Zg==", "Zm9*", "=Zm9"})
        EXPECT_FALSE(base64Decode(bad)) << bad;
}

TEST(WireText, PercentDecodeKeepsPlusAndBrokenEscapes) {
    EXPECT_EQ(percentDecode("a%26b%3d+%zz%4"), "a&b=+%zz%4");
    EXPECT_EQ(percentDecode("%"), "%");
}

TEST(WireText, QuerySplitKeepsOrderAndDecodes) {
    const auto params = splitQuery("a=1&b=%2F&&c&a=2");
    EXPECT_EQ(params, (Params{{"a", "1"}, {"b", "/"}, {"c", ""}, {"a", "2"}}));
    EXPECT_EQ(paramValue(params, "a"), "1");
    EXPECT_FALSE(paramValue(params, "z"));
}

TEST(RequestParser, KeepsTargetVerbatimAndHeadersInOrder) {
    const auto r = parseRequestHead("GET //ferrovane//x.cgi?a=1 HTTP/1.1\r\nB: 2\r\nA:1\r\n\r\n");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->target, "//ferrovane//x.cgi?a=1");
    EXPECT_EQ(r->routePath(), "/ferrovane/x.cgi");
    EXPECT_EQ(r->query(), "a=1");
    EXPECT_EQ(r->headers,
              (std::vector<std::pair<std::string, std::string>>{{"B", "2"}, {"A", "1"}}));
    EXPECT_EQ(r->header("b"), "2");
}

}  // namespace
}  // namespace routersim

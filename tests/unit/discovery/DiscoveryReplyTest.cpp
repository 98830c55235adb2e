// Which replies become rows of the discovered-router table, and what each row's cells hold.
#include <gtest/gtest.h>

#include <functional>

#include "ReplyBytes.h"
#include "discovery/DiscoveredRouterTable.h"
#include "discovery/DiscoveryReply.h"
#include "discovery/DiscoveryReplyHandler.h"
#include "discovery/DiscoveryRequest.h"
#include "platform/DebugLog.h"

namespace fv {
namespace {

using test::ReplyBytes;

TEST(DiscoveryRequest, IsTheFixed512ByteRequest) {
    const QByteArray r = discoveryRequest();
    ASSERT_EQ(r.size(), 512);
    EXPECT_EQ(r.left(4), QByteArray("\x0C\x15\x1F\x00", 4));
    EXPECT_EQ(r.mid(4).count('\0'), 508);
}

struct ParseCase {
    const char* name;
    std::function<void(ReplyBytes&)> shape;
    ReplyParse result;
};

TEST(DiscoveryReplyParse, ResultCodeFollowsHeaderMagicAndFlags) {
    const ParseCase cases[] = {
        {"valid extension", [](ReplyBytes&) {}, ReplyParse::WithExtension},
        {"flags bit 4 too", [](ReplyBytes& r) { r.flags = 0x0011; },
         ReplyParse::WithExtensionFlag4},
        {"other flag bits only count with bit 0", [](ReplyBytes& r) { r.flags = 0xFFFE; },
         ReplyParse::InfoOnly},
        {"wrong magic", [](ReplyBytes& r) { r.magic = 0x8280; }, ReplyParse::InfoOnly},
        {"request, not reply", [](ReplyBytes& r) { r.header[1] = 0x15; },
         ReplyParse::HeaderMismatch},
        {"other service", [](ReplyBytes& r) { r.header[0] = 0x0D; }, ReplyParse::HeaderMismatch},
        {"operation high byte", [](ReplyBytes& r) { r.header[3] = 0x01; },
         ReplyParse::HeaderMismatch},
        {"header only: the rest reads as zero", [](ReplyBytes& r) { r.size = 4; },
         ReplyParse::InfoOnly},
        {"empty datagram", [](ReplyBytes& r) { r.size = 0; }, ReplyParse::HeaderMismatch},
        {"longer than 512 bytes", [](ReplyBytes& r) { r.size = 1400; }, ReplyParse::WithExtension},
    };
    for (const ParseCase& c : cases) {
        ReplyBytes r;
        c.shape(r);
        EXPECT_EQ(parseDiscoveryReply(r.bytes()).result, c.result) << c.name;
    }
}

TEST(DiscoveryReplyParse, ExtensionBlockReadsAsZeroWhenItDoesNotCount) {
    ReplyBytes r;
    r.magic = 0x1234;
    r.ddns = "router.example";
    const DiscoveryReply reply = parseDiscoveryReply(r.bytes());
    EXPECT_EQ(reply.extension, ExtensionBlock{});
    EXPECT_EQ(reply.info[info_block::kProductId], 'K');
}

struct RowCase {
    const char* name;
    std::function<void(ReplyBytes&)> shape;
    std::function<void(const DiscoveredRouter&)> check;
};

TEST(DiscoveredRouterRow, CellsAreConvertedFromTheReply) {
    const RowCase cases[] = {
        {"plain reply", [](ReplyBytes&) {},
         [](const DiscoveredRouter& row) {
             EXPECT_EQ(row.device, "KR-AX3000");
             EXPECT_EQ(row.ssid, "HOME");
             EXPECT_EQ(row.ipAddress, "192.0.2.7");
             EXPECT_EQ(row.subnetMask, "255.255.255.0");
             EXPECT_EQ(row.macAddress, "00:1A:2B:3C:4D:5E");
             EXPECT_EQ(row.webDavHttpPort, "8082");      // bytes 1F 92
             EXPECT_EQ(row.webDavWanIp, "192.168.1.1");  // bytes 01 01 A8 C0
             EXPECT_EQ(row.webDavHttpsPort, "443");
             EXPECT_EQ(row.fvPort, "");
         }},
        {"no extension: zeros",
         [](ReplyBytes& r) {
             r.magic = 0;
             r.ddns = "ignored";
         },
         [](const DiscoveredRouter& row) {
             EXPECT_EQ(row.ddnsName, "");
             EXPECT_EQ(row.webDavHttpPort, "0");
             EXPECT_EQ(row.webDavHttpsPort, "0");
             EXPECT_EQ(row.webDavWanIp, "0.0.0.0");
         }},
        {"ports are unsigned, high byte first",
         [](ReplyBytes& r) {
             r.httpPort = {0xFF, 0xFE};
         },
         [](const DiscoveredRouter& row) { EXPECT_EQ(row.webDavHttpPort, "65534"); }},
        {"printer with !$ keeps what follows its first $",
         [](ReplyBytes& r) { r.printer = "HP$LaserJet!$ 1020"; },
         [](const DiscoveredRouter& row) { EXPECT_EQ(row.printer, "LaserJet!$ 1020"); }},
        {"printer with line feeds loses only them",
         [](ReplyBytes& r) { r.printer = "Laser\nJet\r\n 1020$"; },
         [](const DiscoveredRouter& row) { EXPECT_EQ(row.printer, "LaserJet\r 1020$"); }},
        {"all-zero MAC: empty cell, DDNS in its own column",
         [](ReplyBytes& r) {
             r.mac = {};
             r.ddns = "abc.example";
         },
         [](const DiscoveredRouter& row) {
             EXPECT_EQ(row.macAddress, "");
             EXPECT_EQ(row.ddnsName, "abc.example");
             EXPECT_EQ(row.subItems().at(4), "");
             EXPECT_EQ(row.subItems().at(5), "abc.example");
         }},
        {"texts end at their field even without a NUL",
         [](ReplyBytes& r) {
             r.ssid = std::string(32, 'S');
             r.mask = "255.255.0.0";
         },
         [](const DiscoveredRouter& row) {
             EXPECT_EQ(row.ssid, QString(32, 'S'));
             EXPECT_EQ(row.subnetMask, "255.255.0.0");
         }},
        {"8-bit texts are read as Latin-1", [](ReplyBytes& r) { r.product = "Caf\xE9"; },
         [](const DiscoveredRouter& row) { EXPECT_EQ(row.device, QString::fromUtf8("Café")); }},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.name);
        ReplyBytes r;
        c.shape(r);
        c.check(DiscoveredRouter::fromReply(parseDiscoveryReply(r.bytes()), "192.0.2.7"));
    }
}

TEST(DiscoveredRouterRow, SubItemsKeepTheirPositions) {
    ReplyBytes r;
    r.ddns = "d.example";
    const DiscoveredRouter row = DiscoveredRouter::fromReply(parseDiscoveryReply(r.bytes()), "a");
    const QStringList items = row.subItems();
    ASSERT_EQ(items.size(), 10);
    EXPECT_EQ(items[1], "a");
    EXPECT_EQ(items[4], row.macAddress);
    EXPECT_EQ(items[5], "d.example");
    EXPECT_EQ(DiscoveredRouter::columnTitles().size(), 11);
    EXPECT_EQ(DiscoveredRouter::columnTitles()[2], "IP Address");
}

ReplyBytes router(const std::string& product, std::uint8_t lastMacByte) {
    ReplyBytes r;
    r.product = product;
    r.mac[5] = lastMacByte;
    return r;
}

class ReplyHandling : public ::testing::Test {
  protected:
    bool take(const ReplyBytes& r, const QString& from) { return handler.handle(r.bytes(), from); }
    QStringList devices() const {
        QStringList out;
        for (const auto& row : table.rows())
            out << row.device + "@" + row.ipAddress;
        return out;
    }

    DiscoveredRouterTable table;
    DiscoveryReplyHandler handler{table};
};

TEST_F(ReplyHandling, RowsAreSortedByDeviceName) {
    take(router("Mango", 1), "192.0.2.1");
    take(router("Apple", 2), "192.0.2.2");
    take(router("Zebra", 3), "192.0.2.3");
    take(router("Kiwi", 4), "192.0.2.4");
    EXPECT_EQ(devices(), QStringList({"Apple@192.0.2.2", "Kiwi@192.0.2.4", "Mango@192.0.2.1",
                                      "Zebra@192.0.2.3"}));
}

TEST_F(ReplyHandling, SameMacFromAnotherAddressIsOneRow) {
    EXPECT_TRUE(take(router("A", 1), "192.0.2.1"));
    EXPECT_FALSE(take(router("A", 1), "198.51.100.1"));
    EXPECT_EQ(devices(), QStringList({"A@192.0.2.1"}));
}

TEST_F(ReplyHandling, SameAddressWithAnotherMacIsOneRow) {
    EXPECT_TRUE(take(router("A", 1), "192.0.2.1"));
    EXPECT_FALSE(take(router("B", 2), "192.0.2.1"));
    EXPECT_EQ(devices(), QStringList({"A@192.0.2.1"}));
    // Dropped before it was stored: the same MAC elsewhere still counts as new.
    EXPECT_TRUE(take(router("B", 2), "192.0.2.2"));
}

TEST_F(ReplyHandling, ModeTwoAndAboveAreNeitherListedNorStored) {
    for (std::uint8_t mode : {2, 3, 255}) {
        ReplyBytes r = router("Bridge", 9);
        r.mode = mode;
        EXPECT_FALSE(take(r, "192.0.2.9")) << int(mode);
    }
    EXPECT_EQ(handler.storedCount(), 0);
    ReplyBytes r = router("Bridge", 9);
    r.mode = 1;
    EXPECT_TRUE(take(r, "192.0.2.9"));
}

TEST_F(ReplyHandling, The256thRouterOfASearchIsNotListed) {
    for (int i = 0; i < 256; ++i) {
        ReplyBytes r = router("R", std::uint8_t(i));
        r.mac[4] = std::uint8_t(i >> 8);
        take(r, QStringLiteral("198.18.%1.%2").arg(i / 250).arg(i % 250 + 1));
    }
    EXPECT_EQ(table.count(), 255);
    EXPECT_EQ(handler.storedCount(), 255);
}

TEST_F(ReplyHandling, ClearingTheStoreForgetsTheMacsButNotTheRows) {
    take(router("A", 1), "192.0.2.1");
    handler.clearStore();
    EXPECT_EQ(handler.storedCount(), 0);
    EXPECT_EQ(table.count(), 1);
    table.clear();
    EXPECT_TRUE(take(router("A", 1), "192.0.2.1"));
}

TEST_F(ReplyHandling, LogsTheStepsAndTheWrongHeader) {
    LogCapture log;
    ReplyBytes r = router("KR-1", 1);
    r.ddns = "x.example";
    take(r, "192.0.2.1");
    ReplyBytes bad;
    bad.header[1] = 0x15;
    take(bad, "192.0.2.2");
    const std::vector<std::string> expected = {
        "process_UNPACK_GET_INFO - 0",
        "Router IP : 192.0.2.1",
        "process_UNPACK_GET_INFO - productId:KR-1",
        "process_UNPACK_GET_INFO - GetDDNS, DDNS=[x.example]",
        "process_UNPACK_GET_INFO - getHttpPort:8082",
        "process_UNPACK_GET_INFO - 0",
        "responseUnpackGetInfo ERROR"};
    EXPECT_EQ(log.lines(), expected);
}

TEST(DiscoveredRouterTable, FirstWithAddressFollowsTableOrder) {
    DiscoveredRouterTable table;
    DiscoveredRouter b, a;
    b.device = "B";
    a.device = "A";
    a.ipAddress = b.ipAddress = "192.0.2.1";
    table.add(b);
    table.add(a);
    ASSERT_TRUE(table.firstWithAddress("192.0.2.1"));
    EXPECT_EQ(table.firstWithAddress("192.0.2.1")->device, "A");
    EXPECT_FALSE(table.firstWithAddress("192.0.2.2"));
}

}  // namespace
}  // namespace fv

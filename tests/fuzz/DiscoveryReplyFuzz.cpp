// Fuzzes the discovery reply handler with whatever a hostile host on the local network might
// send to port 9999. The input is cut into datagrams (a two-byte length before each), each
// "from" its own address, and handed to one search's handler. Besides memory safety it checks
// that every cell stays inside its field, that the table never holds more than the store's
// 255 entries, and that it stays sorted by device name.
#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <string>

#include "FuzzSeeds.h"
#include "discovery/DiscoveredRouterTable.h"
#include "discovery/DiscoveryReplyHandler.h"

namespace {

using fv_fuzz::check;

std::string reply(char mode, char macByte, bool extension, int length = 512) {
    std::string d(512, '\0');
    d[0] = '\x0C';
    d[1] = '\x16';
    d[2] = '\x1F';
    d.replace(8, 9, "Printer!$");
    d.replace(8 + 192, 6, "KR-100");
    d[8 + 240] = mode;
    d[8 + 246] = macByte;
    if (extension) {
        d.replace(272, 4, "\x82\x80\x11\x00", 4);
        d.replace(272 + 9, 10, "a.example.");
    }
    d.resize(std::size_t(length), '\x7F');
    return d;
}

std::string framed(std::initializer_list<std::string> datagrams) {
    std::string out;
    for (const std::string& d : datagrams) {
        out += char(d.size() & 0xFF);
        out += char(d.size() >> 8);
        out += d;
    }
    return out;
}

fv_fuzz::Seeds seeds() {
    return {framed({reply(0, 1, true), reply(1, 2, false)}),
            framed({reply(2, 3, true), reply(0, 3, true), reply(0, 3, true)}),
            framed({reply(0, 4, true, 4), reply(0, 5, true, 700)}),
            framed({std::string("\x0C\x15\x1F\x00", 4)})};
}

void checkRow(const fv::DiscoveredRouter& row) {
    check(row.device.size() <= 32 && row.ssid.size() <= 32 && row.subnetMask.size() <= 32,
          "information texts stay inside their 32-byte fields");
    check(row.printer.size() <= 128, "the printer text stays inside its field");
    check(row.ddnsName.size() <= 64, "the DDNS name stays inside its field");
    check(row.macAddress.isEmpty() || row.macAddress.size() == 17, "a MAC is six hex pairs");
    check(row.webDavHttpPort.toUInt() <= 65535 && row.webDavHttpsPort.toUInt() <= 65535,
          "ports are 16-bit");
    check(row.fvPort.isEmpty(), "the search leaves the service port empty");
}

}  // namespace

FV_FUZZ_SEED_MODE(seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fv::DiscoveredRouterTable table;
    fv::DiscoveryReplyHandler handler(table);
    std::size_t at = 0;
    for (int n = 0; at + 2 <= size; ++n) {
        const std::size_t length =
            std::min<std::size_t>(data[at] | (data[at + 1] << 8), size - at - 2);
        const QByteArray datagram(reinterpret_cast<const char*>(data + at + 2),
                                  static_cast<qsizetype>(length));
        // Every fourth datagram comes from an address already seen.
        handler.handle(datagram, QStringLiteral("192.0.2.%1").arg(n % 4 == 3 ? 1 : n));
        at += 2 + length;
    }
    check(table.count() <= fv::DiscoveryReplyHandler::kStoreCapacity, "at most 255 rows");
    check(table.count() <= handler.storedCount(), "every row was stored");
    for (int i = 0; i < table.count(); ++i) {
        checkRow(table.rows()[std::size_t(i)]);
        if (i > 0)
            check(table.rows()[std::size_t(i - 1)].device <= table.rows()[std::size_t(i)].device,
                  "rows are sorted by device name");
    }
    return 0;
}

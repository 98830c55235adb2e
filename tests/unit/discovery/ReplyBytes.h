// Builds discovery replies byte by byte, so a test can make every shape a router might send:
// a wrong header, no extension, odd flags, any mode, MAC and texts.
#pragma once

#include <QByteArray>
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace fv::test {

struct ReplyBytes {
    std::array<std::uint8_t, 4> header{0x0C, 0x16, 0x1F, 0x00};
    std::string printer;
    std::string ssid = "HOME";
    std::string mask = "255.255.255.0";
    std::string product = "KR-AX3000";
    std::uint8_t mode = 0;
    std::array<std::uint8_t, 6> mac{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    std::uint16_t magic = 0x8082;
    std::uint16_t flags = 0x0001;
    std::array<std::uint8_t, 2> httpPort{0x1F, 0x92};  // as sent: high byte first
    std::string ddns;
    std::array<std::uint8_t, 4> wan{0x01, 0x01, 0xA8, 0xC0};  // as sent
    std::array<std::uint8_t, 2> httpsPort{0x01, 0xBB};
    int size = 512;  // bytes actually sent

    QByteArray bytes() const {
        // Bytes past the 512 a reply may hold are garbage that no reader may take in.
        QByteArray d = QByteArray(512, '\0') + QByteArray(std::max(0, size - 512), '\xEE');
        auto put = [&](int at, const std::string& text) {
            for (std::size_t i = 0; i < text.size(); ++i)
                d[at + int(i)] = text[i];
        };
        for (int i = 0; i < 4; ++i)
            d[i] = char(header[std::size_t(i)]);
        put(8, printer);
        put(8 + 128, ssid);
        put(8 + 160, mask);
        put(8 + 192, product);
        d[8 + 240] = char(mode);
        for (int i = 0; i < 6; ++i)
            d[8 + 241 + i] = char(mac[std::size_t(i)]);
        d[272] = char(magic & 0xFF);
        d[273] = char(magic >> 8);
        d[274] = char(flags & 0xFF);
        d[275] = char(flags >> 8);
        d[272 + 6] = char(httpPort[0]);
        d[272 + 7] = char(httpPort[1]);
        put(272 + 9, ddns);
        for (int i = 0; i < 4; ++i)
            d[272 + 73 + i] = char(wan[std::size_t(i)]);
        d[272 + 79] = char(httpsPort[0]);
        d[272 + 80] = char(httpsPort[1]);
        return d.left(size);
    }
};

}  // namespace fv::test

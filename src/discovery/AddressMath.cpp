#include "discovery/AddressMath.h"

#include <arpa/inet.h>

#include <QStringList>
#include <array>
#include <cstdint>

namespace fv {
namespace {

// Each part read as a decimal number up to its dot, as the adapter lists write them.
std::array<unsigned, 4> octets(const QString& dotted) {
    std::array<unsigned, 4> out{};
    const QStringList parts = dotted.split(QLatin1Char('.'));
    for (int i = 0; i < 4 && i < parts.size(); ++i) {
        unsigned value = 0;
        for (QChar c : parts[i]) {
            if (!c.isDigit())
                break;
            value = value * 10 + static_cast<unsigned>(c.digitValue());
            if (value > 255)
                break;
        }
        out[static_cast<std::size_t>(i)] = value & 0xFF;
    }
    return out;
}

std::uint32_t parseOrBroadcast(const QString& address) {
    in_addr parsed{};
    if (inet_aton(address.toLatin1().constData(), &parsed) == 0)
        return 0xFFFFFFFFu;
    return ntohl(parsed.s_addr);
}

std::uint32_t numberOf(const char* dotted) {
    return parseOrBroadcast(QString::fromLatin1(dotted));
}

}  // namespace

QString subnetBroadcastAddress(const QString& address, const QString& mask) {
    const auto a = octets(address);
    const auto m = octets(mask);
    QStringList out;
    for (std::size_t i = 0; i < 4; ++i)
        out << QString::number((a[i] | (255u - m[i])) & 0xFF);
    return out.join(QLatin1Char('.'));
}

bool isPrivateAddress(const QString& address) {
    struct Range {
        const char* low;
        const char* high;
    };
    static constexpr Range kRanges[] = {{"10.0.0.0", "10.255.255.255"},
                                        {"172.16.0.0", "172.31.255.255"},
                                        {"192.168.0.0", "192.168.255.255"},
                                        {"169.254.0.0", "169.254.255.255"}};
    const std::uint32_t n = parseOrBroadcast(address);
    if (n == 0)
        return true;
    for (const Range& r : kRanges)
        if (n > numberOf(r.low) && n < numberOf(r.high))
            return true;
    return false;
}

}  // namespace fv

#include "discovery/AdapterList.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <QStringList>
#include <cerrno>
#include <cstring>

#include "platform/DebugLog.h"

namespace fv {
namespace {

QString dotted(const sockaddr* address) {
    if (!address || address->sa_family != AF_INET)
        return QStringLiteral("0.0.0.0");
    char text[INET_ADDRSTRLEN] = {};
    const auto* in = reinterpret_cast<const sockaddr_in*>(address);
    inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
    return QString::fromLatin1(text);
}

}  // namespace

std::vector<AdapterAddress> adapterRows(const ifaddrs* list) {
    QStringList order;  // interfaces by first appearance
    for (const ifaddrs* i = list; i; i = i->ifa_next)
        if (i->ifa_name && !(i->ifa_flags & IFF_LOOPBACK) &&
            !order.contains(QString::fromLocal8Bit(i->ifa_name)))
            order << QString::fromLocal8Bit(i->ifa_name);

    std::vector<AdapterAddress> rows;
    for (const QString& name : order) {
        bool any = false;
        for (const ifaddrs* i = list; i; i = i->ifa_next) {
            if (!i->ifa_name || QString::fromLocal8Bit(i->ifa_name) != name || !i->ifa_addr ||
                i->ifa_addr->sa_family != AF_INET)
                continue;
            rows.push_back({name, dotted(i->ifa_addr), dotted(i->ifa_netmask)});
            any = true;
        }
        if (!any)
            rows.push_back({name, QStringLiteral("0.0.0.0"), QStringLiteral("0.0.0.0")});
    }
    return rows;
}

std::vector<AdapterAddress> localAdapterRows() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        DebugLog::write(QStringLiteral("getifaddrs failed with error ") +
                        QString::fromLocal8Bit(std::strerror(errno)));
        return {};
    }
    std::vector<AdapterAddress> rows = adapterRows(list);
    freeifaddrs(list);
    return rows;
}

}  // namespace fv

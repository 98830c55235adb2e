#include "cli/DiscoverCommand.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/CliExit.h"
#include "cli/TextTable.h"
#include "discovery/RouterSearch.h"

namespace fv::cli {
namespace {

QJsonObject routerJson(const DiscoveredRouter& r) {
    return {{"device", r.device},
            {"ssid", r.ssid},
            {"ipAddress", r.ipAddress},
            {"subnetMask", r.subnetMask},
            {"printer", r.printer},
            {"macAddress", r.macAddress},
            {"ddnsName", r.ddnsName},
            {"webDavHttpPort", r.webDavHttpPort},
            {"webDavWanIp", r.webDavWanIp},
            {"webDavHttpsPort", r.webDavHttpsPort},
            {"fvPort", r.fvPort}};
}

QByteArray searchJson(const RouterSearch& search) {
    QJsonArray routers;
    for (const DiscoveredRouter& r : search.table().rows())
        routers.append(routerJson(r));
    QJsonArray adapters;
    for (const AdapterAddress& a : search.adapters())
        adapters.append(
            QJsonObject{{"description", a.description}, {"address", a.address}, {"mask", a.mask}});
    QJsonArray broadcasts;
    for (const QString& b : search.subnetBroadcasts())
        broadcasts.append(b);
    const QJsonObject doc{
        {"routers", routers}, {"adapters", adapters}, {"subnetBroadcasts", broadcasts}};
    return QJsonDocument(doc).toJson(QJsonDocument::Indented);
}

QStringList searchTable(const RouterSearch& search) {
    std::vector<QStringList> lines{DiscoveredRouter::columnTitles()};
    for (const DiscoveredRouter& r : search.table().rows())
        lines.push_back(QStringList{r.device} + r.subItems());
    return alignedTable(lines);
}

}  // namespace

void DiscoverCommand::configure(QCommandLineParser& parser) const {
    parser.addOption(
        {QStringLiteral("json"), QStringLiteral("Prints one JSON document: the routers, the local "
                                                "addresses and the subnet broadcasts searched.")});
}

int DiscoverCommand::execute(const QCommandLineParser& parser, CliOutput& io) {
    InlineTaskRunner runner;
    RouterSearch search(
        runner, [](int ms) { return std::make_unique<QtTimer>(ms); },
        SearchEndpoints::fromEnvironment());
    QString holderMessage;
    search.setOnPortHeld([&](const QString& message) { holderMessage = message; });
    QEventLoop loop;
    search.setOnEnded([&] { loop.quit(); });
    search.search();
    loop.exec();

    if (search.portWasHeld()) {
        io.error(holderMessage.isEmpty()
                     ? QStringLiteral("another program holds UDP port %1, so no search was made")
                           .arg(kDiscoveryPort)
                     : holderMessage);
        return kExitPortHeld;
    }
    if (parser.isSet(QStringLiteral("json")))
        io.out() << searchJson(search);
    else
        for (const QString& line : searchTable(search))
            io.line(line);
    if (search.table().empty()) {
        io.error(QStringLiteral("no router answered the search"));
        return kExitOffline;
    }
    return kExitOk;
}

}  // namespace fv::cli

// The options of the fv-routersim program.
#include "CommandLine.h"

#include <charconv>
#include <cstdio>

namespace routersim {

namespace {

bool toPort(const std::string& text, std::uint16_t* port) {
    unsigned value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || value > 65535)
        return false;
    *port = static_cast<std::uint16_t>(value);
    return true;
}

std::uint16_t* portFlag(Options& o, const std::string& flag) {
    if (flag == "--service-port")
        return &o.config.servicePort;
    if (flag == "--web-port")
        return &o.config.webPort;
    if (flag == "--auth-port")
        return &o.config.authPort;
    if (flag == "--sharelink-port")
        return &o.config.shareLinkPort;
    if (flag == "--update-port")
        return &o.config.updatePort;
    if (flag == "--discovery-port")
        return &o.config.discoveryPort;
    if (flag == "--control-port")
        return &o.controlPort;
    return nullptr;
}

std::string* textFlag(Options& o, const std::string& flag) {
    if (flag == "--bind")
        return &o.config.bindAddress;
    if (flag == "--discovery-bind")
        return &o.config.discoveryAddress;
    if (flag == "--user")
        return &o.config.user;
    if (flag == "--password")
        return &o.config.password;
    if (flag == "--update-version")
        return &o.config.updateVersion;
    if (flag == "--write-client-settings")
        return &o.clientSettingsPath;
    if (flag == "--write-update-site")
        return &o.updateSiteFolder;
    RouterFacts& f = o.config.facts;
    if (flag == "--discovery-name")
        return &f.deviceName;
    if (flag == "--discovery-ssid")
        return &f.ssid;
    if (flag == "--discovery-mask")
        return &f.subnetMask;
    if (flag == "--discovery-printer")
        return &f.printer;
    if (flag == "--discovery-ddns")
        return &f.ddnsName;
    if (flag == "--discovery-wan")
        return &f.wanAddress;
    if (flag == "--discovery-fleet-from")
        return &o.config.discoveryFleetFrom;
    return nullptr;
}

bool switchFlag(Options& o, const std::string& flag) {
    if (flag == "--demo")
        o.demo = true;
    else if (flag == "--session")
        o.config.authMode = AuthMode::Session;
    else if (flag == "--no-discovery")
        o.config.discovery = false;
    else if (flag == "--discovery-no-extension")
        o.config.facts.discoveryExtension = false;
    else if (flag == "--control")
        o.control = true;
    else if (flag == "--help" || flag == "-h")
        o.help = true;
    else
        return false;
    return true;
}

bool toMac(const std::string& text, std::uint8_t* mac) {
    unsigned b[6];
    char end = 0;
    if (std::sscanf(text.c_str(), "%2x:%2x:%2x:%2x:%2x:%2x%c", &b[0], &b[1], &b[2], &b[3], &b[4],
                    &b[5], &end) != 6)
        return false;
    for (int i = 0; i < 6; ++i)
        mac[i] = static_cast<std::uint8_t>(b[i]);
    return true;
}

// The flags whose value is a number or a MAC rather than a text.
void valueFlag(Options& o, const std::string& flag, const std::string& value, std::string* error) {
    unsigned number = 0;
    const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
    const bool isNumber = ec == std::errc() && ptr == value.data() + value.size();
    if (flag == "--discovery-mac") {
        if (!toMac(value, o.config.facts.mac))
            *error = flag + ": not a MAC address (AA:BB:CC:DD:EE:FF): " + value;
    } else if (flag == "--discovery-mode") {
        if (!isNumber || number > 255)
            *error = flag + ": not a byte: " + value;
        o.config.facts.mode = static_cast<std::uint8_t>(number);
    } else if (flag == "--discovery-fleet") {
        if (!isNumber || number > 4096)
            *error = flag + ": not a count up to 4096: " + value;
        o.config.discoveryFleet = static_cast<int>(number);
    }
}

bool isValueFlag(const std::string& flag) {
    return flag == "--discovery-mac" || flag == "--discovery-mode" || flag == "--discovery-fleet";
}

}  // namespace

std::optional<Options> parseCommandLine(const std::vector<std::string>& args, bool isRoot,
                                        std::string* error) {
    Options o;
    o.config.servicePort = 8081;
    o.config.authPort = 8443;
    o.config.discoveryPort = 9999;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        if (switchFlag(o, flag))
            continue;
        std::uint16_t* port = portFlag(o, flag);
        std::string* text = textFlag(o, flag);
        if (isValueFlag(flag)) {
            if (i + 1 >= args.size()) {
                *error = flag + " needs a value";
                return std::nullopt;
            }
            std::string problem;
            valueFlag(o, flag, args[++i], &problem);
            if (!problem.empty()) {
                *error = problem;
                return std::nullopt;
            }
            continue;
        }
        if (!port && !text) {
            *error = "unknown option " + flag;
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            *error = flag + " needs a value";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (port && !toPort(value, port)) {
            *error = flag + ": not a port number: " + value;
            return std::nullopt;
        }
        if (text)
            *text = value;
        if (flag == "--web-port")
            o.webPortGiven = true;
        if (flag == "--control-port")
            o.control = true;
    }
    if (!o.webPortGiven)
        o.config.webPort = isRoot ? 80 : 0;
    return o;
}

std::string usage() {
    return "usage: fv-routersim [options]\n"
           "  --bind ADDR                 listen only on this address (default 127.0.0.1)\n"
           "  --discovery-bind ADDR       UDP discovery address (default: the --bind address)\n"
           "  --service-port N            download service web port (default 8081)\n"
           "  --web-port N                router's standard web port (default 80 as root, else a "
           "free one)\n"
           "  --auth-port N               TLS authentication port (default 8443)\n"
           "  --sharelink-port N          TLS share-link (WebDAV HTTPS) port (default: a free "
           "one)\n"
           "  --update-port N             TLS update server port (default: a free one)\n"
           "  --discovery-port N          UDP discovery port (default 9999)\n"
           "  --no-discovery              do not answer discovery\n"
           "  --discovery-name/-ssid/-mask/-printer/-ddns/-wan TEXT  what discovery replies "
           "carry\n"
           "  --discovery-mac AA:BB:CC:DD:EE:FF  --discovery-mode N  --discovery-no-extension\n"
           "  --discovery-fleet N --discovery-fleet-from ADDR  answer as N routers, from ADDR "
           "counting up\n"
           "  --user NAME --password PW   the router account (default admin/admin)\n"
           "  --session                   require session login instead of Basic authorisation\n"
           "  --update-version V          version published by the update server (default "
           "2.2.0.1)\n"
           "  --demo                      a dozen tasks whose progress changes over time\n"
           "  --write-client-settings P   write a client settings file pointing at this router\n"
           "  --write-update-site D       write D/update-site (the update server's URL) and\n"
           "                              D/update-ca.pem (the authority that signed it)\n"
           "  --control [--control-port N]  line-based fault control on loopback (default: a free "
           "port)\n"
           "Port 0 picks a free port. The chosen ports are printed at start.\n";
}

}  // namespace routersim

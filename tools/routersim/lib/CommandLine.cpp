// The options of the fv-routersim program.
#include "CommandLine.h"

#include <charconv>

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
    return nullptr;
}

bool switchFlag(Options& o, const std::string& flag) {
    if (flag == "--demo")
        o.demo = true;
    else if (flag == "--session")
        o.config.authMode = AuthMode::Session;
    else if (flag == "--no-discovery")
        o.config.discovery = false;
    else if (flag == "--control")
        o.control = true;
    else if (flag == "--help" || flag == "-h")
        o.help = true;
    else
        return false;
    return true;
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
           "  --user NAME --password PW   the router account (default admin/admin)\n"
           "  --session                   require session login instead of Basic authorisation\n"
           "  --update-version V          version published by the update server (default "
           "2.2.0.1)\n"
           "  --demo                      a dozen tasks whose progress changes over time\n"
           "  --write-client-settings P   write a client settings file pointing at this router\n"
           "  --control [--control-port N]  line-based fault control on loopback (default: a free "
           "port)\n"
           "Port 0 picks a free port. The chosen ports are printed at start.\n";
}

}  // namespace routersim

// fv-routersim: a simulated router for the Ferrovane client's demo and end-to-end tests.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ClientSettingsFile.h"
#include "CommandLine.h"
#include "ControlCommands.h"
#include "HttpServer.h"
#include "Simulator.h"

using namespace routersim;

namespace {

void printPorts(const Simulator& sim, const Options& options) {
    const std::string& a = sim.address();
    std::printf("fv-routersim: service     http://%s:%u/\n", a.c_str(),
                sim.port(Listener::Service));
    std::printf("fv-routersim: web         http://%s:%u/update_applist.asp\n", a.c_str(),
                sim.port(Listener::Web));
    std::printf("fv-routersim: auth        https://%s:%u/update_applist.asp\n", a.c_str(),
                sim.port(Listener::Auth));
    std::printf("fv-routersim: share link  %s:%u (TLS)\n", a.c_str(),
                sim.port(Listener::ShareLink));
    std::printf("fv-routersim: update      https://%s:%u/\n", a.c_str(),
                sim.port(Listener::Update));
    if (options.config.discovery)
        std::printf("fv-routersim: discovery   udp %u\n", sim.discoveryPort());
    if (!options.webPortGiven && options.config.webPort == 0) {
        std::printf(
            "fv-routersim: not root, so the standard web port 80 is not used; the web port above "
            "was picked instead (choose one with --web-port)\n");
    }
    std::fflush(stdout);
}

bool writeFile(const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
}

// The demo client reads these to reach the update server and trust it.
bool writeUpdateSite(const Simulator& sim, const Options& options) {
    const std::string folder = options.updateSiteFolder;
    const std::string url =
        "https://" + sim.address() + ":" + std::to_string(sim.port(Listener::Update));
    if (!writeFile(folder + "/update-site", url + "\n") ||
        !writeFile(folder + "/update-ca.pem", sim.updateAuthorityPem())) {
        std::fprintf(stderr, "fv-routersim: cannot write the update site files in %s\n",
                     folder.c_str());
        return false;
    }
    std::printf("fv-routersim: update site written to %s\n", folder.c_str());
    std::fflush(stdout);
    return true;
}

bool writeSettingsFile(const Simulator& sim, const Options& options) {
    ClientSettings s;
    s.address = sim.address();
    s.servicePort = sim.port(Listener::Service);
    s.user = options.config.user;
    s.password = options.config.password;
    s.authPort = sim.port(Listener::Auth);
    s.webDavHttpsPort = sim.port(Listener::ShareLink);
    std::string error;
    if (!writeClientSettings(options.clientSettingsPath, s, &error)) {
        std::fprintf(stderr, "fv-routersim: cannot write the client settings: %s\n", error.c_str());
        return false;
    }
    std::printf("fv-routersim: client settings written to %s\n",
                options.clientSettingsPath.c_str());
    std::fflush(stdout);
    return true;
}

// The control port only ever listens on loopback, whatever --bind says.
std::unique_ptr<HttpServer> startControl(Simulator& sim, const Options& options, RequestLog& log,
                                         FaultSwitches& faults) {
    auto handler = [&sim](const Request& r, const Faults&) {
        if (r.routePath() != "/control" || r.method != "POST")
            return Response::status("HTTP/1.1 404 Not Found",
                                    "POST /control with one command per line\n");
        return Response::text(runControlScript(sim, r.body));
    };
    auto server = std::make_unique<HttpServer>("control", handler, log, faults);
    std::string error;
    if (!server->start("127.0.0.1", options.controlPort, &error)) {
        std::fprintf(stderr, "fv-routersim: control port: %s\n", error.c_str());
        return nullptr;
    }
    std::printf("fv-routersim: control     http://127.0.0.1:%u/control\n", server->port());
    std::fflush(stdout);
    return server;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options =
        parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), ::geteuid() == 0, &error);
    if (!options) {
        std::fprintf(stderr, "fv-routersim: %s\n%s", error.c_str(), usage().c_str());
        return 2;
    }
    if (options->help) {
        std::printf("%s", usage().c_str());
        return 0;
    }
    // Block the stop signals before any thread starts, so only sigwait below sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    Simulator sim(options->config);
    if (!sim.start(&error)) {
        std::fprintf(stderr, "fv-routersim: %s\n", error.c_str());
        return 1;
    }
    printPorts(sim, *options);
    if (!options->clientSettingsPath.empty() && !writeSettingsFile(sim, *options))
        return 1;
    if (!options->updateSiteFolder.empty() && !writeUpdateSite(sim, *options))
        return 1;
    if (options->demo)
        sim.startDemo();
    RequestLog controlLog;
    FaultSwitches controlFaults;
    std::unique_ptr<HttpServer> control;
    if (options->control && !(control = startControl(sim, *options, controlLog, controlFaults)))
        return 1;

    int signal = 0;
    sigwait(&stopSignals, &signal);
    std::printf("fv-routersim: stopping\n");
    if (control)
        control->stop();
    sim.stop();
    return 0;
}

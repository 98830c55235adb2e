// The options of the fv-routersim program.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Simulator.h"

namespace routersim {

struct Options {
    SimulatorConfig config;
    bool demo = false;
    bool help = false;
    bool webPortGiven = false;
    std::string clientSettingsPath;
    std::string updateSiteFolder;   // --write-update-site: the update server's URL and authority
    std::uint16_t controlPort = 0;  // 0: no control interface
    bool control = false;
};

// Defaults: service 8081, authentication 8443, discovery 9999, everything on 127.0.0.1; the
// standard web port is 80 for root and otherwise a free one. nullopt with a message on bad input.
std::optional<Options> parseCommandLine(const std::vector<std::string>& args, bool isRoot,
                                        std::string* error);
std::string usage();

}  // namespace routersim

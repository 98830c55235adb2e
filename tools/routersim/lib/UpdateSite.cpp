// The maker's update server.
#include "UpdateSite.h"

namespace routersim {

void UpdateSite::setVersion(std::string version) {
    std::lock_guard lock(mutex_);
    version_ = std::move(version);
}

std::string UpdateSite::compactVersion() const {
    std::lock_guard lock(mutex_);
    std::string compact;
    for (char c : version_) {
        if (c >= '0' && c <= '9')
            compact.push_back(c);
    }
    return compact;
}

Response UpdateSite::handle(const Request& request, const Faults& /*faults*/) {
    const std::string path = request.routePath();
    const std::string compact = compactVersion();
    if (path == kVersionPath) {
        // Tokens: "FV22", "V1" + compact version, the release date; "#" separates them.
        return Response::text("FV22#V1" + compact + "#2026-12-01\r\n", "application/octet-stream");
    }
    const std::string files = kFilesPath;
    const std::string notePrefix = files + "FV_" + compact;
    if (path == notePrefix + "_CHT_note.zip" || path == notePrefix + "_CHS_note.zip") {
        return Response::text("Ferrovane " + compact +
                                  "\r\n- Faster task list refresh.\r\n"
                                  "- Fixes for uploads of large torrents.\r\n",
                              "application/octet-stream");
    }
    if (path == notePrefix + "_un.zip") {
        std::string installer = "FVINSTALLER" + compact;
        installer.resize(4096, '\x5a');
        return Response::text(installer, "application/octet-stream");
    }
    return Response::status("HTTP/1.1 404 Not Found", "<html><body>404 Not Found</body></html>");
}

}  // namespace routersim

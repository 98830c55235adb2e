// The maker's update server: the version information file, release notes and installers.
#pragma once

#include <mutex>
#include <string>

#include "Faults.h"
#include "Request.h"
#include "Response.h"

namespace routersim {

class UpdateSite {
  public:
    // version in dotted form, e.g. "2.2.3.4" (its digits make the compact form "2234").
    explicit UpdateSite(std::string version) : version_(std::move(version)) {}

    void setVersion(std::string version);
    std::string compactVersion() const;

    Response handle(const Request& request, const Faults& faults);

    static constexpr const char* kVersionPath =
        "/pub/KOVA/Freshpost/Release/Wireless/FV_update_v22.zip";
    static constexpr const char* kFilesPath = "/pub/KOVA/wireless/Polaros/";

  private:
    mutable std::mutex mutex_;
    std::string version_;
};

}  // namespace routersim

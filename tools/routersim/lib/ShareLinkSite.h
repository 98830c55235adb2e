// The share-link service on the WebDAV HTTPS port: a "GSL" request names a folder of the disk
// and gets back a line "<sharelink>...</sharelink>" with a link that opens it remotely.
#pragma once

#include <map>
#include <mutex>
#include <string>

#include "AuthGate.h"
#include "Faults.h"
#include "Request.h"
#include "Response.h"

namespace routersim {

struct SharedFolder {
    std::string url;       // the "URL:" header, e.g. "/KR-AX3000/sda1/Download2"
    std::string fileName;  // the "FILENAME:" header, e.g. "Complete"
    std::string expire;
};

class ShareLinkSite {
  public:
    explicit ShareLinkSite(AuthGate& auth) : auth_(auth) {}

    Response handle(const Request& request, const Faults& faults);
    // Links handed out so far, by link text.
    std::map<std::string, SharedFolder> links() const;

  private:
    AuthGate& auth_;
    mutable std::mutex mutex_;
    std::map<std::string, SharedFolder> links_;
    unsigned counter_ = 0;
};

}  // namespace routersim

// The share-link service on the WebDAV HTTPS port.
#include "ShareLinkSite.h"

#include <openssl/rand.h>

#include <cstdio>

#include "WireText.h"

namespace routersim {

Response ShareLinkSite::handle(const Request& request, const Faults& /*faults*/) {
    if (request.method != "GSL")
        return Response::status("HTTP/1.1 405 Method Not Allowed");
    if (!auth_.basicAuthorisationValid(request)) {
        return Response::status("HTTP/1.1 401 Unauthorized", "<error>401 Unauthorized</error>\r\n");
    }
    SharedFolder folder{percentDecode(request.header("URL").value_or("")),
                        percentDecode(request.header("FILENAME").value_or("")),
                        request.header("EXPIRE").value_or("")};
    unsigned char random[8];
    RAND_bytes(random, sizeof random);
    std::string link = "share.cgi?ssid=";
    char hex[3];
    for (unsigned char b : random) {
        std::snprintf(hex, sizeof hex, "%02x", b);
        link += hex;
    }
    {
        std::lock_guard lock(mutex_);
        link += std::to_string(++counter_);
        links_[link] = folder;
    }
    Response r = Response::text(
        "<result>\r\n<status>0</status>\r\n<sharelink>" + link + "</sharelink>\r\n</result>\r\n",
        "text/xml");
    return r;
}

std::map<std::string, SharedFolder> ShareLinkSite::links() const {
    std::lock_guard lock(mutex_);
    return links_;
}

}  // namespace routersim

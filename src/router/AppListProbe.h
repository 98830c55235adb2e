// The probe of the router's application list ("/update_applist.asp"): is the service
// installed and enabled, on which port does it answer, which version runs. Needs no login.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "router/ProbeResults.h"
#include "router/RouterContext.h"

namespace fv {

// Where the direct probe asks: method 0 plain http on the standard port, otherwise https on
// the authentication port (certificate not verified).
struct ProbeTarget {
    int authMethod = 0;
    QString authPort;
};

std::string appListAddress(const QString& host, const ProbeTarget& target);

// What one parse found.
struct AspPageParse {
    bool serviceLineFound = false;
    bool complete = false;  // false: the service line had too few items
    std::string port;       // empty when no usable port line (or the parse was incomplete)
};

// Reads the lines into results: the installed and enabled flags (items 3 and 4, counted from
// 0) and, with readVersion, the version (item 1 after its first ".") from the last line
// containing "ferrovane"; the port from the last line containing "apps_http_port".
AspPageParse parseAppListPage(const std::vector<std::string>& lines, bool readVersion,
                              ProbeResults& results);

// The body split at CR, LF and CRLF, as the original's string list did.
std::vector<std::string> splitPageLines(const std::string& body, size_t maxLines = 100000);

// The direct probe; fills ctx.probe (required). Blocks for up to the time-outs.
AspPageParse fetchAppListPage(const RouterContext& ctx, const QString& host,
                              const ProbeTarget& target);

// The worker's probe of the record's ServerAddress: always plain http, no version, no
// connection-refused flag.
AspPageParse probeAppList(const RouterContext& ctx, const QString& host);

}  // namespace fv

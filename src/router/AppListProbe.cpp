#include "router/AppListProbe.h"

#include <algorithm>

#include "platform/DebugLog.h"
#include "router/CommaText.h"
#include "router/RequestKind.h"
#include "router/RouterOutcome.h"

namespace fv {
namespace {

constexpr size_t kMaxPageBytes = 1024 * 1024;

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// Characters 19 .. length-2 (1-based) of the port line: its fixed 18-character prefix and
// two closing characters are dropped.
std::string portOfLine(const std::string& line) {
    if (line.size() <= 20)
        return {};
    return line.substr(18, line.size() - 20);
}

// A success reply other than 200 has always counted as refused when one of its page lines
// names the socket error; the probe keeps reading it so.
bool pageNamesRefusal(const HttpResponse& res, const std::vector<std::string>& lines) {
    if (!res.ok)
        return false;
    return std::any_of(lines.begin(), lines.end(),
                       [](const std::string& line) { return contains(line, "10061"); });
}

struct ProbeRun {
    bool direct = false;
    std::string address;
};

AspPageParse probe(const RouterContext& ctx, const ProbeRun& run) {
    ProbeResults& results = *ctx.probe;
    if (run.direct)
        DebugLog::write("GetFVInfoPage - URL=" + run.address);
    results.edit([](ProbeState& s) { s.servicePort.clear(); });

    HttpRequest req;
    req.url = run.address;
    req.connectTimeoutMs = request_kind::AppListProbe.connectMs;
    req.readTimeoutMs = request_kind::AppListProbe.readMs;
    req.maxBodyBytes = kMaxPageBytes;

    std::vector<std::string> lines;
    AspPageParse parse;
    const HttpResponse res = ctx.transport->perform(req);
    std::string failure = res.ok ? std::string() : res.failureText;
    if (res.ok) {
        lines = splitPageLines(res.body);
        parse = parseAppListPage(lines, run.direct, results);
        if (!parse.complete)
            failure = "List index out of bounds";
    }
    if (!failure.empty()) {
        DebugLog::write("GetFVInfoPage - http Get fail or interupt;");
        DebugLog::write("GetFVInfoPage - E.Message = " + failure);
        lines.push_back(failure);
    }
    const RouterOutcome outcome = RouterOutcome::of(res);
    if (outcome.kind == FailureKind::None) {
        DebugLog::write(
            "GetFVInfoPage: Success to check username and password in the second time because "
            "of 200 OK");
        return parse;
    }
    if (run.direct && (outcome.kind == FailureKind::Refused || pageNamesRefusal(res, lines)))
        results.edit([](ProbeState& s) { s.connectionRefused = true; });
    DebugLog::write("GetFVInfoPage - http Get fail or interupt not 200");
    return parse;
}

}  // namespace

std::string appListAddress(const QString& host, const ProbeTarget& target) {
    if (target.authMethod == 0)
        return "http://" + host.toStdString() + "/update_applist.asp";
    return "https://" + host.toStdString() + ":" + target.authPort.toStdString() +
           "/update_applist.asp";
}

std::vector<std::string> splitPageLines(const std::string& body, size_t maxLines) {
    std::vector<std::string> lines;
    size_t begin = 0;
    while (begin < body.size() && lines.size() < maxLines) {
        size_t end = body.find_first_of("\r\n", begin);
        if (end == std::string::npos) {
            lines.push_back(body.substr(begin));
            break;
        }
        lines.push_back(body.substr(begin, end - begin));
        begin =
            end + ((body[end] == '\r' && end + 1 < body.size() && body[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

AspPageParse parseAppListPage(const std::vector<std::string>& lines, bool readVersion,
                              ProbeResults& results) {
    AspPageParse parse;
    const std::string* serviceLine = nullptr;
    std::string port;
    for (const std::string& line : lines) {
        if (line.empty())
            continue;
        if (contains(line, "ferrovane"))
            serviceLine = &line;
        if (contains(line, "apps_http_port"))
            port = portOfLine(line);
    }
    parse.serviceLineFound = serviceLine != nullptr;
    if (serviceLine) {
        // Items are numbered from 0, as in the router's own array line
        // ["ferrovane","2.110","Download Service","yes","yes"]. Results are taken one by
        // one; a missing item ends the parse there.
        const std::vector<std::string> items = splitCommaText(*serviceLine);
        if (items.size() <= 3)
            return parse;
        results.edit([&](ProbeState& s) { s.installed = items[3]; });
        if (items.size() <= 4)
            return parse;
        results.edit([&](ProbeState& s) { s.enabled = items[4]; });
        if (readVersion) {
            const size_t dot = items[1].find('.');
            const std::string version =
                dot == std::string::npos ? items[1] : items[1].substr(dot + 1);
            results.edit([&](ProbeState& s) { s.version = version; });
            DebugLog::write("ParseAspPage, mFVServerVersion:" + version);
        }
    }
    parse.complete = true;
    if (!port.empty()) {
        parse.port = port;
        results.edit([&](ProbeState& s) { s.servicePort = port; });
    }
    return parse;
}

AspPageParse fetchAppListPage(const RouterContext& ctx, const QString& host,
                              const ProbeTarget& target) {
    return probe(ctx, {true, appListAddress(host, target)});
}

AspPageParse probeAppList(const RouterContext& ctx, const QString& host) {
    return probe(ctx, {false, appListAddress(host, ProbeTarget{})});
}

}  // namespace fv

// The router side of the utility library's protocol.
#include "UtilityEndpoint.h"

namespace routersim {

namespace {

Response ok(const std::string& values = std::string()) {
    return Response::text(values.empty() ? "OK\n" : "OK " + values + "\n");
}

Response err(const std::string& status, const std::string& text) {
    Response r = Response::text("ERR " + status.substr(9, 3) + " " + text + "\n");
    r.statusLine = status;
    return r;
}

// The value of "key" in a flat one-line JSON object of strings; empty when absent.
std::string jsonString(const std::string& json, const std::string& key) {
    const auto k = json.find("\"" + key + "\"");
    if (k == std::string::npos)
        return {};
    const auto colon = json.find(':', k);
    const auto open = colon == std::string::npos ? colon : json.find('"', colon);
    const auto close = open == std::string::npos ? open : json.find('"', open + 1);
    if (close == std::string::npos)
        return {};
    return json.substr(open + 1, close - open - 1);
}

}  // namespace

void UtilityCallLog::add(UtilityCall call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
}

std::vector<UtilityCall> UtilityCallLog::all() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

void UtilityCallLog::clear() {
    std::lock_guard lock(mutex_);
    calls_.clear();
}

Response UtilityEndpoint::handle(const Request& request) {
    if (request.method != "POST")
        return err("HTTP/1.1 405 Method Not Allowed", "POST only");
    std::string line = request.body.substr(0, request.body.find('\n'));
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    const auto space = line.find(' ');
    const std::string verb = line.substr(0, space);
    const std::string argument =
        space == std::string::npos ? std::string() : line.substr(space + 1);
    const bool accepted = auth_.basicAuthorisationValid(request);
    if (log_)
        log_->add({verb, argument, request.header("Host").value_or(std::string()), request.listener,
                   accepted});
    if (!accepted)
        return err("HTTP/1.1 401 Unauthorized", "account rejected");
    return run(verb, argument);
}

Response UtilityEndpoint::run(const std::string& verb, const std::string& argument) {
    if (verb == "AUTH" || verb == "TRACK")
        return ok();
    const RouterFacts facts = profile_.get();
    if (verb == "WANCONFIG")
        return ok(facts.wanAddress + " 255.255.255.0 0.0.0.0 0.0.0.0 0.0.0.0");
    if (verb == "APILEVEL")
        return ok(facts.apiLevel);
    if (verb == "ENABLEFV" && (argument == "0" || argument == "1")) {
        profile_.update([&](RouterFacts& f) { f.serviceEnabled = argument == "1"; });
        return ok();
    }
    if (verb == "DDNSSERVICE" && argument.size() > 2 &&
        (argument[0] == '0' || argument[0] == '1')) {
        profile_.update([&](RouterFacts& f) {
            f.ddnsHost = argument[0] == '1' ? argument.substr(2) : "";
            f.ddnsName = f.ddnsHost;
        });
        return ok();
    }
    if (verb == "DDNSCONFIG") {
        const std::string host = jsonString(argument, "ddns_hostname_x");
        if (host.empty() || jsonString(argument, "ddns_enable_x").empty())
            return err("HTTP/1.1 400 Bad Request", "incomplete DDNS configuration");
        profile_.update([&](RouterFacts& f) {
            f.ddnsConfig = argument;
            f.ddnsHost = jsonString(argument, "ddns_enable_x") == "1" ? host : "";
            f.ddnsName = f.ddnsHost;
        });
        return ok();
    }
    if (verb == "RESTART") {
        profile_.update([](RouterFacts& f) { ++f.serviceRestarts; });
        return ok();
    }
    return err("HTTP/1.1 400 Bad Request", "unknown command");
}

}  // namespace routersim

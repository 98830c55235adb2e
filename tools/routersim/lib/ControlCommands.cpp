// Text commands that switch the simulator's faults and states at run time.
#include "ControlCommands.h"

#include <charconv>
#include <optional>
#include <sstream>

namespace routersim {

namespace {

std::optional<Listener> listenerNamed(const std::string& name) {
    if (name == "service")
        return Listener::Service;
    if (name == "web")
        return Listener::Web;
    if (name == "auth")
        return Listener::Auth;
    if (name == "sharelink")
        return Listener::ShareLink;
    if (name == "update")
        return Listener::Update;
    return std::nullopt;
}

std::optional<int> number(const std::string& text) {
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

std::optional<bool> onOff(const std::string& text) {
    if (text == "on")
        return true;
    if (text == "off")
        return false;
    return std::nullopt;
}

std::string restOf(std::istringstream& in) {
    std::string rest;
    std::getline(in, rest);
    if (!rest.empty() && rest.front() == ' ')
        rest.erase(0, 1);
    return rest;
}

// Applies one fault word to `f`; false when the word or its values are wrong.
bool applyFault(Faults& f, const std::string& word, std::istringstream& in) {
    std::string a, b;
    if (word == "delay" || word == "count") {
        in >> a;
        const auto n = number(a);
        if (!n)
            return false;
        (word == "delay" ? f.delayMs : f.remaining) = *n;
    } else if (word == "drip") {
        in >> a >> b;
        const auto bytes = number(a), ms = number(b);
        if (!bytes || !ms || *bytes == 0)
            return false;
        f.dripChunkBytes = *bytes;
        f.dripIntervalMs = *ms;
    } else if (word == "reset") {
        f.resetMidBody = true;
    } else if (word == "close") {
        f.closeWithoutReply = true;
    } else if (word == "expire") {
        f.expireSessions = true;
    } else if (word == "xml") {
        const Faults page = Faults::xmlPage();
        f.replaceBody = true;
        f.body = page.body;
    } else if (word == "status" || word == "answer" || word == "reportline" || word == "only" ||
               word == "method") {
        const std::string rest = restOf(in);
        if (rest.empty())
            return false;
        if (word == "status")
            f.statusLine = rest;
        if (word == "answer")
            f.answerWord = rest;
        if (word == "reportline")
            f.reportLine = rest;
        if (word == "only")
            f.onlyTarget = rest;
        if (word == "method")
            f.onlyMethod = rest;
    } else {
        return false;
    }
    return true;
}

std::string faultCommand(Simulator& sim, std::istringstream& in) {
    std::string name, word;
    in >> name >> word;
    const auto which = listenerNamed(name);
    if (!which)
        return "ERR unknown listener";
    FaultSwitches& switches = sim.faults(*which);
    if (word == "refuse") {
        std::string value;
        in >> value;
        const auto on = onOff(value);
        if (!on)
            return "ERR refuse needs on or off";
        switches.setRefuse(*on);
        return "OK";
    }
    Faults f = switches.current();
    if (!applyFault(f, word, in))
        return "ERR bad fault";
    switches.set(f);
    return "OK";
}

std::string requestList(const Simulator& sim) {
    std::string out;
    for (const auto& r : sim.requests())
        out += r.listener + " " + r.method + " " + r.target + "\n";
    return out + "OK";
}

std::string switchCommand(Simulator& sim, const std::string& verb, bool on) {
    if (verb == "busy")
        sim.auth().setOtherUserLoggedIn(on);
    else if (verb == "session")
        sim.auth().setMode(on ? AuthMode::Session : AuthMode::Basic);
    else if (verb == "service")
        sim.profile().update([on](RouterFacts& f) { f.serviceEnabled = on; });
    else if (verb == "discovery")
        sim.discovery().setSilent(!on);
    else
        return "ERR unknown command";
    return "OK";
}

std::string addTasks(Simulator& sim, const std::string& count) {
    const auto n = number(count);
    if (!n || *n > 10000)
        return "ERR tasks needs a count up to 10000";
    for (int i = 0; i < *n; ++i) {
        Task t;
        t.name = "Filler task " + std::to_string(i + 1);
        t.sizeBytes = 1024 * 1024 * (i + 1);
        t.doneBytes = t.sizeBytes / 3;
        sim.board().add(t);
    }
    return "OK";
}

}  // namespace

std::string runControlCommand(Simulator& sim, const std::string& line) {
    std::istringstream in(line);
    std::string verb, value;
    in >> verb;
    if (verb == "fault")
        return faultCommand(sim, in);
    if (verb == "clear") {
        sim.clearFaults();
        return "OK";
    }
    if (verb == "expire") {
        sim.auth().expireAllSessions();
        return "OK";
    }
    if (verb == "requests")
        return requestList(sim);
    in >> value;
    if (verb == "tasks")
        return addTasks(sim, value);
    const auto on = onOff(value);
    if (!on)
        return "ERR unknown command or value";
    return switchCommand(sim, verb, *on);
}

std::string runControlScript(Simulator& sim, const std::string& script) {
    std::istringstream lines(script);
    std::string line, out;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            out += runControlCommand(sim, line) + "\n";
    }
    return out;
}

}  // namespace routersim

// The router's account and session rules.
#include "AuthGate.h"

#include <openssl/rand.h>

#include <cstdio>

#include "WireText.h"

namespace routersim {

namespace {

std::vector<std::string> candidates(const std::string& text) {
    std::vector<std::string> out{text};
    if (auto decoded = base64Decode(text))
        out.push_back(*decoded);
    if (auto decoded = base64Decode(percentDecode(text)))
        out.push_back(*decoded);
    return out;
}

Response unauthorised() {
    Response r =
        Response::status("HTTP/1.1 401 Unauthorized", "<html><body>401 Unauthorized</body></html>");
    r.headers.insert(r.headers.begin(), {"WWW-Authenticate", "Basic realm=\"Router\""});
    return r;
}

Response busy() {
    return Response::status("HTTP/1.1 600 Another User Logged In",
                            "<html><body>Another user is logged in.</body></html>");
}

Response redirectToLogin() {
    Response r = Response::status("HTTP/1.1 307 Temporary Redirect",
                                  "<html><body>Please log in.</body></html>");
    r.headers.insert(r.headers.begin(), {"Location", "/Main_Login.asp"});
    return r;
}

std::string cookieToken(const std::string& cookieHeader) {
    const std::string key = "AuthByPasswd=";
    const auto pos = cookieHeader.find(key);
    if (pos == std::string::npos)
        return {};
    const auto start = pos + key.size();
    const auto end = cookieHeader.find(';', start);
    return cookieHeader.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

AuthGate::AuthGate(std::string user, std::string password)
    : user_(std::move(user)), password_(std::move(password)) {}

void AuthGate::setMode(AuthMode mode) {
    std::lock_guard lock(mutex_);
    mode_ = mode;
}

AuthMode AuthGate::mode() const {
    std::lock_guard lock(mutex_);
    return mode_;
}

void AuthGate::setAccount(std::string user, std::string password) {
    std::lock_guard lock(mutex_);
    user_ = std::move(user);
    password_ = std::move(password);
}

void AuthGate::setOtherUserLoggedIn(bool on) {
    std::lock_guard lock(mutex_);
    otherUser_ = on;
}

void AuthGate::setSessionLifetime(std::chrono::milliseconds lifetime) {
    std::lock_guard lock(mutex_);
    lifetime_ = lifetime;
}

void AuthGate::setLoginStatusLine(std::string line) {
    std::lock_guard lock(mutex_);
    loginStatus_ = std::move(line);
}

void AuthGate::expireAllSessions() {
    std::lock_guard lock(mutex_);
    sessions_.clear();
}

bool AuthGate::accountMatches(const std::string& user, const std::string& password) const {
    std::lock_guard lock(mutex_);
    bool userOk = false;
    for (const auto& u : candidates(user))
        userOk = userOk || u == user_;
    bool passwordOk = false;
    for (const auto& p : candidates(password))
        passwordOk = passwordOk || p == password_;
    return userOk && passwordOk;
}

bool AuthGate::basicAuthorisationValid(const Request& request) const {
    const auto header = request.header("Authorization");
    if (!header || !startsWith(*header, "Basic "))
        return false;
    const auto decoded = base64Decode(header->substr(6));
    if (!decoded)
        return false;
    const auto colon = decoded->find(':');
    if (colon == std::string::npos)
        return false;
    return accountMatches(decoded->substr(0, colon), decoded->substr(colon + 1));
}

std::string AuthGate::openSession() {
    unsigned char random[12];
    RAND_bytes(random, sizeof random);
    std::string token;
    char hex[3];
    for (unsigned char b : random) {
        std::snprintf(hex, sizeof hex, "%02x", b);
        token += hex;
    }
    std::lock_guard lock(mutex_);
    token += std::to_string(++counter_);
    const auto now = Clock::now();
    std::erase_if(sessions_, [now](const auto& entry) { return entry.second <= now; });
    sessions_[token] = now + lifetime_;
    return token;
}

bool AuthGate::sessionValid(const Request& request) {
    const auto cookie = request.header("Cookie");
    if (!cookie)
        return false;
    const std::string token = cookieToken(*cookie);
    std::lock_guard lock(mutex_);
    const auto it = sessions_.find(token);
    if (it == sessions_.end())
        return false;
    if (Clock::now() >= it->second) {
        sessions_.erase(it);
        return false;
    }
    return true;
}

Response AuthGate::login(const Request& request) {
    {
        std::lock_guard lock(mutex_);
        if (otherUser_)
            return busy();
    }
    const Params params = request.params();
    const auto user = paramValue(params, "login_username");
    // The password arrives percent-escaped on top of its Base64 form; splitQuery has already
    // undone the escapes once.
    const auto password = paramValue(params, "login_passwd");
    if (!user || !password || !accountMatches(*user, *password))
        return unauthorised();
    Response r = Response::text("<html><body>OK</body></html>", "text/html");
    {
        std::lock_guard lock(mutex_);
        r.statusLine = loginStatus_;
    }
    r.headers.insert(r.headers.begin(),
                     {"Set-Cookie", "AuthByPasswd=" + openSession() + "; path=/"});
    return r;
}

std::optional<Response> AuthGate::check(const Request& request) {
    {
        std::lock_guard lock(mutex_);
        if (otherUser_)
            return busy();
    }
    if (mode() == AuthMode::Session) {
        if (sessionValid(request))
            return std::nullopt;
        return redirectToLogin();
    }
    if (basicAuthorisationValid(request))
        return std::nullopt;
    return unauthorised();
}

}  // namespace routersim

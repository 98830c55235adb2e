// The router's account and session rules: Basic authorisation, session cookies with expiry, and
// the "another user is logged in" state that makes the router answer 600.
#pragma once

#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "Request.h"
#include "Response.h"

namespace routersim {

enum class AuthMode {
    Basic,    // every script needs a valid Basic authorisation (401 otherwise)
    Session,  // every script needs a valid AuthByPasswd cookie (307 otherwise)
};

class AuthGate {
  public:
    using Clock = std::chrono::steady_clock;

    AuthGate(std::string user, std::string password);

    void setMode(AuthMode mode);
    AuthMode mode() const;
    void setAccount(std::string user, std::string password);
    // While on, the router answers 600 to logins and scripts alike.
    void setOtherUserLoggedIn(bool on);
    void setSessionLifetime(std::chrono::milliseconds lifetime);
    // Status line of a successful login (routers answer 200, 307 or 404 here).
    void setLoginStatusLine(std::string line);
    // Ends every session at once (as a router reboot would).
    void expireAllSessions();

    // The login script: checks the account given in the query, opens a session.
    Response login(const Request& request);
    // nullopt when the request may proceed, otherwise the refusal to send.
    std::optional<Response> check(const Request& request);

    // Accepts the account as plain text, or as the client's Base64 (and percent-escaped
    // Base64) forms.
    bool accountMatches(const std::string& user, const std::string& password) const;
    bool basicAuthorisationValid(const Request& request) const;

  private:
    std::string openSession();
    bool sessionValid(const Request& request);

    mutable std::mutex mutex_;
    AuthMode mode_ = AuthMode::Basic;
    std::string user_;
    std::string password_;
    bool otherUser_ = false;
    std::string loginStatus_ = "HTTP/1.1 200 OK";
    std::chrono::milliseconds lifetime_{std::chrono::minutes(30)};
    std::map<std::string, Clock::time_point> sessions_;
    unsigned long counter_ = 0;
};

}  // namespace routersim

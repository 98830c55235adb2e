// The session login that fills SessionTokenHeader, the second account check of the
// connection test, and the service test that tells whether the router's service answers.
// All three block; they run on whatever thread calls them. Their reads of the setup entries
// and their reports go through ctx.forms (thread-safe), or the connection record without one.
#pragma once

#include <QString>
#include <string>

#include "router/FailureKind.h"
#include "router/LoginOutcome.h"
#include "router/RouterContext.h"

namespace fv {

// The login; sets or clears the session header and reports the outcome. Returns the outcome
// for callers that want it (the original returned nothing).
LoginOutcome fetchSessionToken(const RouterContext& ctx, const QString& host);

// The token of one reply header line by the k/s/e positions rule (empty when none).
std::string sessionTokenFromLine(const std::string& line);
// Sets SessionTokenHeader from one reply header line ("" clears it); returns the token.
std::string parseSessionToken(const RouterContext& ctx, const std::string& line);

// The account check; true on success, reports failures.
bool checkAccount(const RouterContext& ctx, const QString& host);

// The service test against the port of the last probe; true when the service answers.
bool testService(const RouterContext& ctx, const QString& host);

// What each request makes of its reply's outcome (see RouterOutcome::of).
LoginOutcome classifyLogin(FailureKind kind);
LoginOutcome classifyAccountCheck(FailureKind kind);
// For a request that got no success reply: is the service there anyway?
bool serviceAnswersDespiteFailure(FailureKind kind);

}  // namespace fv

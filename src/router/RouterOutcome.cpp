#include "router/RouterOutcome.h"

namespace fv {
namespace {

enum class Where { Status, Failure, Either };

struct CodeRule {
    const char* code;
    Where where;
    FailureKind kind;
};

// The status line decides first, in the order the login has always read it (200, 307, 404
// before 401 before 600); socket numbers only ever appear in failure texts. A failure text
// naming 401 or 600 beside a socket number is an answer of the service, so those come
// before 10061, and 10061 before a 307 that only the failure text names.
constexpr CodeRule kCodeRules[] = {
    {"200", Where::Status, FailureKind::None},
    {"307", Where::Status, FailureKind::Redirect},
    {"404", Where::Status, FailureKind::NotFound},
    {"401", Where::Either, FailureKind::Unauthorized},
    {"600", Where::Either, FailureKind::Busy},
    {"10061", Where::Failure, FailureKind::Refused},
    {"11001", Where::Failure, FailureKind::HostNotFound},
    {"307", Where::Failure, FailureKind::Redirect},
    {"404", Where::Failure, FailureKind::NotFound},
};

bool names(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

struct Texts {
    std::string status;   // only a status line that arrived counts
    std::string failure;  // only the failure of an exchange that failed counts
};

bool ruleMatches(const CodeRule& rule, const Texts& texts) {
    const bool inStatus = names(texts.status, rule.code);
    const bool inFailure = names(texts.failure, rule.code);
    switch (rule.where) {
        case Where::Status:
            return inStatus;
        case Where::Failure:
            return inFailure;
        case Where::Either:
            return inStatus || inFailure;
    }
    return false;
}

bool kindOfCode(const Texts& texts, FailureKind& kind) {
    for (const CodeRule& rule : kCodeRules) {
        if (ruleMatches(rule, texts)) {
            kind = rule.kind;
            return true;
        }
    }
    return false;
}

// For a response naming none of the codes: what the transport reported.
FailureKind kindWithoutCode(const HttpResponse& res, const std::string& failure) {
    if (res.cancelled)
        return FailureKind::Cancelled;
    if (names(failure, "Reply too large"))
        return FailureKind::TooLarge;
    if (res.timedOut)
        return FailureKind::TimedOut;
    if (names(failure, "Connection Closed Gracefully.") || names(failure, "10054"))
        return FailureKind::ConnectionClosed;
    if (res.replied || res.ok)
        return FailureKind::OtherStatus;
    return FailureKind::Other;
}

}  // namespace

RouterOutcome RouterOutcome::of(const HttpResponse& res, Expecting expecting) {
    RouterOutcome outcome;
    outcome.httpStatus = res.replied ? res.statusCode : 0;
    outcome.statusText = res.statusText;
    outcome.failureText = res.failureText;
    if (expecting == Expecting::Report && res.ok && isOtherPage(res.body)) {
        outcome.kind = FailureKind::NotAReport;
        return outcome;
    }
    const Texts texts{res.replied ? res.statusText : std::string(),
                      res.ok ? std::string() : res.failureText};
    if (!kindOfCode(texts, outcome.kind))
        outcome.kind = kindWithoutCode(res, texts.failure);
    return outcome;
}

bool RouterOutcome::isOtherPage(std::string_view body) {
    return body.find("?xml") != std::string_view::npos;
}

}  // namespace fv

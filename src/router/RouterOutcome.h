// The typed outcome of one router exchange, classified once from its response so that no
// caller has to search status lines or failure texts for codes. The texts are kept as they
// came: logs and labels show them unchanged.
#pragma once

#include <string>
#include <string_view>

#include "platform/HttpResponse.h"
#include "router/FailureKind.h"

namespace fv {

class RouterOutcome {
  public:
    enum class Expecting { AnyPage, Report };

    FailureKind kind = FailureKind::Other;
    int httpStatus = 0;       // 0 when no status line arrived
    std::string statusText;   // the status line, when one arrived
    std::string failureText;  // when the exchange failed: its cause as reported

    // A code counts wherever it appears in the status line that arrived or in the failure
    // text of a failed exchange (as a substring, case-sensitive): an error status leaves its
    // status line as the failure text, a socket error its number. When the texts name
    // several codes, the first rule in the classifier's order wins.
    static RouterOutcome of(const HttpResponse& response, Expecting expecting = Expecting::AnyPage);

    // A reply holding "?xml" anywhere is some other page of the router, not a task report.
    static bool isOtherPage(std::string_view body);
};

}  // namespace fv

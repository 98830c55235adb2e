// The result of a login or an account check, as shown on the setup pages.
#pragma once

namespace fv {

enum class LoginOutcome { Success, Rejected, Busy, OtherFailure };

enum class LoginCheck { Login, AccountCheck };

struct LoginReport {
    LoginCheck check = LoginCheck::Login;
    LoginOutcome outcome = LoginOutcome::OtherFailure;
    int serviceLevel = 0;  // 103 or less adds the update hint to failure texts
};

}  // namespace fv

// The router's download-service switch, driven by the connection page's two radio buttons
// (RadioBtnFVEnable_Setup: 1, RadioBtnFVDisable_Setup: 0) through the maker's utility library.
//
// A switch runs, in this order: the library's host address and account check, only until the
// router has accepted the account once in this run; a 500 ms pause, which gives the router
// time between the account check and the command; then the enable call with the value, also
// when the account check failed. The whole sequence runs on the client's runner, never on the
// UI thread, and its outcome (the enable call's result) comes back on the caller's thread.
// Requests wait for the one before them, so two clicks reach the router in click order.
#pragma once

#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

#include "pelutil/pelutil.h"
#include "platform/TaskRunner.h"
#include "router/SettingsRecords.h"

namespace fv {

// The library calls the switch makes: the real library unless a test wraps them to watch the
// arguments the router cannot see (the host call sends nothing by itself).
struct UtilityCalls {
    std::function<int(PELHANDLE, const char*, int, uint8_t)> hostAddress = PELUtil_HostAddress;
    std::function<int(PELHANDLE, const char*, const char*)> authorization = PELUtil_Authorization;
    std::function<int(PELHANDLE, int)> enableService = PEL_RT_EnableFerrovane;
};

// Port and https flag for the library's host call, from the wizard's authentication method
// and port texts: "https" takes the port's number (8443 when it is not one), anything else
// is plain HTTP on port 80.
struct UtilityAddress {
    int port = 80;
    uint8_t https = 0;
};
UtilityAddress utilityAddressFor(const QString& authMethod, const QString& authPortText);

struct ServiceSwitchRequest {
    bool enable = false;
    QString authMethod;    // text of ComboBox_AuthMethod_SetupWizard2
    QString authPortText;  // text of Edit_AuthPort_SetupWizard2
};

class ServiceSwitch {
  public:
    // result: what the enable call returned (PELUTIL_OK or a PELUTIL_E_* error).
    using Done = std::function<void(int result)>;

    struct Options {
        UtilityCalls calls;
        int settleMs = 500;
    };

    // runner and records must outlive the switch. UI thread only.
    ServiceSwitch(TaskRunner& runner, SettingsRecords& records);
    ServiceSwitch(TaskRunner& runner, SettingsRecords& records, Options options);
    ~ServiceSwitch();
    ServiceSwitch(const ServiceSwitch&) = delete;
    ServiceSwitch& operator=(const ServiceSwitch&) = delete;

    // Starts the switch, or queues it behind the one running. The account is read from the
    // connection record when the request starts. done may be empty; it is dropped when the
    // switch is gone by the time the work ends.
    void request(const ServiceSwitchRequest& request, Done done);

    // The router accepted the account in this run; no more host or account calls are made.
    bool accountAccepted() const;
    // A request is running or waiting.
    bool busy() const;

  private:
    struct State;
    static void startNext(const std::shared_ptr<State>& state);

    std::shared_ptr<State> state_;
};

}  // namespace fv

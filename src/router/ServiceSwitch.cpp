#include "router/ServiceSwitch.h"

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <utility>

#include "platform/DebugLog.h"

namespace fv {
namespace {

constexpr int kDefaultHttpsPort = 8443;

}  // namespace

UtilityAddress utilityAddressFor(const QString& authMethod, const QString& authPortText) {
    if (authMethod != QLatin1String("https"))
        return {80, 0};
    bool isNumber = false;
    const int port = authPortText.trimmed().toInt(&isNumber);
    return {isNumber ? port : kDefaultHttpsPort, 1};
}

// What the worker and the queue share. The worker keeps it alive while it runs, so a switch
// destroyed mid-request never frees the handle or the calls under it.
struct ServiceSwitch::State {
    struct Waiting {
        ServiceSwitchRequest request;
        Done done;
    };

    State(TaskRunner& r, SettingsRecords& rec, Options o)
        : runner(&r),
          records(&rec),
          calls(std::move(o.calls)),
          settleMs(o.settleMs),
          handle(PELUtil_Init(0, 0, 0, nullptr)) {}
    ~State() {
        if (handle)
            PELUtil_FreeHandle(handle);
    }

    // Worker side: the library's handle, its calls and the account flag.
    int execute(const ServiceSwitchRequest& request, const ConnectionProfile& account) {
        if (!accepted.load()) {
            const UtilityAddress address =
                utilityAddressFor(request.authMethod, request.authPortText);
            const std::string host = account.ServerAddress.toStdString();
            const std::string user = account.UserName.toStdString();
            const std::string password = account.Password.toStdString();
            const int hostResult =
                calls.hostAddress(handle, host.c_str(), address.port, address.https);
            const int authResult = calls.authorization(handle, user.c_str(), password.c_str());
            DebugLog::write(QString("ServiceSwitch: host %1 https %2 -> %3, account -> %4")
                                .arg(address.port)
                                .arg(address.https)
                                .arg(hostResult)
                                .arg(authResult));
            if (authResult == PELUTIL_OK)
                accepted.store(true);
        }
        if (settleMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
        const int result = calls.enableService(handle, request.enable ? 1 : 0);
        DebugLog::write(
            QString("ServiceSwitch: enable %1 -> %2").arg(request.enable ? 1 : 0).arg(result));
        return result;
    }

    // UI-thread side.
    TaskRunner* runner;
    SettingsRecords* records;
    std::deque<Waiting> waiting;
    bool running = false;
    bool switchGone = false;  // the ServiceSwitch was destroyed: nothing more is reported

    const UtilityCalls calls;
    const int settleMs;
    const PELHANDLE handle;
    std::atomic<bool> accepted{false};
};

ServiceSwitch::ServiceSwitch(TaskRunner& runner, SettingsRecords& records)
    : ServiceSwitch(runner, records, Options{}) {}

ServiceSwitch::ServiceSwitch(TaskRunner& runner, SettingsRecords& records, Options options)
    : state_(std::make_shared<State>(runner, records, std::move(options))) {}

ServiceSwitch::~ServiceSwitch() {
    state_->switchGone = true;
    state_->waiting.clear();
}

void ServiceSwitch::request(const ServiceSwitchRequest& request, Done done) {
    state_->waiting.push_back({request, std::move(done)});
    if (!state_->running)
        startNext(state_);
}

bool ServiceSwitch::accountAccepted() const {
    return state_->accepted.load();
}

bool ServiceSwitch::busy() const {
    return state_->running || !state_->waiting.empty();
}

void ServiceSwitch::startNext(const std::shared_ptr<State>& state) {
    if (state->waiting.empty()) {
        state->running = false;
        return;
    }
    State::Waiting next = std::move(state->waiting.front());
    state->waiting.pop_front();
    state->running = true;
    const ConnectionProfile account = state->records->connection();
    auto result = std::make_shared<int>(PELUTIL_E_NETWORK);
    state->runner->run([state, request = next.request, account,
                        result] { *result = state->execute(request, account); },
                       [state, result, done = std::move(next.done)] {
                           if (state->switchGone)
                               return;
                           if (done)
                               done(*result);
                           if (!state->switchGone)
                               startNext(state);
                       });
}

}  // namespace fv

#include "platform/QuitOnSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <array>
#include <cerrno>

#include "platform/DebugLog.h"

namespace fv {
namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};
int pipeFds[2] = {-1, -1};

void writeSignalByte(int signal) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] ssize_t written = ::write(pipeFds[1], &byte, 1);
    errno = saved;
}

}  // namespace

QuitOnSignals::QuitOnSignals(std::function<void(int)> onSignal) : onSignal_(std::move(onSignal)) {
    if (pipeFds[0] >= 0 || ::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        DebugLog::write("QuitOnSignals: cannot install the signal pipe");
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(pipeFds[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { drain(); });
    struct sigaction action {};
    action.sa_handler = writeSignalByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
    installed_ = true;
}

QuitOnSignals::~QuitOnSignals() {
    if (!installed_)
        return;
    for (int signal : kSignals)
        ::signal(signal, SIG_DFL);
    notifier_.reset();
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    pipeFds[0] = pipeFds[1] = -1;
}

void QuitOnSignals::drain() {
    unsigned char byte = 0;
    while (::read(pipeFds[0], &byte, 1) == 1) {
        if (onSignal_)
            onSignal_(byte);
    }
}

}  // namespace fv

#include "platform/Timer.h"

namespace fv {

QtTimer::QtTimer(int intervalMs) {
    timer_.setInterval(intervalMs);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
        if (handler_)
            handler_();
    });
}

void QtTimer::setInterval(int ms) {
    timer_.setInterval(ms);
}

int QtTimer::interval() const {
    return timer_.interval();
}

void QtTimer::setEnabled(bool on) {
    if (on && !timer_.isActive())
        timer_.start();
    if (!on)
        timer_.stop();
}

bool QtTimer::enabled() const {
    return timer_.isActive();
}

void QtTimer::setHandler(std::function<void()> handler) {
    handler_ = std::move(handler);
}

}  // namespace fv

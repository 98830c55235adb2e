#include "app/SpeedHistory.h"

#include <algorithm>
#include <cmath>

namespace fv {
namespace {

double sane(double v) {
    return std::isfinite(v) && v > 0 ? v : 0.0;
}

// 1, 2 or 5 times a power of ten, at or above v (v > 0).
double roundUp(double v) {
    const double power = std::pow(10.0, std::floor(std::log10(v)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= v * (1 - 1e-12))
            return m * power;
    return 10 * power;
}

}  // namespace

void SpeedHistory::add(int64_t atMs, double downKBps, double upKBps) {
    if (!samples_.empty() && atMs < samples_.back().atMs)
        samples_.clear();
    samples_.push_back({atMs, sane(downKBps), sane(upKBps)});
    while (!samples_.empty() && samples_.front().atMs < atMs - kSpanMs)
        samples_.pop_front();
}

double SpeedHistory::peakKBps() const {
    double peak = 0;
    for (const Sample& s : samples_)
        peak = std::max({peak, s.downKBps, s.upKBps});
    return peak;
}

SpeedHistory::Axis SpeedHistory::axisFor(double peakKBps) {
    const double peak = sane(peakKBps);
    Axis axis;
    if (peak <= 0) {
        axis.topKBps = 10;
        return axis;
    }
    if (peak >= 1000) {
        axis.megabytes = true;
        axis.topKBps = roundUp(peak / 1000) * 1000;
    } else {
        axis.topKBps = std::max(1.0, roundUp(peak));
    }
    return axis;
}

QString SpeedHistory::Axis::label(double fraction) const {
    const double kbps = topKBps * std::clamp(fraction, 0.0, 1.0);
    const double value = megabytes ? kbps / 1000 : kbps;
    // Up to one decimal, none when whole: "2.5 MB/s", "40 KB/s".
    const QString number = std::abs(value - std::round(value)) < 1e-9
                               ? QString::number(std::llround(value))
                               : QString::number(value, 'f', 1);
    return number + (megabytes ? QStringLiteral(" MB/s") : QStringLiteral(" KB/s"));
}

}  // namespace fv

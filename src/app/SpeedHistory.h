// The total download and upload speed of the last ten minutes, one sample per refresh (the
// figures the tray's tooltip shows), and the axis a small plot of it uses.
#pragma once

#include <QString>
#include <cstdint>
#include <deque>

namespace fv {

class SpeedHistory {
  public:
    static constexpr int64_t kSpanMs = 10 * 60 * 1000;

    struct Sample {
        int64_t atMs = 0;
        double downKBps = 0;
        double upKBps = 0;
        bool operator==(const Sample&) const = default;
    };

    // Samples older than the span before atMs fall out. A clock that runs backwards (a
    // sample older than the newest) starts the history again rather than drawing loops.
    // Negative or non-finite speeds count as 0.
    void add(int64_t atMs, double downKBps, double upKBps);
    const std::deque<Sample>& samples() const { return samples_; }
    // The largest speed of either direction in the history (0 when empty).
    double peakKBps() const;

    struct Axis {
        double topKBps = 0;      // the plot's top line
        bool megabytes = false;  // labels in MB/s rather than KB/s
        // "40 KB/s", "2.5 MB/s": the value of a line at this fraction of the top (0..1).
        QString label(double fraction) const;
    };
    // A round top (1, 2 or 5 times a power of ten, in the labels' unit) at or above the peak;
    // 10 KB/s for a quiet history.
    static Axis axisFor(double peakKBps);

  private:
    std::deque<Sample> samples_;
};

}  // namespace fv

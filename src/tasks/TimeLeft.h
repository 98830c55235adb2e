// The estimated time until a task finishes, from its size, progress and download speed texts.
// The router writes sizes and speeds with a "." and binary multiples ("3.8 GB", "2100.0 KB/s");
// the list writes progress with the user's own decimal separator ("42,5%" in German), so the
// reading here accepts either separator and never depends on the running locale.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "tasks/TaskListRow.h"

namespace fv {

class TimeLeft {
  public:
    enum class Kind {
        None,      // finished, seeding, queued, or not enough to estimate from
        Stalled,   // still to download, but nothing arrives ("∞")
        Estimate,  // seconds() holds the estimate
    };

    TimeLeft() = default;
    static TimeLeft stalled() { return TimeLeft(Kind::Stalled, 0); }
    static TimeLeft inSeconds(int64_t s) { return TimeLeft(Kind::Estimate, s); }

    static TimeLeft of(const TaskListRow& row);
    static TimeLeft of(const QString& status, const QString& progress, const QString& size,
                       const QString& downloadSpeed, bool uploadRow);

    Kind kind() const { return kind_; }
    int64_t seconds() const { return seconds_; }
    // "" / "∞" / "m:ss" under an hour / "h:mm:ss".
    QString text() const;
    // Orders "nothing" first, then estimates by length, then stalled.
    int64_t sortKey() const;

    // "3.8 GB", "2100.0 KB/s", "12KBps", "300 B" in bytes (per second); binary multiples.
    static std::optional<double> bytes(const QString& text);
    // "42%", "42.5%", "42,5%" as 42.5.
    static std::optional<double> percent(const QString& text);

    bool operator==(const TimeLeft&) const = default;

  private:
    TimeLeft(Kind kind, int64_t seconds) : kind_(kind), seconds_(seconds) {}

    Kind kind_ = Kind::None;
    int64_t seconds_ = 0;
};

}  // namespace fv

// Paging by pressing a scroll-bar track outside the thumb: one page at once, then again in the
// same direction on each mouse move over the track once 100 ms have passed since the last page.
#pragma once

#include <cstdint>

#include "platform/Clock.h"

namespace fv {

class TrackPager {
  public:
    static constexpr int kRepeatMs = 100;

    explicit TrackPager(const Clock& clock) : clock_(clock) {}

    // pos on the track; the thumb covers [thumbStart, thumbEnd). Returns the page direction
    // (-1 toward the start, +1 toward the end) or 0 for a press on the thumb.
    int press(int pos, int thumbStart, int thumbEnd);
    // The button is still down and the pointer moved; returns the direction when a page is due.
    int move(bool overTrack);
    void release() { direction_ = 0; }
    bool active() const { return direction_ != 0; }

  private:
    const Clock& clock_;
    int direction_ = 0;
    int64_t lastPageMs_ = 0;
};

}  // namespace fv

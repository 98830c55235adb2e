#include "app/HorizontalScroll.h"

#include <algorithm>

namespace fv {

void HorizontalScroll::recompute(int overflow, int trackWidth) {
    trackWidth_ = std::max(0, trackWidth);
    if (overflow < 1) {
        visible_ = false;
        pos_ = 0;
        max_ = 0;
        thumbWidth_ = trackWidth_;
        return;
    }
    if (!visible_)
        pos_ = 0;
    visible_ = true;
    max_ = overflow / kStepPx;
    // Wide overflow on a short track would leave no thumb at all; keep one to grab.
    thumbWidth_ = std::max(trackWidth_ - overflow, std::min(kMinThumb, trackWidth_));
    // A thumb that would run past the track's end is pulled back by whole steps.
    pos_ = std::min(pos_, max_);
}

int HorizontalScroll::thumbOffset() const {
    return std::clamp(pos_ * kStepPx, 0, std::max(0, trackWidth_ - thumbWidth_));
}

bool HorizontalScroll::moveTo(int pos) {
    const int next = std::clamp(pos, 0, max_);
    if (!visible_ || next == pos_)
        return false;
    pos_ = next;
    return true;
}

}  // namespace fv

#include "app/TrackPager.h"

namespace fv {

int TrackPager::press(int pos, int thumbStart, int thumbEnd) {
    if (pos < thumbStart)
        direction_ = -1;
    else if (pos >= thumbEnd)
        direction_ = 1;
    else
        direction_ = 0;
    lastPageMs_ = clock_.nowMs();
    return direction_;
}

int TrackPager::move(bool overTrack) {
    if (direction_ == 0 || !overTrack)
        return 0;
    const int64_t now = clock_.nowMs();
    if (now - lastPageMs_ < kRepeatMs)
        return 0;
    lastPageMs_ = now;
    return direction_;
}

}  // namespace fv

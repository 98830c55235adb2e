#include "app/VerticalScrollRule.h"

#include <algorithm>

namespace fv {

VerticalScrollRule::Thumb VerticalScrollRule::compute(int rowCount, int trackHeight,
                                                      int visibleLines) {
    Thumb t;
    if (rowCount <= visibleLines)
        return t;
    const int hidden = rowCount - visibleLines;
    t.visible = true;
    t.step = 5;
    while (trackHeight - hidden * t.step < kMinThumb && t.step > 1)
        --t.step;
    // A short track with many rows would give a negative height; keep a thumb one can grab
    // and let it stop at the track's end instead.
    t.height = std::max(trackHeight - hidden * t.step, std::min(kMinThumb, trackHeight));
    return t;
}

int VerticalScrollRule::thumbOffset(const Thumb& thumb, int topRow, int trackHeight) {
    if (!thumb.visible)
        return 0;
    const int offset = std::max(0, topRow) * thumb.step;
    return std::clamp(offset, 0, std::max(0, trackHeight - thumb.height));
}

}  // namespace fv

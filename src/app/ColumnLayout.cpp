#include "app/ColumnLayout.h"

#include <numeric>

namespace fv {

ColumnLayout::ColumnLayout(const Widths& designed) : widths_(designed) {
    widths_[kColUpSpeed] += kLastColumnExtra;
    initialTotal_ = total();
}

int ColumnLayout::left(int column) const {
    return std::accumulate(widths_.begin(), widths_.begin() + column, 0);
}

int ColumnLayout::total() const {
    return std::accumulate(widths_.begin(), widths_.end(), 0);
}

void ColumnLayout::press(int column) {
    dragColumn_ = column >= 0 && column < kColumnCount ? column : -1;
    guide_ = 0;
}

bool ColumnLayout::allowed(int column, int x) const {
    const int w = widths_[column];
    if (x >= 0) {
        const int grow = downward(x);
        return w + grow <= kMaxWidth && total() + grow <= 2 * initialTotal_ - kReserve;
    }
    return w + towardZero(x) >= kMinWidth;
}

bool ColumnLayout::dragTo(int x) {
    if (dragColumn_ < 0 || !allowed(dragColumn_, x))
        return false;
    guide_ = x;
    return true;
}

int ColumnLayout::release() {
    if (dragColumn_ < 0)
        return 0;
    const int change = towardZero(guide_);
    widths_[dragColumn_] += change;
    dragColumn_ = -1;
    guide_ = 0;
    return change;
}

}  // namespace fv

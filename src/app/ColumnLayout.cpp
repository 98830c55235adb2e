#include "app/ColumnLayout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace fv {

ColumnLayout::ColumnLayout(const Widths& designed) : widths_(designed) {
    widths_[kColumnCount - 1] += kLastColumnExtra;
    initialTotal_ = total();
    viewport_ = initialTotal_;
    settle();
}

void ColumnLayout::settle() {
    base_ = widths_;
    baseViewport_ = viewport_;
}

bool ColumnLayout::restore(const Widths& widths) {
    int sum = 0;
    for (int w : widths) {
        if (w < kMinWidth || w > std::max(kMaxWidth, viewport_))
            return false;
        sum += w;
    }
    if (sum > 2 * viewport_ - kReserve)
        return false;
    widths_ = widths;
    dragColumn_ = -1;
    guide_ = 0;
    settle();
    return true;
}

void ColumnLayout::fitTo(int viewport) {
    viewport_ = std::max(viewport, initialTotal_);
    const int baseTotal = std::accumulate(base_.begin(), base_.end(), 0);
    // Columns the user widened past the view keep their widths; the others share the change
    // in proportion to their widths, computed from the same base each time so that the
    // widths come back exactly when the view does.
    if (baseTotal > baseViewport_ || baseTotal <= 0) {
        widths_ = base_;
        return;
    }
    const int target = baseTotal + (viewport_ - baseViewport_);
    std::array<double, kColumnCount> lost{};
    int sum = 0;
    for (int k = 0; k < kColumnCount; ++k) {
        const double exact = double(base_[k]) * target / baseTotal;
        widths_[k] = std::max(kMinWidth, static_cast<int>(std::floor(exact)));
        lost[k] = exact - std::floor(exact);
        sum += widths_[k];
    }
    // The pixels the rounding dropped go to the columns that lost most of one.
    while (sum < target) {
        const auto k = std::max_element(lost.begin(), lost.end()) - lost.begin();
        ++widths_[size_t(k)];
        lost[size_t(k)] = -1;
        ++sum;
    }
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
        return w + grow <= kMaxWidth && total() + grow <= 2 * viewport_ - kReserve;
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
    if (change != 0)
        settle();
    return change;
}

}  // namespace fv

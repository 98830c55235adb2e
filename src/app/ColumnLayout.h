// Widths of the list columns and the drag of a column's width handle: limits 50 and 380
// pixels, changes in steps of 5, and a total that stays within twice the view's width minus 40.
// The view starts as wide as the designed columns; a wider window widens it (fitTo) and the
// columns share the extra width.
#pragma once

#include <array>

#include "app/TaskRowSource.h"

namespace fv {

class ColumnLayout {
  public:
    static constexpr int kMinWidth = 50;
    static constexpr int kMaxWidth = 380;
    static constexpr int kReserve = 40;
    static constexpr int kStep = 5;
    // The last column starts this much wider than designed, to fill the list's width.
    static constexpr int kLastColumnExtra = 10;

    using Widths = std::array<int, kColumnCount>;

    // The designed widths; the last column gets its extra and the sum is the initial total.
    explicit ColumnLayout(const Widths& designed);

    int width(int column) const { return widths_[column]; }
    int left(int column) const;  // before horizontal scrolling
    int total() const;
    int initialTotal() const { return initialTotal_; }
    // The width of the visible list area (the initial total until the window grows).
    int viewport() const { return viewport_; }
    int overflow() const { return total() - viewport_; }
    // Widths an earlier run left: each at least 50 and at most the view's width (or 380), the
    // total at most twice the view's width minus the reserve; refused (false) otherwise.
    bool restore(const Widths& widths);
    // The visible list area became this wide (never narrower than the initial total).
    void fitTo(int viewport);
    const Widths& widths() const { return widths_; }

    // Width drag: press on the handle of `column`, move by x pixels from the press point.
    void press(int column);
    bool dragging(int column) const { return dragColumn_ == column; }
    // True when the guide line may follow the pointer to x.
    bool dragTo(int x);
    // Where the guide line stands, relative to the handle.
    int guideOffset() const { return guide_; }
    // Ends the drag and applies the guide's distance, rounded toward zero to a step. Returns
    // the change applied to the column (0 when none).
    int release();

    static int towardZero(int x) { return x / kStep * kStep; }
    static int downward(int x) { return x >= 0 ? towardZero(x) : -towardZero(-x + kStep - 1); }

  private:
    bool allowed(int column, int x) const;
    // The present widths become the ones a later fitTo shares the width from.
    void settle();

    Widths widths_;
    Widths base_{};
    int initialTotal_ = 0;
    int viewport_ = 0;
    int baseViewport_ = 0;
    int dragColumn_ = -1;
    int guide_ = 0;
};

}  // namespace fv

// The horizontal scroll bar of the list: it appears when the columns grew wider than the list,
// and moves every title, handle and line label by 5 pixels per step.
#pragma once

namespace fv {

class HorizontalScroll {
  public:
    static constexpr int kStepPx = 5;
    static constexpr int kPageSteps = 4;
    static constexpr int kMinThumb = 10;

    // Recomputed after every width change; overflow = total column width - initial total.
    void recompute(int overflow, int trackWidth);

    bool visible() const { return visible_; }
    int pos() const { return pos_; }
    int max() const { return max_; }
    int thumbWidth() const { return thumbWidth_; }
    int thumbOffset() const;
    // How far the columns are shifted left.
    int shiftPx() const { return pos_ * kStepPx; }

    // Each returns true when the position moved.
    bool stepLeft() { return moveTo(pos_ - 1); }
    bool stepRight() { return moveTo(pos_ + 1); }
    bool pageLeft() { return moveTo(pos_ - kPageSteps); }
    bool pageRight() { return moveTo(pos_ + kPageSteps); }
    bool moveTo(int pos);

  private:
    bool visible_ = false;
    int pos_ = 0;
    int max_ = 0;
    int thumbWidth_ = 0;
    int trackWidth_ = 0;
};

}  // namespace fv

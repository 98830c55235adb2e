// A scroll-bar thumb dragged with the mouse: every move far enough from the press point moves
// the view one step in that direction (vertical bar: more than 1 pixel; horizontal: 3 or more).
#pragma once

namespace fv {

class ThumbDrag {
  public:
    // minDistance: the smallest distance from the press point that counts as a step.
    explicit ThumbDrag(int minDistance) : minDistance_(minDistance) {}

    void press(int pos) {
        active_ = true;
        pressPos_ = pos;
    }
    // -1, 0 or +1: the step this move asks for.
    int move(int pos) const {
        if (!active_)
            return 0;
        const int d = pos - pressPos_;
        if (d >= minDistance_)
            return 1;
        if (-d >= minDistance_)
            return -1;
        return 0;
    }
    void release() { active_ = false; }
    bool active() const { return active_; }

    static ThumbDrag vertical() { return ThumbDrag(2); }
    static ThumbDrag horizontal() { return ThumbDrag(3); }

  private:
    int minDistance_;
    int pressPos_ = 0;
    bool active_ = false;
};

}  // namespace fv

// The vertical scroll bar of the task list (five lines, or more in a taller window): how many
// pixels the thumb moves per hidden row, how tall it is and where it sits.
#pragma once

namespace fv {

class VerticalScrollRule {
  public:
    static constexpr int kVisibleLines = 5;
    static constexpr int kPageStep = 4;
    static constexpr int kMinThumb = 5;

    struct Thumb {
        bool visible = false;  // also: the bar accepts input
        int step = 0;          // vThumbStep: pixels per hidden row, 1 to 5 (0 when hidden)
        int height = 0;
    };

    // rowCount rows over a track of trackHeight pixels, visibleLines of them drawn.
    static Thumb compute(int rowCount, int trackHeight, int visibleLines = kVisibleLines);
    // Offset of the thumb's top from the track's top.
    static int thumbOffset(const Thumb& thumb, int topRow, int trackHeight);
};

}  // namespace fv

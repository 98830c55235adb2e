// Fits a caption into its control after a language changed it: a text wider than the
// control first wraps at word boundaries where the control has room for more lines, then
// takes a smaller font (down to kMinPixelSize), and only then is cut with an ellipsis, its
// whole text kept in the hint. So no caption ends in half a glyph at the control's edge.
#pragma once

class QWidget;

namespace fv::ui {

class TextFitter {
  public:
    static constexpr int kMinPixelSize = 9;

    static void fit(QWidget* control);
    // Whether the control's caption shows whole (wrapped lines included) or ends in an
    // ellipsis; false when some of it falls outside the control.
    static bool fits(const QWidget* control);
};

}  // namespace fv::ui

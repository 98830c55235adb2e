// The drawn lines of the task list over the model (five, or as many as a taller window fits):
// which row shows on which line, the selection and its highlight, scrolling and the
// once-a-second tidy-up of lines the model no longer fills. Pure state; the window renders it.
#pragma once

#include <QString>
#include <array>
#include <vector>

#include "app/TaskRowSource.h"

namespace fv {

struct ShownLine {
    std::array<QString, kColumnCount> texts;
    int picture = -1;           // progress picture number, -1 for none
    bool acceptsInput = false;  // only lines that got a row react to the mouse
    bool empty() const { return texts[kColName].isEmpty() && texts[kColStatus].isEmpty(); }
};

class TaskLinesView {
  public:
    // The skin's five lines: the default and the fewest.
    static constexpr int kLines = 5;
    static constexpr int kPageStep = 4;
    // More lines than the model can hold rows would only stay empty.
    static constexpr int kMaxLines = 64;

    int lineCount() const { return static_cast<int>(lines_.size()); }
    // A taller or shorter list (kLines to kMaxLines). Lines it adds are empty until the next
    // paint; the top row is pulled back so that the last rows fill the lines.
    void setLineCount(int lines, int rowCount);
    // A page step keeps one line of the previous page in view (4 on five lines).
    int pageStep() const { return lineCount() - 1; }

    int topRow() const { return topRow_; }
    int selectedRow() const { return selectedRow_; }
    // 0-based line that carries the highlight, -1 for none.
    int highlightedLine() const { return highlightLine_; }
    const ShownLine& line(int index) const { return lines_[index]; }

    // Fills the lines from topRow; lines past the model's end keep what they showed.
    void paint(const TaskRowSource& rows);
    void clearLines();
    void clearHighlight() { highlightLine_ = -1; }
    // Selection none, top row 0, lines and highlight cleared.
    void reset();
    void highlight(int rowCount);
    // TimerBlackLV: clears lines the model stopped filling, then paints.
    void timerTick(const TaskRowSource& rows);

    // Scrolling; each returns true when topRow moved (the caller repaints and re-highlights).
    bool lineUp();
    bool lineDown(int rowCount);
    bool pageUp();
    bool pageDown(int rowCount);
    // direction < 0 is up. Only while the task page shows and rows are hidden.
    bool wheel(int direction, int rowCount, bool taskPageShowing);
    bool setTopRow(int row, int rowCount);

    // A click on line `index` (0-based); false (nothing done) when the line is empty.
    bool selectLine(int index);
    // After a sort found the selected task again.
    void setSelectedRow(int row) { selectedRow_ = row; }

    enum class Move { Up, Down, PageUp, PageDown, Home, End };
    // Keyboard: moves the selection and scrolls it into view; false when nothing changed.
    bool moveSelection(Move move, int rowCount);

  private:
    int maxTop(int rowCount) const { return rowCount > lineCount() ? rowCount - lineCount() : 0; }

    std::vector<ShownLine> lines_ = std::vector<ShownLine>(kLines);
    int topRow_ = 0;
    int selectedRow_ = -1;
    int highlightLine_ = -1;
};

}  // namespace fv

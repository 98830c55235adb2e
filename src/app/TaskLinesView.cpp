#include "app/TaskLinesView.h"

#include <algorithm>

#include "app/ProgressPicture.h"

namespace fv {

void TaskLinesView::setLineCount(int lines, int rowCount) {
    lines_.resize(static_cast<size_t>(std::clamp(lines, kLines, kMaxLines)));
    topRow_ = std::clamp(topRow_, 0, maxTop(rowCount));
    highlight(rowCount);
}

void TaskLinesView::paint(const TaskRowSource& rows) {
    const int count = rows.rowCount();
    for (int n = 0; n < lineCount(); ++n) {
        const int row = topRow_ + n;
        if (row < 0 || row >= count)
            continue;
        ShownLine& l = lines_[n];
        for (int c = 0; c < kColumnCount; ++c)
            l.texts[c] = rows.text(row, c);
        l.picture = ProgressPicture::index(l.texts[kColProgress]);
        l.acceptsInput = true;
    }
}

void TaskLinesView::clearLines() {
    std::fill(lines_.begin(), lines_.end(), ShownLine{});
}

void TaskLinesView::reset() {
    selectedRow_ = -1;
    topRow_ = 0;
    clearLines();
    clearHighlight();
}

void TaskLinesView::highlight(int rowCount) {
    const int line = selectedRow_ - topRow_;
    const bool shown =
        selectedRow_ >= 0 && selectedRow_ < rowCount && line >= 0 && line < lineCount();
    highlightLine_ = shown ? line : -1;
}

void TaskLinesView::timerTick(const TaskRowSource& rows) {
    const int count = rows.rowCount();
    if (count == 0) {
        if (!lines_[0].texts[kColStatus].isEmpty())
            reset();
        return;
    }
    if (count < lineCount() && !lines_[size_t(count)].texts[kColStatus].isEmpty())
        reset();
    // A model that shrank while scrolled down would leave the lower lines showing rows that
    // are gone and the view stuck past the end: pull the view back first.
    topRow_ = std::clamp(topRow_, 0, maxTop(count));
    for (int n = 0; n < lineCount(); ++n) {
        if (topRow_ + n >= count)
            lines_[size_t(n)] = ShownLine{};
    }
    paint(rows);
    highlight(count);
}

bool TaskLinesView::lineUp() {
    if (topRow_ <= 0)
        return false;
    --topRow_;
    return true;
}

bool TaskLinesView::lineDown(int rowCount) {
    if (topRow_ < 0 || topRow_ >= rowCount - lineCount())
        return false;
    ++topRow_;
    return true;
}

bool TaskLinesView::pageUp() {
    const int next = std::max(0, topRow_ - pageStep());
    if (next >= topRow_)
        return false;
    topRow_ = next;
    return true;
}

bool TaskLinesView::pageDown(int rowCount) {
    return setTopRow(std::min(topRow_ + pageStep(), maxTop(rowCount)), rowCount);
}

bool TaskLinesView::wheel(int direction, int rowCount, bool taskPageShowing) {
    if (!taskPageShowing || rowCount <= lineCount() || direction == 0)
        return false;
    return direction < 0 ? lineUp() : lineDown(rowCount);
}

bool TaskLinesView::setTopRow(int row, int rowCount) {
    const int next = std::clamp(row, 0, maxTop(rowCount));
    if (next == topRow_)
        return false;
    topRow_ = next;
    return true;
}

bool TaskLinesView::selectLine(int index) {
    if (index < 0 || index >= lineCount() || !lines_[size_t(index)].acceptsInput)
        return false;
    selectedRow_ = topRow_ + index;
    highlightLine_ = index;
    return true;
}

bool TaskLinesView::moveSelection(Move move, int rowCount) {
    if (rowCount <= 0)
        return false;
    const int last = rowCount - 1;
    const int from = selectedRow_ < 0 || selectedRow_ > last ? -1 : selectedRow_;
    int to = from;
    switch (move) {
        case Move::Up:
            to = from < 0 ? topRow_ : from - 1;
            break;
        case Move::Down:
            to = from < 0 ? topRow_ : from + 1;
            break;
        case Move::PageUp:
            to = from < 0 ? topRow_ : from - pageStep();
            break;
        case Move::PageDown:
            to = from < 0 ? topRow_ : from + pageStep();
            break;
        case Move::Home:
            to = 0;
            break;
        case Move::End:
            to = last;
            break;
    }
    to = std::clamp(to, 0, last);
    const int oldTop = topRow_;
    if (to < topRow_)
        topRow_ = to;
    else if (to >= topRow_ + lineCount())
        topRow_ = to - lineCount() + 1;
    topRow_ = std::clamp(topRow_, 0, maxTop(rowCount));
    const bool changed = to != selectedRow_ || topRow_ != oldTop;
    selectedRow_ = to;
    highlight(rowCount);
    return changed;
}

}  // namespace fv

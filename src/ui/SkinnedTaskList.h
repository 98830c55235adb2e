// The skinned task list: clickable column titles with width handles and a guide line, five
// line images (more in a taller window) carrying a label per column and a progress picture
// each, and its own vertical and horizontal scroll bars. It draws the task rows it is given and
// reports what the user asks for (sort, view, task menu, remove); the decisions live in
// TaskLinesView and friends.
#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "app/ColumnLayout.h"
#include "app/HorizontalScroll.h"
#include "app/TaskLinesView.h"

#include "app/TaskRowSource.h"

class QLabel;

namespace fv::ui {

class LineLabel;
class SkinImage;
class SkinScrollBar;

class SkinnedTaskList : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kTitleHeight = 24;
    static constexpr int kLineHeight = 30;
    static constexpr int kLines = TaskLinesView::kLines;

    explicit SkinnedTaskList(QWidget* parent = nullptr);

    // The rows to draw; the source must outlive this widget or be replaced first.
    void setRows(const TaskRowSource* rows);
    // Paint from topRow, place the thumb, redraw the highlight.
    void paintFromTop();
    // TimerBlackLV.
    void timerTick();
    // selectedRow -1, topRow 0, lines and highlight cleared, bars recomputed.
    void resetList();
    // After the model reordered or reset itself: take its top row and selection.
    void restoreState(int topRow, int selectedRow);
    // Mouse wheel anywhere on the window; direction < 0 is up.
    bool wheelStep(int direction);
    void setTaskPageShowing(bool showing) { taskPageShowing_ = showing; }
    // Column widths an earlier run left; refused (false) when a drag could not have made them.
    bool restoreColumnWidths(const ColumnLayout::Widths& widths);
    // Leads the time left in a line's hint ("Time left:").
    void setTimeLeftCaption(const QString& caption) { timeLeftCaption_ = caption; }

    const TaskLinesView& view() const { return view_; }
    // For the accessibility interface: every row (not only the five drawn) and the titles.
    const TaskRowSource* rows() const { return rows_; }
    QString columnTitle(int column) const;
    const ColumnLayout& columns() const { return columns_; }
    const HorizontalScroll& horizontal() const { return hscroll_; }
    // The visible list area this wide (never narrower than the designed columns) with this
    // many lines (five at least); the columns share a wider area.
    void setListSize(int viewportWidth, int lines);
    int lineCount() const { return static_cast<int>(lines_.size()); }
    // Top of line n (1 to lineCount()) in this widget.
    int lineTop(int lineNumber) const { return kTitleHeight + (lineNumber - 1) * kLineHeight; }
    int viewportWidth() const;

  signals:
    void sortRequested(int column);
    // The user moved the selection (click or keyboard).
    void selectionChanged(int row);
    void viewRequested(int row);
    // Right button released on a filled line: open the task menu at globalPos.
    void menuRequested(int lineNumber, QPoint globalPos);
    void removeRequested();
    // topRow or selectedRow changed here.
    void viewStateChanged(int topRow, int selectedRow);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct Line {
        SkinImage* image = nullptr;
        std::array<LineLabel*, kColumnCount> labels{};
        SkinImage* progress = nullptr;
    };

    void buildTitles();
    void addLine();
    void layoutColumns();
    void render();
    void updateVerticalBar();
    void updateHorizontalBar();
    void scrolled(bool moved);
    int rowCount() const { return rows_ ? rows_->rowCount() : 0; }
    bool lineEvent(int index, QEvent* event);
    bool titleEvent(int column, QEvent* event);
    bool handleEvent(int column, QEvent* event);
    void resetScrollImages();
    void announceState();

    const TaskRowSource* rows_ = nullptr;
    // What the last tick drew from: with the same rows and view it would draw the same.
    struct TickBasis {
        std::optional<uint64_t> revision;
        int topRow = 0;
        int selectedRow = -1;
        bool operator==(const TickBasis&) const = default;
    };
    std::optional<TickBasis> lastTick_;
    TaskLinesView view_;
    ColumnLayout columns_;
    HorizontalScroll hscroll_;
    bool taskPageShowing_ = true;
    QString timeLeftCaption_ = QStringLiteral("Time left:");

    QWidget* titleStrip_ = nullptr;
    std::array<QWidget*, kColumnCount> titlePanels_{};
    std::array<LineLabel*, kColumnCount> titleLabels_{};
    std::array<QWidget*, kColumnCount> handles_{};
    QWidget* filler_ = nullptr;
    QWidget* guide_ = nullptr;
    std::vector<Line> lines_;
    SkinScrollBar* vbar_ = nullptr;
    SkinScrollBar* hbar_ = nullptr;
    int dragPressX_ = 0;
};

}  // namespace fv::ui

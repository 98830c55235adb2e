// The list's own scroll bar: two arrow images, a track and a thumb. It only reports what the
// mouse asks for (a step, a page, a thumb-drag step); the list decides and places the thumb.
#pragma once

#include <QWidget>

#include "app/ThumbDrag.h"
#include "app/TrackPager.h"
#include "platform/Clock.h"

namespace fv::ui {

class SkinScrollBar : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kThickness = 14;

    SkinScrollBar(Qt::Orientation orientation, const QString& objectName, QWidget* parent);

    // Offset from the track's start and length of the thumb; hidden thumb: no input.
    void setThumb(bool visible, int offset, int length);
    int trackLength() const;
    bool thumbVisible() const { return thumbVisible_; }
    int thumbOffset() const { return thumbOffset_; }
    int thumbLength() const { return thumbLength_; }
    // All parts back to their normal pictures.
    void resetImages();

  signals:
    void arrowStep(int direction);  // -1 toward the start, +1 toward the end
    void trackPage(int direction);
    void thumbStep(int direction);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    enum class Part { None, StartArrow, EndArrow, Track, Thumb };
    int along(const QPointF& p) const;
    Part partAt(const QPointF& p) const;
    QRectF partRect(Part part) const;
    void setHover(Part part);

    Qt::Orientation orientation_;
    SteadyClock clock_;
    TrackPager pager_;
    ThumbDrag drag_;
    bool thumbVisible_ = false;
    int thumbOffset_ = 0;
    int thumbLength_ = 0;
    Part hover_ = Part::None;
};

}  // namespace fv::ui

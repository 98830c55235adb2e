#include "ui/SkinScrollBar.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/Skin.h"

namespace fv::ui {

SkinScrollBar::SkinScrollBar(Qt::Orientation orientation, const QString& objectName,
                             QWidget* parent)
    : QWidget(parent),
      orientation_(orientation),
      pager_(clock_),
      drag_(orientation == Qt::Vertical ? ThumbDrag::vertical() : ThumbDrag::horizontal()) {
    setObjectName(objectName);
    setMouseTracking(true);
    if (orientation == Qt::Vertical)
        setFixedWidth(kThickness);
    else
        setFixedHeight(kThickness);
}

int SkinScrollBar::trackLength() const {
    const int full = orientation_ == Qt::Vertical ? height() : width();
    return std::max(0, full - 2 * kThickness);
}

void SkinScrollBar::setThumb(bool visible, int offset, int length) {
    // The list places the thumb on every tick of its timer; a repaint of this transparent bar
    // would repaint the list and the window behind it each second.
    if (visible == thumbVisible_ && offset == thumbOffset_ && length == thumbLength_)
        return;
    thumbVisible_ = visible;
    thumbOffset_ = offset;
    thumbLength_ = length;
    if (!visible) {
        drag_.release();
        pager_.release();
    }
    update();
}

void SkinScrollBar::resetImages() {
    setHover(Part::None);
}

int SkinScrollBar::along(const QPointF& p) const {
    return static_cast<int>(orientation_ == Qt::Vertical ? p.y() : p.x()) - kThickness;
}

QRectF SkinScrollBar::partRect(Part part) const {
    const qreal len = orientation_ == Qt::Vertical ? height() : width();
    auto span = [&](qreal start, qreal length) {
        return orientation_ == Qt::Vertical ? QRectF(0, start, width(), length)
                                            : QRectF(start, 0, length, height());
    };
    switch (part) {
        case Part::StartArrow:
            return span(0, kThickness);
        case Part::EndArrow:
            return span(len - kThickness, kThickness);
        case Part::Track:
            return span(kThickness, trackLength());
        case Part::Thumb:
            return span(kThickness + thumbOffset_, thumbLength_);
        case Part::None:
            break;
    }
    return {};
}

SkinScrollBar::Part SkinScrollBar::partAt(const QPointF& p) const {
    if (partRect(Part::StartArrow).contains(p))
        return Part::StartArrow;
    if (partRect(Part::EndArrow).contains(p))
        return Part::EndArrow;
    if (thumbVisible_ && partRect(Part::Thumb).contains(p))
        return Part::Thumb;
    if (partRect(Part::Track).contains(p))
        return Part::Track;
    return Part::None;
}

void SkinScrollBar::setHover(Part part) {
    if (hover_ == part)
        return;
    hover_ = part;
    update();
}

void SkinScrollBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool v = orientation_ == Qt::Vertical;
    using P = Skin::Picture;
    Skin::draw(p, partRect(Part::Track).adjusted(v ? 3 : 0, v ? 0 : 3, v ? -3 : 0, v ? 0 : -3),
               P::Track);
    const bool live = thumbVisible_;
    Skin::draw(p, partRect(Part::StartArrow),
               v ? (live && hover_ == Part::StartArrow ? P::ArrowUpOver : P::ArrowUp)
                 : (live && hover_ == Part::StartArrow ? P::ArrowLeftOver : P::ArrowLeft));
    Skin::draw(p, partRect(Part::EndArrow),
               v ? (live && hover_ == Part::EndArrow ? P::ArrowDownOver : P::ArrowDown)
                 : (live && hover_ == Part::EndArrow ? P::ArrowRightOver : P::ArrowRight));
    if (live) {
        const bool over = hover_ == Part::Thumb || drag_.active();
        Skin::draw(p, partRect(Part::Thumb).adjusted(v ? 0 : 1, v ? 1 : 0, v ? 0 : -1, v ? -1 : 0),
                   over ? P::ThumbOver : P::Thumb);
    }
}

void SkinScrollBar::mousePressEvent(QMouseEvent* event) {
    if (!thumbVisible_ || event->button() != Qt::LeftButton)
        return;
    const QPointF pos = event->position();
    switch (partAt(pos)) {
        case Part::StartArrow:
            emit arrowStep(-1);
            break;
        case Part::EndArrow:
            emit arrowStep(1);
            break;
        case Part::Thumb:
            drag_.press(along(pos));
            update();
            break;
        case Part::Track: {
            const int dir = pager_.press(along(pos), thumbOffset_, thumbOffset_ + thumbLength_);
            if (dir != 0)
                emit trackPage(dir);
            break;
        }
        case Part::None:
            break;
    }
}

void SkinScrollBar::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    if (!(event->buttons() & Qt::LeftButton)) {
        setHover(thumbVisible_ ? partAt(pos) : Part::None);
        return;
    }
    if (drag_.active()) {
        if (const int step = drag_.move(along(pos)))
            emit thumbStep(step);
        return;
    }
    const bool overTrack = partRect(Part::Track).contains(pos) && partAt(pos) != Part::Thumb;
    if (const int dir = pager_.move(overTrack))
        emit trackPage(dir);
}

void SkinScrollBar::mouseReleaseEvent(QMouseEvent*) {
    drag_.release();
    pager_.release();
    update();
}

void SkinScrollBar::leaveEvent(QEvent*) {
    if (!drag_.active())
        setHover(Part::None);
}

}  // namespace fv::ui

#include "ui/ElidingLabel.h"

#include <QPainter>

namespace fv::ui {

ElidingLabel::ElidingLabel(const QString& objectName, QWidget* parent) : QLabel(parent) {
    setObjectName(objectName);
}

void ElidingLabel::paintEvent(QPaintEvent*) {
    const QRect r = contentsRect().adjusted(indent() > 0 ? indent() : 0, 0, 0, 0);
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, r.width());
    // Kept in step here, where the cut is known: every new text repaints the label.
    const QString tip = shown == text() ? QString() : text();
    if (toolTip() != tip)
        setToolTip(tip);
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(r, static_cast<int>(alignment()), shown);
}

}  // namespace fv::ui

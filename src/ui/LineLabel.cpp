#include "ui/LineLabel.h"

#include <QPainter>

namespace fv::ui {

LineLabel::LineLabel(const QString& objectName, QWidget* parent) : QLabel(parent) {
    setObjectName(objectName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const QRect r = contentsRect().adjusted(indent() > 0 ? indent() : 0, 0, 0, 0);
    p.drawText(r, static_cast<int>(alignment()),
               fontMetrics().elidedText(text(), Qt::ElideRight, r.width()));
}

}  // namespace fv::ui

#include "ui/ImageButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace fv::ui {

namespace {
bool busyCursorShowing() {
    const QCursor* c = QApplication::overrideCursor();
    return c && (c->shape() == Qt::WaitCursor || c->shape() == Qt::BusyCursor);
}
}  // namespace

ImageButton::ImageButton(const QString& objectName, const QString& captionName,
                         const QString& caption, QWidget* parent)
    : QWidget(parent) {
    setObjectName(objectName);
    setFixedSize(kWidth, kHeight);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(caption);
    caption_ = makeCaption(captionName, caption);
    setProperty("picture", QStringLiteral("normal"));
}

QLabel* ImageButton::makeCaption(const QString& captionName, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setObjectName(captionName);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setGeometry(rect().adjusted(3, 1, -3, -1));
    QFont f = label->font();
    f.setPixelSize(11);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Skin::ink());
    label->setPalette(pal);
    return label;
}

QLabel* ImageButton::addCaption(const QString& captionName, const QString& text) {
    QLabel* label = makeCaption(captionName, text);
    label->hide();
    return label;
}

void ImageButton::setCaption(const QString& text) {
    caption_->setText(text);
    setAccessibleName(text);
}

void ImageButton::resetPicture() {
    setPicture(Skin::Picture::ButtonNormal);
}

void ImageButton::setPicture(Skin::Picture picture) {
    if (picture_ == picture)
        return;
    picture_ = picture;
    setProperty("picture", picture == Skin::Picture::ButtonOver   ? QStringLiteral("over")
                           : picture == Skin::Picture::ButtonDown ? QStringLiteral("down")
                                                                  : QStringLiteral("normal"));
    update();
}

void ImageButton::setPointer(Qt::CursorShape shape) {
    if (!busyCursorShowing())
        setCursor(shape);
}

void ImageButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Skin::draw(p, QRectF(rect()), picture_);
    if (hasFocus()) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Skin::accent(), 1.5, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5), 10, 10);
    }
}

void ImageButton::enterEvent(QEnterEvent*) {
    setPointer(Qt::PointingHandCursor);
    setPicture(Skin::Picture::ButtonOver);
}

void ImageButton::leaveEvent(QEvent*) {
    setPointer(Qt::ArrowCursor);
    setPicture(Skin::Picture::ButtonNormal);
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setPointer(Qt::PointingHandCursor);
    setPicture(Skin::Picture::ButtonDown);
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || picture_ != Skin::Picture::ButtonDown)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    setPicture(inside ? Skin::Picture::ButtonOver : Skin::Picture::ButtonNormal);
    if (inside && isEnabled())
        emit clicked();
}

void ImageButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (isEnabled())
                emit clicked();
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace fv::ui

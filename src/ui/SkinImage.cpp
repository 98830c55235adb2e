#include "ui/SkinImage.h"

#include <QPainter>

namespace fv::ui {

SkinImage::SkinImage(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    setProperty("picture", QString());
}

void SkinImage::setPicture(std::optional<Skin::Picture> picture) {
    if (picture_ == picture)
        return;
    picture_ = picture;
    setProperty("picture", picture ? Skin::name(*picture) : QString());
    update();
}

void SkinImage::paintEvent(QPaintEvent*) {
    if (!picture_)
        return;
    QPainter p(this);
    Skin::draw(p, QRectF(rect()), *picture_);
}

}  // namespace fv::ui

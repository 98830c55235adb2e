#include "ui/Skin.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>

namespace fv::ui {

namespace {

void roundedFill(QPainter& p, const QRectF& r, qreal radius, const QColor& top,
                 const QColor& bottom, const QColor& border) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(QPen(border, 1));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void button(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom,
            const QColor& border) {
    roundedFill(p, r, 12, top, bottom, border);
}

void drawSignal(QPainter& p, const QRectF& r, int filled) {
    // Five rising bars; the finished picture turns all of them green.
    const qreal gap = r.width() / 16.0;
    const qreal barW = (r.width() - gap * 4) / 5.0;
    const QColor on = filled == 5 ? QColor(0x3a, 0xa8, 0x5c) : Skin::accent();
    for (int i = 0; i < 5; ++i) {
        const qreal h = r.height() * (0.35 + 0.65 * (i + 1) / 5.0);
        const QRectF bar(r.left() + i * (barW + gap), r.bottom() - h, barW, h);
        p.setPen(Qt::NoPen);
        p.setBrush(i < filled ? on : QColor(0xd3, 0xdb, 0xe4));
        p.drawRoundedRect(bar, barW / 3, barW / 3);
    }
}

void statusDot(QPainter& p, const QRectF& r, bool online) {
    const QRectF c = r.adjusted(1, 1, -1, -1);
    QRadialGradient g(c.center() - QPointF(c.width() / 5, c.height() / 5), c.width() * 0.7);
    g.setColorAt(0, online ? QColor(0x7d, 0xdc, 0x8f) : QColor(0xe8, 0x8a, 0x7f));
    g.setColorAt(1, online ? QColor(0x2f, 0x9e, 0x4f) : QColor(0xb9, 0x3b, 0x2e));
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    p.setBrush(g);
    p.drawEllipse(c);
    p.setPen(QPen(Qt::white, c.width() / 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const qreal u = c.width() / 10;
    if (online) {
        QPainterPath tick;
        tick.moveTo(c.left() + 3 * u, c.center().y());
        tick.lineTo(c.left() + 4.5 * u, c.center().y() + 1.8 * u);
        tick.lineTo(c.left() + 7.2 * u, c.center().y() - 2 * u);
        p.drawPath(tick);
    } else {
        p.drawLine(QPointF(c.left() + 3 * u, c.center().y()),
                   QPointF(c.right() - 3 * u, c.center().y()));
    }
}

void check(QPainter& p, const QRectF& r, int state) {
    const QRectF b = r.adjusted(1, 1, -1, -1);
    const QColor fill = state == 1 ? Skin::accent() : Qt::white;
    p.setPen(QPen(state == 2 ? QColor(0xc3, 0xcb, 0xd4) : QColor(0x8a, 0x9b, 0xad), 1));
    p.setBrush(state == 2 ? QColor(0xee, 0xf1, 0xf4) : fill);
    p.drawRoundedRect(b, 3, 3);
    if (state == 1) {
        p.setPen(QPen(Qt::white, b.width() / 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath tick;
        tick.moveTo(b.left() + b.width() * 0.25, b.top() + b.height() * 0.52);
        tick.lineTo(b.left() + b.width() * 0.43, b.top() + b.height() * 0.7);
        tick.lineTo(b.left() + b.width() * 0.76, b.top() + b.height() * 0.3);
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
}

void windowControl(QPainter& p, const QRectF& r, bool close, bool over) {
    if (over) {
        p.setPen(Qt::NoPen);
        p.setBrush(close ? QColor(0xd9, 0x4b, 0x3d) : QColor(255, 255, 255, 50));
        p.drawEllipse(r.adjusted(1, 1, -1, -1));
    }
    p.setPen(QPen(Qt::white, r.width() / 12, Qt::SolidLine, Qt::RoundCap));
    const QRectF g =
        r.adjusted(r.width() * 0.32, r.height() * 0.32, -r.width() * 0.32, -r.height() * 0.32);
    if (close) {
        p.drawLine(g.topLeft(), g.bottomRight());
        p.drawLine(g.topRight(), g.bottomLeft());
    } else {
        p.drawLine(QPointF(g.left(), g.center().y() + g.height() * 0.25),
                   QPointF(g.right(), g.center().y() + g.height() * 0.25));
    }
}

void logo(QPainter& p, const QRectF& r) {
    // A weather vane over a disc: the product's name, drawn.
    QRadialGradient g(r.center() - QPointF(r.width() / 6, r.height() / 6), r.width() * 0.75);
    g.setColorAt(0, QColor(0x5c, 0xb8, 0xf0));
    g.setColorAt(1, Skin::accent().darker(125));
    p.setPen(QPen(QColor(255, 255, 255, 170), 1));
    p.setBrush(g);
    p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
    const qreal u = r.width() / 20;
    const QPointF c = r.center();
    QPainterPath arrow;
    arrow.moveTo(c + QPointF(-6.5 * u, 0));
    arrow.lineTo(c + QPointF(3 * u, 0));
    arrow.lineTo(c + QPointF(3 * u, -2.8 * u));
    arrow.lineTo(c + QPointF(7.5 * u, 0));
    arrow.lineTo(c + QPointF(3 * u, 2.8 * u));
    arrow.lineTo(c + QPointF(3 * u, 0));
    p.setPen(QPen(Qt::white, 1.6 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    p.drawLine(c + QPointF(-6.5 * u, 0), c + QPointF(-8 * u, -2.5 * u));
    p.drawLine(c + QPointF(-6.5 * u, 0), c + QPointF(-8 * u, 2.5 * u));
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.1 * u, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(0, 2.5 * u), c + QPointF(0, 7 * u));
}

void arrow(QPainter& p, const QRectF& r, Qt::ArrowType dir, bool over) {
    p.setPen(Qt::NoPen);
    p.setBrush(over ? Skin::accent() : QColor(0x8a, 0x9b, 0xad));
    const QPointF c = r.center();
    const qreal s = std::min(r.width(), r.height()) * 0.22;
    QPolygonF tri;
    switch (dir) {
        case Qt::UpArrow:
            tri << c + QPointF(-s, s * 0.6) << c + QPointF(s, s * 0.6) << c + QPointF(0, -s * 0.7);
            break;
        case Qt::DownArrow:
            tri << c + QPointF(-s, -s * 0.6) << c + QPointF(s, -s * 0.6) << c + QPointF(0, s * 0.7);
            break;
        case Qt::LeftArrow:
            tri << c + QPointF(s * 0.6, -s) << c + QPointF(s * 0.6, s) << c + QPointF(-s * 0.7, 0);
            break;
        default:
            tri << c + QPointF(-s * 0.6, -s) << c + QPointF(-s * 0.6, s) << c + QPointF(s * 0.7, 0);
            break;
    }
    p.drawPolygon(tri);
}

}  // namespace

Skin::Picture Skin::signalPicture(int index) {
    static constexpr std::array<Picture, 6> kSignals = {Picture::Signal0, Picture::Signal1,
                                                        Picture::Signal2, Picture::Signal3,
                                                        Picture::Signal4, Picture::Signal5};
    return kSignals[static_cast<size_t>(std::clamp(index, 0, 5))];
}

QString Skin::name(Picture picture) {
    const int i = static_cast<int>(picture);
    const int s0 = static_cast<int>(Picture::Signal0);
    if (i >= s0 && i <= s0 + 5)
        return QStringLiteral("img_Signal_%1").arg(i - s0);
    switch (picture) {
        case Picture::ListLineHighlight:
            return QStringLiteral("img_ListViewLine");
        case Picture::Online:
            return QStringLiteral("Img_Connected_Main");
        case Picture::Offline:
            return QStringLiteral("Img_DisConnected_Main");
        case Picture::Close:
            return QStringLiteral("img_Close");
        case Picture::Minimize:
            return QStringLiteral("img_Minimize");
        case Picture::Logo:
            return QStringLiteral("img_Logo");
        default:
            return QStringLiteral("picture_%1").arg(i);
    }
}

void Skin::draw(QPainter& p, const QRectF& r, Picture picture) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    switch (picture) {
        case Picture::ButtonNormal:
            button(p, r, QColor(0xff, 0xff, 0xff), QColor(0xe6, 0xec, 0xf2),
                   QColor(0xc2, 0xcd, 0xd9));
            break;
        case Picture::ButtonOver:
            button(p, r, QColor(0xee, 0xf7, 0xfe), QColor(0xd2, 0xe8, 0xf9), accent());
            break;
        case Picture::ButtonDown:
            button(p, r, QColor(0xc6, 0xdf, 0xf3), QColor(0xdb, 0xec, 0xf9), accent().darker(115));
            break;
        case Picture::ListLineHighlight: {
            roundedFill(p, r.adjusted(1, 1, -1, -1), 5, QColor(0xe4, 0xf1, 0xfc),
                        QColor(0xd4, 0xe8, 0xf8), QColor(0xa9, 0xcf, 0xee));
            p.setPen(Qt::NoPen);
            p.setBrush(accent());
            p.drawRoundedRect(QRectF(r.left() + 2, r.top() + 4, 3, r.height() - 8), 1.5, 1.5);
            break;
        }
        case Picture::Signal0:
        case Picture::Signal1:
        case Picture::Signal2:
        case Picture::Signal3:
        case Picture::Signal4:
        case Picture::Signal5:
            drawSignal(p, r, static_cast<int>(picture) - static_cast<int>(Picture::Signal0));
            break;
        case Picture::Online:
            statusDot(p, r, true);
            break;
        case Picture::Offline:
            statusDot(p, r, false);
            break;
        case Picture::CheckOn:
            check(p, r, 1);
            break;
        case Picture::CheckOff:
            check(p, r, 0);
            break;
        case Picture::CheckGrey:
            check(p, r, 2);
            break;
        case Picture::Close:
            windowControl(p, r, true, false);
            break;
        case Picture::CloseOver:
            windowControl(p, r, true, true);
            break;
        case Picture::Minimize:
            windowControl(p, r, false, false);
            break;
        case Picture::MinimizeOver:
            windowControl(p, r, false, true);
            break;
        case Picture::Logo:
            logo(p, r);
            break;
        case Picture::ArrowUp:
            arrow(p, r, Qt::UpArrow, false);
            break;
        case Picture::ArrowDown:
            arrow(p, r, Qt::DownArrow, false);
            break;
        case Picture::ArrowLeft:
            arrow(p, r, Qt::LeftArrow, false);
            break;
        case Picture::ArrowRight:
            arrow(p, r, Qt::RightArrow, false);
            break;
        case Picture::ArrowUpOver:
            arrow(p, r, Qt::UpArrow, true);
            break;
        case Picture::ArrowDownOver:
            arrow(p, r, Qt::DownArrow, true);
            break;
        case Picture::ArrowLeftOver:
            arrow(p, r, Qt::LeftArrow, true);
            break;
        case Picture::ArrowRightOver:
            arrow(p, r, Qt::RightArrow, true);
            break;
        case Picture::Thumb:
        case Picture::ThumbOver: {
            p.setPen(Qt::NoPen);
            p.setBrush(picture == Picture::Thumb ? QColor(0xb3, 0xc0, 0xce) : accent());
            const qreal rad = std::min(r.width(), r.height()) / 2 - 2;
            p.drawRoundedRect(r.adjusted(3, 3, -3, -3), rad, rad);
            break;
        }
        case Picture::Track:
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xe9, 0xee, 0xf3));
            p.drawRoundedRect(r, std::min(r.width(), r.height()) / 2,
                              std::min(r.width(), r.height()) / 2);
            break;
    }
    p.restore();
}

QPixmap Skin::pixmap(Picture picture, QSize size, qreal dpr) {
    QPixmap pm(size * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    draw(p, QRectF(QPointF(0, 0), QSizeF(size)), picture);
    return pm;
}

namespace {

QLinearGradient headerGradient(const QRectF& r, qreal headerHeight) {
    QLinearGradient g(r.topLeft(), QPointF(r.left(), r.top() + headerHeight));
    g.setColorAt(0, Skin::headerLight());
    g.setColorAt(1, Skin::header());
    return g;
}

}  // namespace

void Skin::drawWindowPart(QPainter& p, const QRect& r, qreal radius, qreal headerHeight,
                          const QRect& dirty) {
    const int edge = int(std::ceil(radius)) + 1;
    if (!r.adjusted(edge, edge, -edge, -edge).contains(dirty)) {
        drawWindow(p, QRectF(r), radius, headerHeight);
        return;
    }
    const QRectF headerBand(r.left(), r.top(), r.width(), headerHeight);
    p.fillRect(QRectF(dirty), body());
    p.fillRect(headerBand.intersected(QRectF(dirty)), headerGradient(QRectF(r), headerHeight));
}

namespace {

// Whether `inner` lies wholly inside the rounded rectangle shrunk by `margin`. The shape is
// convex, so testing the four corners is enough.
bool insideRounded(const QRectF& shape, qreal radius, qreal margin, const QRectF& inner) {
    const QRectF core = shape.adjusted(margin, margin, -margin, -margin);
    const qreal r = std::max<qreal>(radius - margin, 0);
    const QRectF centres = core.adjusted(r, r, -r, -r);
    for (const QPointF& corner :
         {inner.topLeft(), inner.topRight(), inner.bottomLeft(), inner.bottomRight()}) {
        if (!core.contains(corner))
            return false;
        const qreal dx =
            std::max({centres.left() - corner.x(), qreal(0), corner.x() - centres.right()});
        const qreal dy =
            std::max({centres.top() - corner.y(), qreal(0), corner.y() - centres.bottom()});
        if (dx * dx + dy * dy > r * r)
            return false;
    }
    return true;
}

}  // namespace

void Skin::drawCard(QPainter& p, const QRectF& card, qreal radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(lineRule(), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(card, radius, radius);
    p.restore();
}

void Skin::drawCardPart(QPainter& p, const QRectF& card, qreal radius, const QRect& dirty) {
    // The rule is a pen of 1 centred on the outline, plus its anti-aliased fringe.
    constexpr qreal kRuleReach = 1.5;
    const QRectF area(dirty);  // pixel edges, as the rasteriser sees them
    if (insideRounded(card, radius, kRuleReach, area))
        p.fillRect(area, Qt::white);
    else if (card.adjusted(-kRuleReach, -kRuleReach, kRuleReach, kRuleReach).intersects(area))
        drawCard(p, card, radius);
}

void Skin::drawWindow(QPainter& p, const QRectF& r, qreal radius, qreal headerHeight) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(r, radius, radius);
    p.setClipPath(shape);
    p.fillRect(r, body());
    p.fillRect(QRectF(r.left(), r.top(), r.width(), headerHeight), headerGradient(r, headerHeight));
    p.setClipping(false);
    p.setPen(QPen(QColor(0x9a, 0xa9, 0xb8), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.restore();
}

}  // namespace fv::ui

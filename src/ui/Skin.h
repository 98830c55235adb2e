// The client's pictures, drawn with QPainter so they stay sharp at any display scale: image
// buttons (normal/over/down), the list's highlight line, progress pictures img_Signal_0..5,
// online/offline, check boxes, window controls, scroll-bar parts and the logo.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QRectF>
#include <QString>

class QPainter;

namespace fv::ui {

class Skin {
  public:
    enum class Picture {
        ButtonNormal,
        ButtonOver,
        ButtonDown,
        ListLineHighlight,  // img_ListViewLine
        Signal0,
        Signal1,
        Signal2,
        Signal3,
        Signal4,
        Signal5,
        Online,
        Offline,
        CheckOn,
        CheckOff,
        CheckGrey,
        Close,
        CloseOver,
        Minimize,
        MinimizeOver,
        Logo,
        ArrowUp,
        ArrowDown,
        ArrowLeft,
        ArrowRight,
        ArrowUpOver,
        ArrowDownOver,
        ArrowLeftOver,
        ArrowRightOver,
        Thumb,
        ThumbOver,
        Track,
    };

    // Palette shared by every skinned window.
    static QColor accent() { return QColor(0x2e, 0x8f, 0xd0); }
    static QColor header() { return QColor(0x1f, 0x33, 0x47); }
    static QColor headerLight() { return QColor(0x2c, 0x4a, 0x66); }
    static QColor body() { return QColor(0xf3, 0xf6, 0xf9); }
    static QColor ink() { return QColor(0x22, 0x33, 0x44); }
    static QColor mutedInk() { return QColor(0x5d, 0x6d, 0x7e); }
    static QColor warning() { return QColor(0xc6, 0x3b, 0x2b); }
    static QColor lineRule() { return QColor(0xdf, 0xe5, 0xec); }

    static Picture signalPicture(int index);
    // The original's picture name, e.g. "img_Signal_3".
    static QString name(Picture picture);

    static void draw(QPainter& p, const QRectF& r, Picture picture);
    // A picture as a pixmap of `size` logical pixels at the given device pixel ratio.
    static QPixmap pixmap(Picture picture, QSize size, qreal dpr);
    // The main window's background: rounded body with a header band of headerHeight.
    static void drawWindow(QPainter& p, const QRectF& r, qreal radius, qreal headerHeight);
    // The same background where only `dirty` needs painting: a part clear of the rounded
    // edge is filled plainly, as a child's repaint needs it many times a minute.
    static void drawWindowPart(QPainter& p, const QRect& r, qreal radius, qreal headerHeight,
                               const QRect& dirty);
    // The white card with a thin rule that holds the status lines and the speed plot.
    static void drawCard(QPainter& p, const QRectF& card, qreal radius);
    // The same card where only `dirty` needs painting; a repaint of the plot or a status line
    // lies inside the rounded rule and gets a plain fill.
    static void drawCardPart(QPainter& p, const QRectF& card, qreal radius, const QRect& dirty);
};

}  // namespace fv::ui

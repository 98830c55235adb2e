// The window background painted only where a child's repaint needs it matches, pixel for
// pixel, the same part of the whole background: inside, across the header's edge, at the
// rounded corners and along the border.
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "ui/MainWindow.h"
#include "ui/Skin.h"

namespace fv::ui {
namespace {

constexpr qreal kRadius = MainWindow::kRadius;
constexpr qreal kHeader = MainWindow::kHeaderHeight;
const QRect kWindow(0, 0, 683, 430);

QImage paint(const QRect& dirty) {
    QImage image(kWindow.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    if (dirty.isNull()) {
        Skin::drawWindow(p, QRectF(kWindow), kRadius, kHeader);
    } else {
        p.setClipRect(dirty);  // as the widget's paint event clips to its dirty part
        Skin::drawWindowPart(p, kWindow, kRadius, kHeader, dirty);
    }
    return image;
}

TEST(Skin, APartOfTheWindowBackgroundMatchesTheWhole) {
    const QImage whole = paint({});
    const struct {
        const char* label;
        QRect dirty;
    } cases[] = {
        {"inside the body", QRect(400, 300, 240, 60)},
        {"inside the header", QRect(262, 12, 340, 22)},
        {"across the header's edge", QRect(100, 30, 200, 40)},
        {"at the top left corner", QRect(0, 0, 30, 30)},
        {"along the bottom border", QRect(200, 420, 100, 10)},
        {"the whole window", kWindow},
    };
    for (const auto& c : cases) {
        const QImage part = paint(c.dirty);
        int differing = 0;
        for (int y = c.dirty.top(); y <= c.dirty.bottom(); ++y)
            for (int x = c.dirty.left(); x <= c.dirty.right(); ++x)
                differing += part.pixel(x, y) != whole.pixel(x, y);
        EXPECT_EQ(differing, 0) << c.label;
    }
}

}  // namespace
}  // namespace fv::ui

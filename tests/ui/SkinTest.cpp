// The window background painted only where a child's repaint needs it matches, pixel for
// pixel, the same part of the whole background: inside, across the header's edge, at the
// rounded corners and along the border.
#include <QImage>
#include <QPainter>
#include <functional>
#include <initializer_list>

#include <gtest/gtest.h>

#include "ui/MainWindow.h"
#include "ui/Skin.h"

namespace fv::ui {
namespace {

constexpr qreal kRadius = MainWindow::kRadius;
constexpr qreal kHeader = MainWindow::kHeaderHeight;
const QRect kWindow(0, 0, 683, 430);

struct Part {
    const char* label;
    QRect dirty;
};

// Paints each part alone (an empty rectangle asks for the whole) and compares it, pixel for
// pixel, with the same part of the whole.
void expectPartsMatchTheWhole(const std::function<QImage(const QRect&)>& paintPart,
                              std::initializer_list<Part> parts) {
    const QImage whole = paintPart({});
    for (const Part& part : parts) {
        const QImage alone = paintPart(part.dirty);
        int differing = 0;
        for (int y = part.dirty.top(); y <= part.dirty.bottom(); ++y)
            for (int x = part.dirty.left(); x <= part.dirty.right(); ++x)
                differing += alone.pixel(x, y) != whole.pixel(x, y);
        EXPECT_EQ(differing, 0) << part.label;
    }
}

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
    expectPartsMatchTheWhole(paint, {
                                        {"inside the body", QRect(400, 300, 240, 60)},
                                        {"inside the header", QRect(262, 12, 340, 22)},
                                        {"across the header's edge", QRect(100, 30, 200, 40)},
                                        {"at the top left corner", QRect(0, 0, 30, 30)},
                                        {"along the bottom border", QRect(200, 420, 100, 10)},
                                        {"the whole window", kWindow},
                                    });
}

// The status card at the main window's default size, and the parts its children repaint.
TEST(Skin, APartOfTheStatusCardMatchesTheWhole) {
    const QRectF card(15.5, 293.5, 650, 80);
    constexpr qreal radius = 8;
    auto paintCard = [&](const QRect& dirty) {
        QImage image(kWindow.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Skin::body());
        QPainter p(&image);
        if (dirty.isNull()) {
            Skin::drawCard(p, card, radius);
        } else {
            p.setClipRect(dirty);
            Skin::drawCardPart(p, card, radius, dirty);
        }
        return image;
    };
    expectPartsMatchTheWhole(
        paintCard,
        {
            {"the speed plot, reaching into the right corners' squares", QRect(420, 296, 240, 74)},
            {"a status line", QRect(26, 348, 540, 20)},
            {"the plot of a wider window, nearer the corner", QRect(420, 295, 244, 77)},
            {"against the left rule where the top left arc begins", QRect(16, 300, 8, 8)},
            {"across the top rule", QRect(100, 290, 50, 10)},
            {"at the lower right corner", QRect(650, 360, 20, 20)},
            {"the whole card and around it", QRect(0, 280, 683, 110)},
        });
}

}  // namespace
}  // namespace fv::ui

#include "ui/SpeedPlot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "ui/Skin.h"

namespace fv::ui {
namespace {

constexpr int kLabelWidth = 58;
constexpr int kTitleHeight = 14;

}  // namespace

SpeedPlot::SpeedPlot(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SpeedPlot_Main"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setTexts(QStringLiteral("Speed, last 10 minutes"), QStringLiteral("Down"),
             QStringLiteral("Up"));
}

QColor SpeedPlot::downColour() {
    return Skin::accent();
}

QColor SpeedPlot::upColour() {
    return QColor(0x3a, 0xa6, 0x5c);
}

void SpeedPlot::setHistory(const SpeedHistory* history) {
    history_ = history;
    update();
}

void SpeedPlot::setTexts(const QString& title, const QString& down, const QString& up) {
    title_ = title;
    down_ = down;
    up_ = up;
    setAccessibleName(title);
    update();
}

SpeedHistory::Axis SpeedPlot::axis() const {
    return SpeedHistory::axisFor(history_ ? history_->peakKBps() : 0.0);
}

void SpeedPlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QFont f = font();
    f.setPixelSize(10);
    p.setFont(f);
    // Room for half a label above the top line and below the bottom one.
    const QRectF plot(kLabelWidth + 0.5, kTitleHeight + 6.5, width() - kLabelWidth - 6.0,
                      height() - kTitleHeight - 14.0);
    if (plot.width() < 10 || plot.height() < 10)
        return;

    // Title on the left, legend on the right.
    p.setPen(Skin::mutedInk());
    p.drawText(QRectF(0, 0, width(), kTitleHeight), Qt::AlignLeft | Qt::AlignVCenter, title_);
    const QFontMetrics fm(f);
    qreal x = width() - 6;
    for (const auto& [word, colour] :
         {std::pair(up_, upColour()), std::pair(down_, downColour())}) {
        x -= fm.horizontalAdvance(word);
        p.setPen(Skin::mutedInk());
        p.drawText(QPointF(x, kTitleHeight - 3), word);
        x -= 14;
        p.setPen(QPen(colour, 2));
        p.drawLine(QPointF(x, kTitleHeight / 2.0), QPointF(x + 10, kTitleHeight / 2.0));
        x -= 8;
    }

    // Frame, middle line and their labels.
    const SpeedHistory::Axis a = axis();
    p.setPen(QPen(Skin::lineRule(), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);
    const qreal middle = std::round(plot.top() + plot.height() / 2) + 0.5;
    p.drawLine(QPointF(plot.left(), middle), QPointF(plot.right(), middle));
    p.setPen(Skin::mutedInk());
    const QRectF labels(0, 0, kLabelWidth - 4, 0);
    p.drawText(labels.adjusted(0, plot.top() - 6, 0, plot.top() + 6),
               Qt::AlignRight | Qt::AlignVCenter, a.label(1.0));
    p.drawText(labels.adjusted(0, middle - 6, 0, middle + 6), Qt::AlignRight | Qt::AlignVCenter,
               a.label(0.5));
    p.drawText(labels.adjusted(0, plot.bottom() - 6, 0, plot.bottom() + 6),
               Qt::AlignRight | Qt::AlignVCenter, a.label(0.0));

    if (!history_ || history_->samples().empty())
        return;
    const auto& samples = history_->samples();
    const int64_t end = samples.back().atMs;
    const int64_t start = end - SpeedHistory::kSpanMs;
    auto point = [&](int64_t at, double kbps) {
        const double fx = double(at - start) / double(SpeedHistory::kSpanMs);
        const double fy = std::clamp(kbps / a.topKBps, 0.0, 1.0);
        return QPointF(plot.left() + fx * plot.width(), plot.bottom() - fy * plot.height());
    };
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(plot.adjusted(-1, -1, 1, 1));
    for (const bool down : {false, true}) {
        QPainterPath path;
        for (size_t i = 0; i < samples.size(); ++i) {
            const auto& s = samples[i];
            const QPointF pt = point(s.atMs, down ? s.downKBps : s.upKBps);
            if (i == 0)
                path.moveTo(pt);
            else
                path.lineTo(pt);
        }
        p.setPen(QPen(down ? downColour() : upColour(), 1.5, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.drawPath(path);
    }
}

}  // namespace fv::ui

#include "ui/BusyOverlay.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>

#include "ui/Skin.h"

namespace fv::ui {

BusyOverlay::BusyOverlay(QWidget* mainWindow, std::unique_ptr<Timer> timer)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint),
      mainWindow_(mainWindow),
      timer_(timer ? std::move(timer) : std::make_unique<QtTimer>(1000)),
      label_(new QLabel(this)),
      spin_(new QTimer(this)) {
    setObjectName(QStringLiteral("form_ProgBar"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_TranslucentBackground);
    resize(220, 110);
    label_->setObjectName(QStringLiteral("lab_ProgBar"));
    label_->setGeometry(0, 70, width(), 24);
    label_->setAlignment(Qt::AlignCenter);
    QPalette pal = label_->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    label_->setPalette(pal);
    timer_->setHandler([this] { onTick(); });
    spin_->setInterval(100);
    connect(spin_, &QTimer::timeout, this, [this] {
        angle_ = (angle_ + 30) % 360;
        update();
    });
}

BusyOverlay::~BusyOverlay() {
    timer_->setEnabled(false);
    timer_->setHandler(nullptr);
}

void BusyOverlay::showEvent(QShowEvent*) {
    if (applyLanguage_)
        applyLanguage_();
    if (mainWindow_)
        mainWindow_->setEnabled(false);
    label_->show();
    ticker_.start();
    timer_->setEnabled(true);
    spin_->start();
    if (mainWindow_)
        move(mainWindow_->geometry().center() - rect().center());
    raise();
    activateWindow();
}

void BusyOverlay::onTick() {
    switch (ticker_.tick()) {
        case BusyOverlayTicker::Outcome::Continue:
            label_->setText(ticker_.text());
            break;
        case BusyOverlayTicker::Outcome::Close:
            finish();
            break;
        case BusyOverlayTicker::Outcome::GiveUp:
            timer_->setEnabled(false);
            emit gaveUp();
            finish();
            break;
    }
}

void BusyOverlay::finish() {
    timer_->setEnabled(false);
    spin_->stop();
    close();
}

void BusyOverlay::closeEvent(QCloseEvent* event) {
    timer_->setEnabled(false);
    spin_->stop();
    if (mainWindow_)
        mainWindow_->setEnabled(true);
    QWidget::closeEvent(event);
}

void BusyOverlay::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 220));
    p.drawRoundedRect(QRectF(rect()), 12, 12);
    const QPointF c(width() / 2.0, 40);
    for (int i = 0; i < 12; ++i) {
        QColor dot = Skin::accent().lighter(130);
        dot.setAlpha(40 + (215 * ((i * 30 + angle_) % 360)) / 360);
        p.save();
        p.translate(c);
        p.rotate(i * 30.0);
        p.setBrush(dot);
        p.drawRoundedRect(QRectF(-2, -22, 4, 9), 2, 2);
        p.restore();
    }
}

}  // namespace fv::ui

#include "ui/TaskMenuWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "ui/Skin.h"
#include "ui/SkinImage.h"

namespace fv::ui {

TaskMenuWindow::TaskMenuWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FormTableView"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAccessibleName(QStringLiteral("Task menu"));
    QFont f = font();
    f.setPixelSize(12);
    for (int n = 0; n < kMaxEntries; ++n) {
        Entry& e = entries_[n];
        const QString num = QString::number(n + 1);
        e.image = new SkinImage(QStringLiteral("img_TableViewLine") + num, this);
        e.image->setGeometry(2, 2 + n * TaskMenuPlan::kEntryHeight, kWidth - 4,
                             TaskMenuPlan::kEntryHeight);
        e.image->setProperty("tag", n);
        e.image->setMouseTracking(true);
        e.image->setCursor(Qt::PointingHandCursor);
        e.image->installEventFilter(this);
        e.label = new QLabel(e.image);
        e.label->setObjectName(QStringLiteral("lab_TableViewText") + num);
        e.label->setAttribute(Qt::WA_TransparentForMouseEvents);
        e.label->setGeometry(14, 0, kWidth - 24, TaskMenuPlan::kEntryHeight);
        e.label->setFont(f);
        e.image->hide();
    }
    resize(kWidth, TaskMenuPlan::kFrame);
}

void TaskMenuWindow::open(const TaskMenuPlan& plan, QPoint topLeft) {
    showEntries(plan);
    move(topLeft);
    show();
    raise();
    activateWindow();
    setFocus();
}

void TaskMenuWindow::showEntries(const TaskMenuPlan& plan) {
    clearHighlights();
    const auto& list = plan.entries();
    shown_ = std::min(static_cast<int>(list.size()), kMaxEntries);
    for (int n = 0; n < kMaxEntries; ++n) {
        Entry& e = entries_[n];
        const bool used = n < shown_;
        e.image->setVisible(used);
        if (!used)
            continue;
        e.label->setText(list[n].text);
        e.image->setEnabled(list[n].enabled);
        QPalette pal = e.label->palette();
        pal.setColor(QPalette::WindowText,
                     list[n].enabled ? Skin::ink() : QColor(0xa5, 0xb0, 0xbb));
        e.label->setPalette(pal);
    }
    resize(kWidth, plan.windowHeight());
}

QString TaskMenuWindow::entryText(int entry) const {
    return entry >= 1 && entry <= shown_ ? entries_[entry - 1].label->text() : QString();
}

bool TaskMenuWindow::entryEnabled(int entry) const {
    return entry >= 1 && entry <= shown_ && entries_[entry - 1].image->isEnabled();
}

void TaskMenuWindow::clearHighlights() {
    for (Entry& e : entries_)
        e.image->setPicture(std::nullopt);
}

void TaskMenuWindow::choose(int entry) {
    if (!entryEnabled(entry))
        return;
    hide();
    if (!tag_.isEmpty())
        emit taggedEntryChosen(entry);
    else
        emit entryChosen(entry);
}

bool TaskMenuWindow::eventFilter(QObject* watched, QEvent* event) {
    for (int n = 0; n < shown_; ++n) {
        if (watched != entries_[n].image)
            continue;
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
            clearHighlights();
            if (entries_[n].image->isEnabled())
                entries_[n].image->setPicture(Skin::Picture::ListLineHighlight);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            auto* me = static_cast<QMouseEvent*>(event);
            if (me->button() == Qt::LeftButton &&
                entries_[n].image->rect().contains(me->position().toPoint()))
                choose(n + 1);
            return true;
        }
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

void TaskMenuWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        hide();
    else
        QWidget::keyPressEvent(event);
}

void TaskMenuWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xb5, 0xc2, 0xcf), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
}

}  // namespace fv::ui

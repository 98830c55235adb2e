#include "ui/SkinnedTaskList.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "app/LineHint.h"
#include "app/VerticalScrollRule.h"
#include "platform/DebugLog.h"
#include "ui/LineLabel.h"
#include "ui/Skin.h"
#include "ui/SkinImage.h"
#include "ui/SkinScrollBar.h"

namespace fv::ui {

namespace {

// Column name parts as the controls are named: lab_FVPageInfoLV<Line>_n, lab_..Title<Title>,
// panel_FVPageInfoLVStretchColumn<Handle>.
struct ColumnNames {
    const char* line;
    const char* title;
    const char* handle;
    const char* caption;
};
constexpr std::array<ColumnNames, kColumnCount> kNames = {{
    {"Name", "Name", "Name", "File Name"},
    {"Type", "Type", "Type", "Type"},
    {"Progress", "Progress", "Progress", "Progress"},
    {"Status", "Status", "Status", "Status"},
    {"Size", "Size", "Size", "Size"},
    {"DLSp", "DLSpeed", "DLSp", "Download Speed"},
    {"UpSp", "UpSpeed", "UpSp", "Upload Speed"},
    {"TimeLeft", "TimeLeft", "TimeLeft", "Time Left"},
}};

// Designed for a 635-pixel list; the last column gets its extra 10 pixels on top.
constexpr ColumnLayout::Widths kDesignedWidths = {130, 50, 85, 85, 65, 80, 70, 60};
constexpr int kHandleWidth = 6;
constexpr int kPad = 5;
constexpr int kPictureWidth = 28;

bool busyCursorShowing() {
    const QCursor* c = QApplication::overrideCursor();
    return c && (c->shape() == Qt::WaitCursor || c->shape() == Qt::BusyCursor);
}

QColor statusColour(const QString& status) {
    if (status.contains(QLatin1String("Format")) || status.contains(QLatin1String("Error")))
        return Skin::warning();
    if (status == QLatin1String("Finished") || status == QLatin1String("Seeding"))
        return QColor(0x2b, 0x8a, 0x48);
    return Skin::ink();
}

}  // namespace

SkinnedTaskList::SkinnedTaskList(QWidget* parent) : QWidget(parent), columns_(kDesignedWidths) {
    setObjectName(QStringLiteral("panel_FVPageInfoListView"));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Task list"));
    setFixedSize(columns_.initialTotal() + SkinScrollBar::kThickness,
                 kTitleHeight + kLines * kLineHeight + SkinScrollBar::kThickness);
    buildTitles();
    for (int n = 0; n < kLines; ++n)
        addLine();
    guide_ = new QWidget(this);
    guide_->setObjectName(QStringLiteral("panel_FVPageInfoLVColumnLine"));
    guide_->setAutoFillBackground(true);
    QPalette gp = guide_->palette();
    gp.setColor(QPalette::Window, Skin::accent());
    guide_->setPalette(gp);
    guide_->setGeometry(0, 0, 1, kTitleHeight + kLines * kLineHeight);
    guide_->hide();

    vbar_ = new SkinScrollBar(Qt::Vertical, QStringLiteral("img_VScrollBar"), this);
    vbar_->setGeometry(viewportWidth(), kTitleHeight, SkinScrollBar::kThickness,
                       kLines * kLineHeight);
    hbar_ = new SkinScrollBar(Qt::Horizontal, QStringLiteral("img_HScrollBar"), this);
    hbar_->setGeometry(0, kTitleHeight + kLines * kLineHeight, viewportWidth(),
                       SkinScrollBar::kThickness);
    hbar_->hide();

    connect(vbar_, &SkinScrollBar::arrowStep, this,
            [this](int d) { scrolled(d < 0 ? view_.lineUp() : view_.lineDown(rowCount())); });
    connect(vbar_, &SkinScrollBar::trackPage, this,
            [this](int d) { scrolled(d < 0 ? view_.pageUp() : view_.pageDown(rowCount())); });
    connect(vbar_, &SkinScrollBar::thumbStep, this,
            [this](int d) { scrolled(view_.setTopRow(view_.topRow() + d, rowCount())); });
    auto hmove = [this](bool moved) {
        if (moved) {
            layoutColumns();
            updateHorizontalBar();
        }
    };
    connect(hbar_, &SkinScrollBar::arrowStep, this,
            [this, hmove](int d) { hmove(d < 0 ? hscroll_.stepLeft() : hscroll_.stepRight()); });
    connect(hbar_, &SkinScrollBar::trackPage, this,
            [this, hmove](int d) { hmove(d < 0 ? hscroll_.pageLeft() : hscroll_.pageRight()); });
    connect(hbar_, &SkinScrollBar::thumbStep, this,
            [this, hmove](int d) { hmove(hscroll_.moveTo(hscroll_.pos() + d)); });

    layoutColumns();
    updateVerticalBar();
    updateHorizontalBar();
}

int SkinnedTaskList::viewportWidth() const {
    return columns_.viewport();
}

QString SkinnedTaskList::columnTitle(int column) const {
    return column >= 0 && column < kColumnCount ? titleLabels_[column]->text() : QString();
}

void SkinnedTaskList::buildTitles() {
    titleStrip_ = new QWidget(this);
    titleStrip_->setObjectName(QStringLiteral("panel_FVPageInfoLVTitle"));
    titleStrip_->setGeometry(0, 0, viewportWidth(), kTitleHeight);
    QFont f = font();
    f.setPixelSize(11);
    f.setBold(true);
    for (int k = 0; k < kColumnCount; ++k) {
        const QString title = QString::fromLatin1(kNames[k].title);
        auto* panel = new QWidget(titleStrip_);
        panel->setObjectName(QStringLiteral("panel_FVPageInfoLVTitle") + title);
        panel->setCursor(Qt::PointingHandCursor);
        panel->installEventFilter(this);
        auto* label = new LineLabel(QStringLiteral("lab_FVPageInfoLVTitle") + title, panel);
        label->setText(QString::fromLatin1(kNames[k].caption));
        label->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
        panel->setToolTip(label->text());
        label->setFont(f);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, Skin::mutedInk());
        label->setPalette(pal);
        titlePanels_[k] = panel;
        titleLabels_[k] = label;
    }
    filler_ = new QWidget(titleStrip_);
    filler_->setObjectName(QStringLiteral("panel_FVPageInfoLVTitleReserved"));
    for (int k = 0; k < kColumnCount; ++k) {
        auto* handle = new QWidget(titleStrip_);
        handle->setObjectName(QStringLiteral("panel_FVPageInfoLVStretchColumn") +
                              QString::fromLatin1(kNames[k].handle));
        handle->setCursor(Qt::SplitHCursor);
        handle->installEventFilter(this);
        handles_[k] = handle;
    }
}

void SkinnedTaskList::addLine() {
    QFont f = font();
    f.setPixelSize(11);
    const int n = static_cast<int>(lines_.size());
    const QString num = QString::number(n + 1);
    Line line;
    line.image = new SkinImage(QStringLiteral("img_ListViewLine_") + num, this);
    line.image->setGeometry(0, lineTop(n + 1), viewportWidth(), kLineHeight);
    line.image->setMouseTracking(true);
    line.image->installEventFilter(this);
    for (int k = 0; k < kColumnCount; ++k) {
        auto* label = new LineLabel(
            QStringLiteral("lab_FVPageInfoLV") + QString::fromLatin1(kNames[k].line) + "_" + num,
            line.image);
        label->setFont(f);
        label->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
        line.labels[k] = label;
    }
    line.progress =
        new SkinImage(QStringLiteral("img_FVPageInfoListViewProgress_") + num, line.image);
    line.progress->setAttribute(Qt::WA_TransparentForMouseEvents);
    line.image->show();
    lines_.push_back(line);
}

void SkinnedTaskList::setListSize(int viewport, int lines) {
    lines = std::clamp(lines, kLines, TaskLinesView::kMaxLines);
    columns_.fitTo(viewport);
    while (lineCount() < lines)
        addLine();
    while (lineCount() > lines) {
        delete lines_.back().image;
        lines_.pop_back();
    }
    view_.setLineCount(lines, rowCount());
    const int view = viewportWidth();
    const int linesHeight = lines * kLineHeight;
    setFixedSize(view + SkinScrollBar::kThickness,
                 kTitleHeight + linesHeight + SkinScrollBar::kThickness);
    titleStrip_->setGeometry(0, 0, view, kTitleHeight);
    for (int n = 0; n < lineCount(); ++n)
        lines_[size_t(n)].image->setGeometry(0, lineTop(n + 1), view, kLineHeight);
    guide_->resize(1, kTitleHeight + linesHeight);
    vbar_->setGeometry(view, kTitleHeight, SkinScrollBar::kThickness, linesHeight);
    hbar_->setGeometry(0, kTitleHeight + linesHeight, view, SkinScrollBar::kThickness);
    layoutColumns();
    updateHorizontalBar();
    layoutColumns();
    paintFromTop();
    update();
}

void SkinnedTaskList::layoutColumns() {
    const int shift = hscroll_.shiftPx();
    const int view = viewportWidth();
    for (int k = 0; k < kColumnCount; ++k) {
        const int x = columns_.left(k) - shift;
        const int w = columns_.width(k);
        titlePanels_[k]->setGeometry(x, 0, w, kTitleHeight);
        titleLabels_[k]->setGeometry(kPad, 0, std::max(0, w - 2 * kPad), kTitleHeight);
        handles_[k]->setGeometry(x + w - kHandleWidth / 2, 0, kHandleWidth, kTitleHeight);
        for (Line& line : lines_) {
            if (k == kColProgress) {
                line.progress->setGeometry(x + kPad, (kLineHeight - 14) / 2, kPictureWidth, 14);
                line.labels[k]->setGeometry(x + kPad + kPictureWidth + 4, 0,
                                            std::max(0, w - 2 * kPad - kPictureWidth - 4),
                                            kLineHeight);
            } else {
                line.labels[k]->setGeometry(x + kPad, 0, std::max(0, w - 2 * kPad), kLineHeight);
            }
        }
    }
    const int end = columns_.total() - shift;
    filler_->setGeometry(end, 0, std::max(0, view - end), kTitleHeight);
    // The last handle would dangle past the list's right edge; hide it there.
    QWidget* last = handles_[kColumnCount - 1];
    last->setVisible(last->geometry().right() < view);
    for (QWidget* h : handles_)
        h->raise();
}

bool SkinnedTaskList::restoreColumnWidths(const ColumnLayout::Widths& widths) {
    if (!columns_.restore(widths))
        return false;
    layoutColumns();
    updateHorizontalBar();
    layoutColumns();
    update();
    return true;
}

void SkinnedTaskList::setRows(const TaskRowSource* rows) {
    rows_ = rows;
    lastTick_.reset();
    paintFromTop();
}

void SkinnedTaskList::paintFromTop() {
    if (rows_)
        view_.paint(*rows_);
    view_.highlight(rowCount());
    updateVerticalBar();
    render();
}

void SkinnedTaskList::timerTick() {
    try {
        if (!rows_)
            return;
        const int top = view_.topRow();
        const int selected = view_.selectedRow();
        // Every change of rows or view draws at once; the tick only catches what that missed,
        // so an idle list is not re-read (time left and all) every second.
        const TickBasis basis{rows_->revision(), top, selected};
        if (basis.revision && lastTick_ == basis)
            return;
        view_.timerTick(*rows_);
        updateVerticalBar();
        render();
        lastTick_ = TickBasis{basis.revision, view_.topRow(), view_.selectedRow()};
        if (top != view_.topRow() || selected != view_.selectedRow())
            announceState();
    } catch (const std::exception& e) {
        DebugLog::write(std::string("TimerBlackLVTimer(): E.Message = ") + e.what());
    }
}

void SkinnedTaskList::resetList() {
    view_.reset();
    updateVerticalBar();
    render();
}

void SkinnedTaskList::restoreState(int topRow, int selectedRow) {
    view_.setTopRow(topRow, rowCount());
    view_.setSelectedRow(selectedRow);
    paintFromTop();
}

bool SkinnedTaskList::wheelStep(int direction) {
    const bool moved = view_.wheel(direction, rowCount(), taskPageShowing_);
    scrolled(moved);
    return moved;
}

void SkinnedTaskList::scrolled(bool moved) {
    if (!moved)
        return;
    paintFromTop();
    announceState();
}

void SkinnedTaskList::announceState() {
    emit viewStateChanged(view_.topRow(), view_.selectedRow());
}

void SkinnedTaskList::render() {
    for (int n = 0; n < lineCount(); ++n) {
        const ShownLine& shown = view_.line(n);
        Line& line = lines_[n];
        for (int k = 0; k < kColumnCount; ++k)
            line.labels[k]->setText(shown.texts[k]);
        // Runs every second for every line: only a change of colour touches the palette.
        const QColor colour = statusColour(shown.texts[kColStatus]);
        if (line.labels[kColStatus]->palette().color(QPalette::WindowText) != colour) {
            QPalette pal = line.labels[kColStatus]->palette();
            pal.setColor(QPalette::WindowText, colour);
            line.labels[kColStatus]->setPalette(pal);
        }
        line.progress->setPicture(
            shown.picture >= 0 ? std::optional<Skin::Picture>(Skin::signalPicture(shown.picture))
                               : std::nullopt);
        line.image->setPicture(view_.highlightedLine() == n
                                   ? std::optional<Skin::Picture>(Skin::Picture::ListLineHighlight)
                                   : std::nullopt);
        if (line.image->property("acceptsInput") != QVariant(shown.acceptsInput))
            line.image->setProperty("acceptsInput", shown.acceptsInput);
    }
}

void SkinnedTaskList::updateVerticalBar() {
    const int track = vbar_->trackLength();
    const auto thumb = VerticalScrollRule::compute(rowCount(), track, lineCount());
    vbar_->setThumb(thumb.visible, VerticalScrollRule::thumbOffset(thumb, view_.topRow(), track),
                    thumb.height);
    vbar_->setProperty("vThumbStep", thumb.step);
}

void SkinnedTaskList::updateHorizontalBar() {
    hscroll_.recompute(columns_.overflow(), hbar_->trackLength());
    hbar_->setVisible(hscroll_.visible());
    hbar_->setThumb(hscroll_.visible(), hscroll_.thumbOffset(), hscroll_.thumbWidth());
    hbar_->setProperty("hScrollPos", hscroll_.pos());
    hbar_->setProperty("hScrollMax", hscroll_.max());
}

void SkinnedTaskList::resetScrollImages() {
    vbar_->resetImages();
    hbar_->resetImages();
}

bool SkinnedTaskList::eventFilter(QObject* watched, QEvent* event) {
    for (int n = 0; n < lineCount(); ++n) {
        if (watched == lines_[n].image)
            return lineEvent(n, event);
    }
    for (int k = 0; k < kColumnCount; ++k) {
        if (watched == titlePanels_[k])
            return titleEvent(k, event);
        if (watched == handles_[k])
            return handleEvent(k, event);
    }
    return QWidget::eventFilter(watched, event);
}

bool SkinnedTaskList::lineEvent(int index, QEvent* event) {
    const ShownLine& shown = view_.line(index);
    const QString name = shown.texts[kColName];
    SkinImage* image = lines_[index].image;
    try {
        switch (event->type()) {
            case QEvent::MouseButtonPress: {
                auto* me = static_cast<QMouseEvent*>(event);
                setFocus(Qt::MouseFocusReason);
                if (me->button() == Qt::LeftButton && view_.selectLine(index)) {
                    render();
                    emit selectionChanged(view_.selectedRow());
                    announceState();
                }
                return true;
            }
            case QEvent::MouseButtonDblClick: {
                auto* me = static_cast<QMouseEvent*>(event);
                if (me->button() == Qt::LeftButton && !name.isEmpty() && view_.selectLine(index)) {
                    render();
                    announceState();
                    emit viewRequested(view_.selectedRow());
                }
                return true;
            }
            case QEvent::MouseButtonRelease: {
                auto* me = static_cast<QMouseEvent*>(event);
                const bool inside = image->rect().contains(me->position().toPoint());
                if (me->button() == Qt::RightButton && inside && !name.isEmpty() &&
                    view_.selectLine(index)) {
                    render();
                    announceState();
                    emit menuRequested(index + 1, me->globalPosition().toPoint());
                }
                return true;
            }
            case QEvent::MouseMove:
                if (!busyCursorShowing())
                    image->setCursor(Qt::ArrowCursor);
                resetScrollImages();
                image->setToolTip(
                    LineHint::withTimeLeft(LineHint::text(index + 1, name, shown.texts[kColStatus]),
                                           shown.texts[kColTimeLeft], timeLeftCaption_));
                return false;
            case QEvent::Leave:
                image->setToolTip(QString());
                return false;
            default:
                return false;
        }
    } catch (const std::exception& e) {
        DebugLog::write(
            QStringLiteral("img_ListViewLine_%1MouseUp(); E.Message = ").arg(index + 1) +
            QString::fromUtf8(e.what()));
        return true;
    }
}

bool SkinnedTaskList::titleEvent(int column, QEvent* event) {
    switch (event->type()) {
        case QEvent::Enter:
            resetScrollImages();
            return false;
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(event);
            if (me->button() == Qt::LeftButton &&
                titlePanels_[column]->rect().contains(me->position().toPoint()))
                emit sortRequested(column);
            return true;
        }
        default:
            return false;
    }
}

bool SkinnedTaskList::handleEvent(int column, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    auto* me = static_cast<QMouseEvent*>(event);
    const int handleX = handles_[column]->geometry().center().x();
    switch (type) {
        case QEvent::MouseButtonPress:
            if (me->button() != Qt::LeftButton)
                return true;
            columns_.press(column);
            dragPressX_ = static_cast<int>(me->globalPosition().x());
            guide_->move(handleX + 1, 0);
            guide_->show();
            guide_->raise();
            return true;
        case QEvent::MouseMove:
            if (columns_.dragging(column) &&
                columns_.dragTo(static_cast<int>(me->globalPosition().x()) - dragPressX_))
                guide_->move(handleX + 1 + columns_.guideOffset(), 0);
            return true;
        case QEvent::MouseButtonRelease:
            if (!columns_.dragging(column))
                return true;
            guide_->hide();
            if (columns_.release() != 0) {
                layoutColumns();
                updateHorizontalBar();
                layoutColumns();
            }
            return true;
        default:
            return false;
    }
}

void SkinnedTaskList::keyPressEvent(QKeyEvent* event) {
    using M = TaskLinesView::Move;
    M move;
    switch (event->key()) {
        case Qt::Key_Up:
            move = M::Up;
            break;
        case Qt::Key_Down:
            move = M::Down;
            break;
        case Qt::Key_PageUp:
            move = M::PageUp;
            break;
        case Qt::Key_PageDown:
            move = M::PageDown;
            break;
        case Qt::Key_Home:
            move = M::Home;
            break;
        case Qt::Key_End:
            move = M::End;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            const int row = view_.selectedRow();
            if (rows_ && row >= 0 && row < rowCount() && !rows_->text(row, kColName).isEmpty())
                emit viewRequested(row);
            return;
        }
        case Qt::Key_Delete:
            if (view_.selectedRow() >= 0 && view_.selectedRow() < rowCount())
                emit removeRequested();
            return;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    if (view_.moveSelection(move, rowCount())) {
        paintFromTop();
        emit selectionChanged(view_.selectedRow());
        announceState();
    }
}

void SkinnedTaskList::mousePressEvent(QMouseEvent* event) {
    // Presses inside the list never move the window.
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void SkinnedTaskList::wheelEvent(QWheelEvent* event) {
    const int dy = event->angleDelta().y();
    if (dy != 0) {
        try {
            wheelStep(dy > 0 ? -1 : 1);
        } catch (const std::exception& e) {
            DebugLog::write(std::string(dy > 0 ? "FormMouseWheelUp; E.Message = "
                                               : "FormMouseWheelDown; E.Message = ") +
                            e.what());
        }
    }
    event->accept();
}

void SkinnedTaskList::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int view = viewportWidth();
    const QRectF titles(0, 0, view + SkinScrollBar::kThickness, kTitleHeight);
    QLinearGradient g(titles.topLeft(), titles.bottomLeft());
    g.setColorAt(0, QColor(0xfb, 0xfc, 0xfd));
    g.setColorAt(1, QColor(0xe9, 0xee, 0xf3));
    p.fillRect(titles, g);
    p.fillRect(QRect(0, kTitleHeight, view, lineCount() * kLineHeight), Qt::white);
    p.setPen(QPen(Skin::lineRule(), 1));
    for (int n = 1; n <= lineCount(); ++n)
        p.drawLine(QPointF(0, lineTop(n) + kLineHeight - 0.5),
                   QPointF(view, lineTop(n) + kLineHeight - 0.5));
    p.setPen(QPen(QColor(0xc9, 0xd3, 0xde), 1));
    p.drawLine(QPointF(0, kTitleHeight - 0.5), QPointF(titles.right(), kTitleHeight - 0.5));
    // Column separators in the title strip follow the columns as they scroll.
    for (int k = 0; k < kColumnCount; ++k) {
        const qreal x = columns_.left(k) + columns_.width(k) - hscroll_.shiftPx() - 0.5;
        if (x > 0 && x < view)
            p.drawLine(QPointF(x, 5), QPointF(x, kTitleHeight - 5));
    }
}

void SkinnedTaskList::resizeEvent(QResizeEvent*) {
    updateVerticalBar();
    updateHorizontalBar();
}

}  // namespace fv::ui

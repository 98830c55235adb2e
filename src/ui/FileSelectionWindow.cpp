#include "ui/FileSelectionWindow.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <exception>

#include "i18n/MessageTexts.h"
#include "i18n/TextSet.h"
#include "platform/DebugLog.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "ui/WindowTextWriter.h"

namespace fv::ui {
namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 300;
constexpr int kHeader = 40;
constexpr int kFirstLine = 70;
constexpr int kLineHeight = 26;
constexpr int kTrackTop = 84;
constexpr int kTrackHeight = 102;
constexpr int kScrollX = 446;

}  // namespace

FileSelectionWindow::FileSelectionWindow(FileSelectionModel model, Hooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      model_(std::move(model)),
      hooks_(std::move(hooks)) {
    setObjectName("FormBtSelect");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(MessageTexts::english()[Msg::FormBtSelectMsg0]);
    setFixedSize(kWidth, kHeight);
    buildWidgets();
    drawRows();
    if (model_.rows().empty())
        return;  // nothing to choose: no hints, no forward
    if (!hooks_.mainShown)
        QTimer::singleShot(0, this, [this] { bringForward(); });
    if (hooks_.positionByTimer && *hooks_.positionByTimer) {
        QTimer::singleShot(1000, this, [this] {
            if (hooks_.positionByTimer)
                *hooks_.positionByTimer = false;
            if (hooks_.mainWindow) {
                const QRect main = hooks_.mainWindow->frameGeometry();
                move(main.center() - QPoint(width() / 2, height() / 2));
            }
            bringForward();
        });
    }
}

QLabel* FileSelectionWindow::label(const QString& objectName, const QString& text, QRect geometry) {
    auto* l = new QLabel(text, this);
    l->setObjectName(objectName);
    l->setGeometry(geometry);
    return l;
}

void FileSelectionWindow::buildWidgets() {
    title_ = label("LabFileName_BtSelect", model_.title(), QRect(16, 8, 420, 24));
    title_->setStyleSheet("color: white; font-weight: bold;");
    close_ = new SkinImage("img_BtSelectClose", this);
    close_->setPicture(Skin::Picture::Close);
    close_->setGeometry(450, 11, 18, 18);

    columnTitles_ = {
        label("lab_BtSelectListViewTitleID", "ID", QRect(40, 48, 40, 20)),
        label("lab_BtSelectListViewTitleFileName", "File Name", QRect(84, 48, 260, 20)),
        label("lab_BtSelectListViewTitleFileSize", "File Size", QRect(348, 48, 90, 20))};
    for (int i = 0; i < FileSelectionModel::kVisibleRows; ++i) {
        const int y = kFirstLine + i * kLineHeight;
        const QString n = QString::number(i);
        Line& line = lines_[size_t(i)];
        line.check = new SkinImage("img_BtSelectListViewCheck_" + n, this);
        line.check->setGeometry(16, y + 4, 16, 16);
        line.id = label("lab_BtSelectListViewID_" + n, {}, QRect(40, y, 40, 24));
        line.name = label("lab_BtSelectListViewFileName_" + n, {}, QRect(84, y, 260, 24));
        line.size = label("lab_BtSelectListViewFileSize_" + n, {}, QRect(348, y, 90, 24));
        line.check->installEventFilter(this);
    }
    up_ = new SkinImage("img_BtSelectListViewScrollVerticalUp", this);
    up_->setPicture(Skin::Picture::ArrowUp);
    up_->setGeometry(kScrollX, kFirstLine, 14, 14);
    track_ = new SkinImage("img_BtSelectListViewScrollVerticalTrack", this);
    track_->setPicture(Skin::Picture::Track);
    track_->setGeometry(kScrollX, kTrackTop, 14, kTrackHeight);
    thumb_ = new SkinImage("img_BtSelectListViewScrollVerticalThumb", this);
    thumb_->setPicture(Skin::Picture::Thumb);
    down_ = new SkinImage("img_BtSelectListViewScrollVerticalDown", this);
    down_->setPicture(Skin::Picture::ArrowDown);
    down_->setGeometry(kScrollX, kTrackTop + kTrackHeight, 14, 14);

    selectAll_ = new QCheckBox(this);
    selectAll_->setObjectName("ChkBoxSelectAll_BtSelect");
    selectAll_->setProperty("captionShownBy", QStringLiteral("Lab_BoxSelectAll_BtSelect"));
    selectAll_->setGeometry(16, 214, 18, 18);
    selectAll_->setChecked(model_.selectAll());
    selectAllLabel_ = label("Lab_BoxSelectAll_BtSelect", "Select All", QRect(38, 212, 140, 22));
    connect(selectAll_, &QCheckBox::clicked, this, [this](bool on) {
        model_.setSelectAll(on);
        model_.selectAllClicked();
        drawRows();
    });

    ok_ = new ImageButton("BtnSelect_BtSelect", "lab_ErrorMsg_OK_Text", "OK", this);
    ok_->move(290, 250);
    cancel_ = new ImageButton("BtnCancel_BtSelect", "lab_ErrorMsg_Cancel_Text", "Cancel", this);
    cancel_->move(380, 250);
    connect(ok_, &ImageButton::clicked, this, &FileSelectionWindow::confirmSelection);
    connect(cancel_, &ImageButton::clicked, this, &FileSelectionWindow::cancelSelection);

    for (QWidget* w :
         std::initializer_list<QWidget*>{close_, up_, down_, selectAllLabel_, columnTitles_[0],
                                         columnTitles_[1], columnTitles_[2]})
        w->installEventFilter(this);
}

void FileSelectionWindow::drawRows() {
    for (int i = 0; i < FileSelectionModel::kVisibleRows; ++i) {
        const BtSelectRow* row = model_.visibleRow(i);
        Line& line = lines_[size_t(i)];
        line.check->setVisible(row != nullptr);
        if (row)
            line.check->setPicture(row->checked ? Skin::Picture::CheckOn : Skin::Picture::CheckOff);
        line.id->setText(row ? QString::number(row->id) : QString());
        line.name->setText(row ? row->name : QString());
        line.name->setToolTip(row ? row->name : QString());
        line.size->setText(row ? row->sizeText : QString());
    }
    const auto t = model_.thumb(kTrackTop, kTrackHeight);
    thumb_->setVisible(t.visible);
    if (t.visible)
        thumb_->setGeometry(kScrollX, t.top, 14, t.height);
    selectAll_->setChecked(model_.selectAll());
}

void FileSelectionWindow::scrollClick(const char* handler, int rows) {
    try {
        model_.scrollBy(rows);
        drawRows();
    } catch (const std::exception& e) {
        DebugLog::write(std::string(handler) + "; E.Message = " + e.what());
    }
}

bool FileSelectionWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease ||
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return QWidget::eventFilter(watched, event);
    if (watched == close_) {
        cancelSelection();
    } else if (watched == up_) {
        scrollClick("img_BtSelectListViewScrollVerticalUpOverClick", -1);
    } else if (watched == down_) {
        scrollClick("img_BtSelectListViewScrollVerticalDownOverClick", 1);
    } else if (watched == selectAllLabel_) {
        model_.selectAllLabelClicked();
        drawRows();
    } else {
        for (int c = 0; c < 3; ++c)
            if (watched == columnTitles_[size_t(c)]) {
                model_.FileSelectionSortColumn(c);
                drawRows();
            }
        for (int i = 0; i < FileSelectionModel::kVisibleRows; ++i)
            if (watched == lines_[size_t(i)].check) {
                model_.toggleVisibleRow(i);
                drawRows();
            }
    }
    return true;
}

void FileSelectionWindow::applyTexts(const TextSet& texts) {
    WindowTextWriter(*this).write(texts.texts(LanguageWindow::FileSelection));
    setWindowTitle(texts.messages[Msg::FormBtSelectMsg0]);
}

void FileSelectionWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (hooks_.applyLanguage)
        hooks_.applyLanguage(*this);
}

void FileSelectionWindow::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) {
        model_.wheel(-steps);
        drawRows();
    }
    event->accept();
}

void FileSelectionWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Skin::drawWindow(p, rect(), 8, kHeader);
}

void FileSelectionWindow::bringForward() {
    show();
    raise();
    activateWindow();
}

void FileSelectionWindow::confirmSelection() {
    if (const auto checked = model_.checkedValue(); checked && hooks_.appendQueueEntry)
        hooks_.appendQueueEntry(model_.title(), *checked, model_.fullPath());
    if (hooks_.afterConfirm)
        hooks_.afterConfirm();
    close();
}

void FileSelectionWindow::cancelSelection() {
    close();
}

}  // namespace fv::ui

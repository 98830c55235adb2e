#include "ui/UpdateWindow.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>

#include "i18n/TextSet.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "ui/WindowTextWriter.h"
#include "update/UpdateControlNames.h"

namespace fv::ui {
namespace {

namespace n = update_names;

constexpr int kCornerRadius = 15;

QRegion roundedRegion(const QRect& rect, int radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(rect), radius, radius);
    return QRegion(path.toFillPolygon().toPolygon());
}

}  // namespace

UpdateWindow::UpdateWindow(UpdateFlow::Context context,
                           std::function<void(UpdateWindow&)> applyLanguage, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      flow_(std::make_unique<UpdateFlow>(std::move(context), animation_)),
      applyLanguage_(std::move(applyLanguage)) {
    setObjectName("FormUpdate");
    setWindowTitle(QStringLiteral("Update Version"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);
    setModal(true);
    buildWidgets();
    FormState& form = flow_->form();
    for (const QString& name : form.names())
        showControl(name);
    connect(&form, &FormState::controlChanged, this, &UpdateWindow::showControl);
    connect(flow_.get(), &UpdateFlow::progressChanged, this,
            [this](std::int64_t value, std::int64_t maximum) {
                // The bar counts in KiB so a package beyond 2 GiB still fits an int.
                const bool bytes = maximum < (std::int64_t(1) << 30);
                const auto scale = [bytes](std::int64_t v) {
                    return static_cast<int>(bytes ? v : v / 1024);
                };
                progress_->setMaximum(maximum > 0 ? scale(maximum) : 1);
                progress_->setValue(maximum > 0 ? scale(value) : 0);
                progress_->repaint();
            });
}

UpdateWindow::~UpdateWindow() = default;

QLabel* UpdateWindow::label(const char* name, const QString& text, QRect geometry) {
    auto* l = new QLabel(text, this);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    return l;
}

void UpdateWindow::buildWidgets() {
    QLabel* title =
        label("Lab_UpdateVersionTitle_Update", "Update Version", QRect(20, 10, 500, 26));
    title->setStyleSheet("color: white; font-weight: bold;");
    close_ = new SkinImage("Img_Close_Update", this);
    close_->setPicture(Skin::Picture::Close);
    close_->setGeometry(kWidth - 32, 14, 18, 18);
    close_->setCursor(Qt::PointingHandCursor);
    close_->installEventFilter(this);

    // Room for the longer titles of other languages ("Installierte Version:").
    label("Lab_NowVersionTitle_Update", "Now Version:", QRect(20, 48, 160, 22));
    nowVersion_ = label(n::NowVersionValue, {}, QRect(185, 48, 130, 22));
    label("Lab_NewVersionTitle_Update", "New Version:", QRect(330, 48, 160, 22));
    newVersion_ = label(n::NewVersionValue, {}, QRect(495, 48, 150, 22));

    note_ = new QPlainTextEdit(this);
    note_->setObjectName(QString::fromLatin1(n::ReleaseNote));
    note_->setReadOnly(true);
    note_->setGeometry(20, 78, kWidth - 40, 170);

    message_ = label(n::UpdateMessage, {}, QRect(20, 252, kWidth - 40, 40));
    message_->setWordWrap(true);
    progressLabel_ = label(n::ProgressLabel, {}, QRect(20, 296, 400, 20));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QString::fromLatin1(n::ProgressBar));
    progress_->setGeometry(20, 318, kWidth - 40, 14);
    progress_->setTextVisible(false);
    progress_->setRange(0, 1);

    ok_ = new ImageButton("BtnOK_Update", n::UpdateButton, "Update", this);
    ok_->move(kWidth - 2 * ImageButton::kWidth - 40, kHeight - ImageButton::kHeight - 12);
    cancel_ = new ImageButton("BtnCancel_Update", n::CancelButton, "Cancel", this);
    cancel_->move(kWidth - ImageButton::kWidth - 24, kHeight - ImageButton::kHeight - 12);
    connect(ok_, &ImageButton::clicked, this, [this] {
        if (ok_->isEnabled())
            flow_->updateClicked();
    });
    connect(cancel_, &ImageButton::clicked, this, &QDialog::reject);
}

void UpdateWindow::showControl(const QString& name) {
    const FormState& form = flow_->form();
    const ControlState& c = form.control(name);
    if (name == QLatin1String(n::NowVersionValue)) {
        nowVersion_->setText(c.text);
    } else if (name == QLatin1String(n::NewVersionValue)) {
        newVersion_->setText(c.text);
    } else if (name == QLatin1String(n::ReleaseNote)) {
        if (note_->toPlainText() != c.text) {
            note_->setPlainText(c.text);
            note_->verticalScrollBar()->setValue(0);  // the note is read from its top
        }
    } else if (name == QLatin1String(n::UpdateMessage)) {
        message_->setText(c.text);
        message_->setVisible(c.visible);
    } else if (name == QLatin1String(n::ProgressLabel)) {
        progressLabel_->setText(c.text);
        progressLabel_->setVisible(c.visible);
    } else if (name == QLatin1String(n::ProgressBar)) {
        progress_->setVisible(c.visible);
    } else if (name == QLatin1String(n::UpdateButton)) {
        ok_->setEnabled(c.enabled);
        ok_->caption()->setEnabled(c.enabled);
    }
}

void UpdateWindow::applyTexts(const TextSet& texts) {
    WindowTextWriter(*this).write(texts.texts(LanguageWindow::Update));
    flow_->setTexts(texts.messages, texts.client);
}

void UpdateWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (applyLanguage_)
        applyLanguage_(*this);
    // Over the middle of the main window, then brought to the front as the original did:
    // restored, raised, focused.
    if (QWidget* owner = parentWidget())
        move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
    flow_->formShow();
}

void UpdateWindow::done(int result) {
    flow_->closed();
    QDialog::done(result);
}

void UpdateWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(0xf4, 0xf6, 0xf8));
    p.fillRect(QRect(0, 0, width(), 44), QColor(0x2b, 0x4a, 0x6f));
}

void UpdateWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    setMask(roundedRegion(rect(), kCornerRadius));
}

void UpdateWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    moving_ = true;
    moveOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void UpdateWindow::mouseMoveEvent(QMouseEvent* event) {
    if (moving_ && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - moveOffset_);
}

void UpdateWindow::mouseReleaseEvent(QMouseEvent*) {
    moving_ = false;
}

bool UpdateWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == close_ && event->type() == QEvent::MouseButtonRelease) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace fv::ui

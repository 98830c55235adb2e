#include "ui/TaskFilterBar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace fv::ui {
namespace {

constexpr Ct kChoiceTexts[TaskFilter::kStatusCount] = {
    Ct::FilterChoiceAll, Ct::FilterChoiceDownloading, Ct::FilterChoiceFinished,
    Ct::FilterChoicePaused, Ct::FilterChoiceQueued};

}  // namespace

TaskFilterBar::TaskFilterBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("panel_TaskFilter_Main"));
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("EditTaskFilter_Main"));
    search_->setClearButtonEnabled(true);
    search_->setMaxLength(200);
    search_->installEventFilter(this);
    status_ = new QComboBox(this);
    status_->setObjectName(QStringLiteral("ComboTaskFilter_Main"));
    for (int i = 0; i < TaskFilter::kStatusCount; ++i)
        status_->addItem(QString(), i);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(search_, 1);
    row->addWidget(status_);
    for (QWidget* w : {static_cast<QWidget*>(search_), static_cast<QWidget*>(status_)}) {
        QFont f = w->font();
        f.setPixelSize(12);
        w->setFont(f);
        w->setFixedHeight(kHeight);
    }
    applyTexts(ClientTexts::english());
    connect(search_, &QLineEdit::textChanged, this, &TaskFilterBar::announce);
    connect(status_, &QComboBox::currentIndexChanged, this, &TaskFilterBar::announce);
}

TaskFilter TaskFilterBar::filter() const {
    TaskFilter f;
    f.text = search_->text();
    const int i = status_->currentIndex();
    f.status = i >= 0 && i < TaskFilter::kStatusCount ? static_cast<TaskFilter::Status>(i)
                                                      : TaskFilter::Status::All;
    return f;
}

void TaskFilterBar::setFilter(const TaskFilter& filter) {
    quiet_ = true;
    search_->setText(filter.text);
    status_->setCurrentIndex(static_cast<int>(filter.status));
    quiet_ = false;
}

void TaskFilterBar::applyTexts(const ClientTexts& texts) {
    search_->setPlaceholderText(texts[Ct::FilterHint]);
    search_->setAccessibleName(texts[Ct::FilterHint]);
    for (int i = 0; i < TaskFilter::kStatusCount; ++i)
        status_->setItemText(i, texts[kChoiceTexts[i]]);
    status_->setAccessibleName(texts[Ct::FilterChoiceAll]);
}

void TaskFilterBar::focusSearch() {
    search_->setFocus(Qt::ShortcutFocusReason);
    search_->selectAll();
}

void TaskFilterBar::announce() {
    if (!quiet_)
        emit filterChanged(filter());
}

bool TaskFilterBar::eventFilter(QObject* watched, QEvent* event) {
    // Escape in the search field empties it, as in other clients' search boxes.
    if (watched == search_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && !search_->text().isEmpty()) {
        search_->clear();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace fv::ui

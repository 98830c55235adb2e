#include "ui/TrailingLinkPlacer.h"

#include <QEvent>
#include <QLabel>

namespace fv::ui {

TrailingLinkPlacer::TrailingLinkPlacer(QLabel* sentence, QLabel* link, int lineHeight)
    : QObject(sentence), sentence_(sentence), link_(link), lineHeight_(lineHeight) {
    sentence_->parentWidget()->installEventFilter(this);
}

void TrailingLinkPlacer::place() {
    const int textWidth = sentence_->fontMetrics().horizontalAdvance(sentence_->text());
    const int linkWidth = link_->fontMetrics().horizontalAdvance(link_->text()) + 2;
    // A blank's width apart, so that the link does not read as the sentence's last word.
    const int gap = sentence_->fontMetrics().horizontalAdvance(QLatin1Char(' '));
    sentence_->resize(textWidth + 1, sentence_->height());
    if (textWidth >= kWrapWidth)
        link_->setGeometry(sentence_->x(), sentence_->y() + lineHeight_, linkWidth,
                           link_->height());
    else
        link_->setGeometry(sentence_->x() + textWidth + gap, sentence_->y(), linkWidth,
                           link_->height());
}

bool TrailingLinkPlacer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sentence_->parentWidget() && event->type() == QEvent::Show)
        place();
    return false;
}

}  // namespace fv::ui

#include "ui/TextFitter.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>

#include "ui/LineLabel.h"

namespace fv::ui {
namespace {

constexpr const char* kBaseSize = "fvBasePixelSize";
constexpr const char* kWholeText = "fvWholeText";
constexpr QChar kEllipsis(0x2026);

// The pixel size the window gave the control, kept across languages and shows.
int basePixelSize(QWidget* w) {
    if (!w->property(kBaseSize).isValid())
        w->setProperty(kBaseSize, QFontInfo(w->font()).pixelSize());
    return w->property(kBaseSize).toInt();
}

void setPixelSize(QWidget* w, int px) {
    QFont f = w->font();
    f.setPixelSize(px);
    w->setFont(f);
}

// Room for the text of a check box or radio button beside its indicator.
int textRoom(const QAbstractButton* b) {
    QStyleOptionButton option;
    option.initFrom(b);
    const int indicator = b->style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, b) +
                          b->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, b);
    return b->contentsRect().width() - indicator;
}

bool labelFits(const QLabel* l, const QString& text, const QFont& font) {
    const QFontMetrics fm(font);
    const QRect room = l->contentsRect();
    if (fm.horizontalAdvance(text) <= room.width())
        return true;
    if (!l->wordWrap())
        return false;
    // A word wider than the line sticks out sideways; too many lines stick out below.
    const QRect used = fm.boundingRect(room, Qt::TextWordWrap, text);
    return used.width() <= room.width() && used.height() <= room.height();
}

QString wholeText(QWidget* w, const QString& shown) {
    // A text this class cut itself is known by its ellipsis; a new caption replaces it.
    const QString kept = w->property(kWholeText).toString();
    if (!kept.isEmpty() && shown.endsWith(kEllipsis) && kept.startsWith(shown.chopped(1)))
        return kept;
    return shown;
}

void fitLabel(QLabel* l) {
    const QString text = wholeText(l, l->text());
    const int base = basePixelSize(l);
    setPixelSize(l, base);
    if (labelFits(l, text, l->font()))
        return;
    const bool roomForTwoLines = l->contentsRect().height() >= 2 * QFontMetrics(l->font()).height();
    l->setWordWrap(roomForTwoLines);
    for (int px = base; px >= TextFitter::kMinPixelSize; --px) {
        setPixelSize(l, px);
        if (labelFits(l, text, l->font()))
            return;
    }
    l->setWordWrap(false);
    l->setProperty(kWholeText, text);
    l->setToolTip(text);
    l->setText(QFontMetrics(l->font()).elidedText(text, Qt::ElideRight, l->contentsRect().width()));
}

void fitButton(QAbstractButton* b) {
    const QString text = wholeText(b, b->text());
    if (text.isEmpty())
        return;
    const int base = basePixelSize(b);
    for (int px = base; px >= TextFitter::kMinPixelSize; --px) {
        setPixelSize(b, px);
        if (QFontMetrics(b->font()).horizontalAdvance(text) <= textRoom(b))
            return;
    }
    b->setProperty(kWholeText, text);
    b->setToolTip(text);
    b->setText(QFontMetrics(b->font()).elidedText(text, Qt::ElideRight, textRoom(b)));
}

}  // namespace

void TextFitter::fit(QWidget* control) {
    if (qobject_cast<LineLabel*>(control))
        return;  // it cuts its own line with an ellipsis
    if (auto* l = qobject_cast<QLabel*>(control))
        fitLabel(l);
    else if (auto* b = qobject_cast<QAbstractButton*>(control))
        fitButton(b);
    else if (auto* label = control->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        fitLabel(label);  // a skinned button's caption
}

bool TextFitter::fits(const QWidget* control) {
    if (qobject_cast<const LineLabel*>(control))
        return true;  // it draws an ellipsis where its line ends
    if (auto* l = qobject_cast<const QLabel*>(control))
        return l->text().endsWith(kEllipsis) || labelFits(l, l->text(), l->font());
    if (auto* b = qobject_cast<const QAbstractButton*>(control))
        return b->text().endsWith(kEllipsis) ||
               QFontMetrics(b->font()).horizontalAdvance(b->text()) <= textRoom(b);
    return true;
}

}  // namespace fv::ui

#include "ui/WindowTextWriter.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QTreeWidget>

#include "platform/FormState.h"
#include "ui/ImageButton.h"
#include "ui/TextFitter.h"

namespace fv::ui {
namespace {

// Faces drawn for Japanese first, so kanji shared with Chinese take their Japanese forms.
constexpr const char* kJapaneseFaces[] = {"Noto Sans CJK JP",   "Noto Sans JP", "IPAGothic",
                                          "IPAexGothic",        "TakaoGothic",  "VL Gothic",
                                          "Droid Sans Fallback"};

// A check box whose caption a label beside it shows keeps no text of its own.
bool captionShownElsewhere(QObject* target) {
    return target->property("captionShownBy").isValid();
}

}  // namespace

WindowTextWriter& WindowTextWriter::throughForm(FormState* form) {
    if (form)
        forms_.push_back(form);
    return *this;
}

WindowTextWriter& WindowTextWriter::alsoUnder(QObject* root) {
    if (root)
        roots_.push_back(root);
    return *this;
}

QObject* WindowTextWriter::find(const QString& name) const {
    if (window_.objectName() == name)
        return &window_;
    if (QObject* o = window_.findChild<QObject*>(name))
        return o;
    for (QObject* root : roots_)
        if (QObject* o = root->findChild<QObject*>(name))
            return o;
    return nullptr;
}

FormState* WindowTextWriter::boundForm(const QString& name) const {
    for (FormState* f : forms_)
        if (f->has(name))
            return f;
    return nullptr;
}

void WindowTextWriter::write(const std::vector<ControlText>& texts) {
    for (const ControlText& t : texts) {
        const QString& name = t.receiver.control;
        QObject* target = find(name);
        if (!target)
            continue;
        switch (t.receiver.target) {
            case TextTarget::Caption:
                writeCaption(target, name, t.text);
                break;
            case TextTarget::Hint:
                if (auto* w = qobject_cast<QWidget*>(target))
                    w->setToolTip(t.text);
                break;
            case TextTarget::Item:
                writeItem(target, name, t.receiver.index, t.text);
                break;
            case TextTarget::Column:
                if (auto* tree = qobject_cast<QTreeWidget*>(target);
                    tree && t.receiver.index < tree->columnCount())
                    tree->headerItem()->setText(t.receiver.index, t.text);
                break;
        }
        if (auto* w = qobject_cast<QWidget*>(target))
            TextFitter::fit(w);
    }
}

void WindowTextWriter::writeCaption(QObject* target, const QString& name, const QString& text) {
    auto* label = qobject_cast<QLabel*>(target);
    auto* button = qobject_cast<ImageButton*>(target);
    // Only texts the binder shows go through the form: a form's text change also runs the
    // control's change rules, which a check box's caption must not set off.
    if (FormState* form = boundForm(name); form && (label || button))
        form->setText(name, text);
    if (label)
        label->setText(text);
    else if (button)
        button->setCaption(text);
    else if (auto* action = qobject_cast<QAction*>(target))
        action->setText(text);
    else if (auto* box = qobject_cast<QAbstractButton*>(target); box && !captionShownElsewhere(box))
        box->setText(text);
}

void WindowTextWriter::writeItem(QObject* target, const QString& name, int index,
                                 const QString& text) {
    auto* combo = qobject_cast<QComboBox*>(target);
    if (!combo || index < 0)
        return;
    if (FormState* form = boundForm(name); form && index < form->items(name).size()) {
        // The selection stays; choices are read by their index, never by their text.
        QStringList items = form->items(name);
        items[index] = text;
        form->setItems(name, items);
    }
    if (index < combo->count())
        combo->setItemText(index, text);
}

void WindowTextWriter::useJapaneseFont(const std::vector<QString>& controls) {
    const QString family = japaneseFamily();
    if (family.isEmpty())
        return;
    for (const QString& name : controls) {
        auto* w = qobject_cast<QWidget*>(find(name));
        if (auto* button = qobject_cast<ImageButton*>(w))
            w = button->caption();
        if (!w)
            continue;
        QFont f = w->font();
        f.setFamilies({family});
        w->setFont(f);
        TextFitter::fit(w);
    }
}

QString WindowTextWriter::japaneseFamily() {
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const char* face : kJapaneseFaces)
        if (japanese.contains(QLatin1String(face)))
            return QString::fromLatin1(face);
    return japanese.value(0);
}

}  // namespace fv::ui

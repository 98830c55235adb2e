#include "ui/FormBinder.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "platform/FormState.h"
#include "ui/ImageButton.h"

namespace fv::ui {

FormBinder::FormBinder(FormState& form, QObject* parent) : QObject(parent), form_(form) {
    connect(&form_, &FormState::controlChanged, this, &FormBinder::apply);
}

void FormBinder::bind(QWidget* root, const QStringList& names) {
    for (const QString& name : names) {
        QWidget* w = root->objectName() == name ? root : root->findChild<QWidget*>(name);
        if (!w)
            continue;
        widgets_[name] = w;
        if (form_.has(name))
            apply(name);
        else
            seed(name, w);
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            connect(edit, &QLineEdit::textEdited, this,
                    [this, name](const QString& text) { form_.setText(name, text); });
            connect(edit, &QLineEdit::editingFinished, this, [this, name] { form_.exit(name); });
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            connect(combo, &QComboBox::activated, this, [this, name](int index) {
                form_.setItemIndex(name, index);
                form_.click(name);
            });
            if (combo->isEditable())
                connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                        [this, name](const QString& text) { form_.setText(name, text); });
        } else if (auto* button = qobject_cast<ImageButton*>(w)) {
            connect(button, &ImageButton::clicked, this, [this, name] { form_.click(name); });
        } else if (auto* check = qobject_cast<QAbstractButton*>(w)) {
            connect(check, &QAbstractButton::clicked, this, [this, name, check] {
                form_.setChecked(name, check->isChecked());
                form_.click(name);
            });
        }
    }
}

void FormBinder::seed(const QString& name, QWidget* w) {
    applying_ = true;
    if (auto* label = qobject_cast<QLabel*>(w))
        form_.setText(name, label->text());
    else if (auto* edit = qobject_cast<QLineEdit*>(w))
        form_.setText(name, edit->text());
    else if (auto* button = qobject_cast<ImageButton*>(w))
        form_.setText(name, button->caption()->text());
    form_.setVisible(name, !w->isHidden());
    form_.setEnabled(name, w->isEnabled());
    applying_ = false;
}

void FormBinder::apply(const QString& name) {
    if (applying_)
        return;
    const auto it = widgets_.find(name);
    if (it == widgets_.end() || !it->second)
        return;
    QWidget* w = it->second;
    const ControlState& c = form_.control(name);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(c.text);
        // A status text longer than its line can still be read whole from the hint.
        const bool cut = label->fontMetrics().horizontalAdvance(c.text) > label->width();
        label->setToolTip(cut ? c.text : QString());
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text() != c.text)
            edit->setText(c.text);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker quiet(combo);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        // A choice with fixed entries of its own keeps them when the form names none; an
        // address list shows exactly the form's entries, so an emptied list offers no stale
        // router to pick or to complete a typed address with.
        if ((combo->isEditable() || !c.items.isEmpty()) && shown != c.items) {
            combo->clear();
            combo->addItems(c.items);
        }
        combo->setCurrentIndex(c.itemIndex);
        if (combo->isEditable() && combo->currentText() != c.text)
            combo->setEditText(c.text);
    } else if (auto* button = qobject_cast<ImageButton*>(w)) {
        if (!c.text.isEmpty())
            button->setCaption(c.text);
    } else if (auto* check = qobject_cast<QAbstractButton*>(w)) {
        check->setChecked(c.checked);
    }
    w->setVisible(c.visible);
    // A skinned button stands in for a command button the logic disables after use; the
    // skinned one calls its handler on every click, so it never takes over that state.
    auto* button = qobject_cast<ImageButton*>(w);
    if (!button || button->followsEnabledFlag())
        w->setEnabled(c.enabled);
}

}  // namespace fv::ui

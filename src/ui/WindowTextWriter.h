// Writes a computed language text set into one window's widgets by objectName: captions of
// labels, skinned buttons, check boxes and menu entries, hints, choice-list entries and list
// columns. A control bound to a form state takes its text through the form, so the binding
// keeps showing it. Controls the window does not have are passed over (the original's
// layout had more of them). Long texts are fitted afterwards (TextFitter).
#pragma once

#include <QString>
#include <vector>

#include "i18n/TextSet.h"

class QObject;
class QWidget;

namespace fv {
class FormState;
}

namespace fv::ui {

class WindowTextWriter {
  public:
    explicit WindowTextWriter(QWidget& window) : window_(window) {}

    // A form whose bound controls take their texts through it.
    WindowTextWriter& throughForm(FormState* form);
    // Another tree of objects that belongs to the window (a menu without a parent).
    WindowTextWriter& alsoUnder(QObject* root);

    void write(const std::vector<ControlText>& texts);
    // A font family carrying Japanese for these controls (the original set the Shift-JIS
    // character set on them); nothing when no such family is installed.
    void useJapaneseFont(const std::vector<QString>& controls);

    // The family chosen for Japanese: a Japanese face where one is installed, else any
    // family that has the Japanese writing system; empty when there is none.
    static QString japaneseFamily();

  private:
    QObject* find(const QString& name) const;
    void writeCaption(QObject* target, const QString& name, const QString& text);
    void writeItem(QObject* target, const QString& name, int index, const QString& text);
    FormState* boundForm(const QString& name) const;

    QWidget& window_;
    std::vector<FormState*> forms_;
    std::vector<QObject*> roots_;
};

}  // namespace fv::ui

// Binds widgets to a FormState by object name: the state's text, visibility and enabled flag
// show in the widget; typing, leaving a field and clicking go back to the state, so logic
// written against FormState drives the real window.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <map>

class QWidget;

namespace fv {
class FormState;
}

namespace fv::ui {

class FormBinder : public QObject {
    Q_OBJECT

  public:
    FormBinder(FormState& form, QObject* parent = nullptr);

    // Binds every named descendant of root. A control the state does not know yet is seeded
    // from the widget; a known one is shown as the state says.
    void bind(QWidget* root, const QStringList& names);
    FormState& form() { return form_; }

  private:
    void apply(const QString& name);
    void seed(const QString& name, QWidget* widget);

    FormState& form_;
    std::map<QString, QPointer<QWidget>> widgets_;
    bool applying_ = false;
};

}  // namespace fv::ui

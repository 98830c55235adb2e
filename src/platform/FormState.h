// The state of a window's controls as a plain model keyed by the controls' object names
// ("EditFVPort_Setup", "LabelTestMsg_Setup", ...). Logic and tests read and write it; a window
// binds its widgets to it by objectName. It stands in for the original's form controls.
//
// Setting a value fires the control's change handlers only when the value really changes,
// like a control's OnChange, so mirror rules settle instead of ping-ponging. exit(name)
// fires its exit handlers, like OnExit when focus leaves a field. UI thread only.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

namespace fv {

struct ControlState {
    QString text;  // edit text, label caption, or the selected entry's text of a list
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    int itemIndex = -1;  // selected entry of a list or choice, -1 for none
    QStringList items;   // entries of a list
};

class FormState : public QObject {
    Q_OBJECT

  public:
    using Handler = std::function<void(const QString& name)>;

    explicit FormState(QObject* parent = nullptr) : QObject(parent) {}

    // Unknown names read as a default control; they are created on first write.
    const ControlState& control(const QString& name) const;
    bool has(const QString& name) const { return controls_.count(name) != 0; }
    QStringList names() const;

    QString text(const QString& name) const { return control(name).text; }
    bool checked(const QString& name) const { return control(name).checked; }
    bool enabled(const QString& name) const { return control(name).enabled; }
    bool visible(const QString& name) const { return control(name).visible; }
    int itemIndex(const QString& name) const { return control(name).itemIndex; }
    QStringList items(const QString& name) const { return control(name).items; }

    void setText(const QString& name, const QString& value);
    void setChecked(const QString& name, bool value);
    void setEnabled(const QString& name, bool value);
    void setVisible(const QString& name, bool value);
    // Selecting an entry also sets the text to it (or empty for -1 / out of range).
    void setItemIndex(const QString& name, int index);
    void setItems(const QString& name, const QStringList& items);

    // The focus leaves the control (runs its exit rules).
    void exit(const QString& name);
    // A click on a button-like control.
    void click(const QString& name);

    void onChange(const QString& name, Handler handler);
    void onExit(const QString& name, Handler handler);
    void onClick(const QString& name, Handler handler);

  signals:
    // Any property of the named control changed (for widgets bound to it).
    void controlChanged(const QString& name);

  private:
    ControlState& mutableControl(const QString& name);
    void fire(const std::map<QString, std::vector<Handler>>& table, const QString& name);
    void changed(const QString& name, bool fireChangeHandlers);

    std::map<QString, ControlState> controls_;
    std::map<QString, std::vector<Handler>> changeHandlers_;
    std::map<QString, std::vector<Handler>> exitHandlers_;
    std::map<QString, std::vector<Handler>> clickHandlers_;
};

}  // namespace fv

// The change and exit rules of the setup fields, installed on a FormState. The same class
// serves the main window's setup pages and the stand-alone settings window (a second
// FormState); the wizard adds its own fields and mirrors through the add... calls.
//
// Lifetime: the handlers capture this object, so it must live as long as the FormState it
// was installed on (keep both as members of the same owner). UI thread only.
#pragma once

#include "settings/SetupFormKind.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <map>

namespace fv {

class FormState;

class SetupFieldRules {
  public:
    SetupFieldRules(FormState& form, SetupFormKind kind);
    SetupFieldRules(const SetupFieldRules&) = delete;
    SetupFieldRules& operator=(const SetupFieldRules&) = delete;

    // Initial values of the kind, then every rule, then the enabling of the selected mode.
    void installWithInitialValues();
    // Every rule of the kind (fields keep their current values).
    void install();

    // Open for further fields (the wizard's, for example). A numeric field gets the numeric
    // rule and, on exit, its default when empty.
    void addNumericField(const QString& name, qint64 maximum, const QString& defaultText);
    // A service-port field: the numeric rule up to 65535 and the shared service-port exit.
    void addServicePortField(const QString& name);
    // A change of `from` is copied into `to`; copying a text `to` already holds does nothing.
    void addMirror(const QString& from, const QString& to);
    // An edit of the field marks the connection settings as changed.
    void addConnectionField(const QString& name);
    // Leaving the field repairs an empty service port (the rule is shared by several fields).
    void addServicePortExit(const QString& name);
    // Runs after the shared exit rule put the default into the service port; the wizard
    // copies it into its own port field while it shows its welcome or address page.
    void setServicePortDefaultedHook(std::function<void(const QString& port)> hook);

    // The mode handlers: "Local:" / "Remote (DDNS):" selected, with the enabling that goes
    // with them. applyModeEnabling() reruns the handler of the mode that is selected.
    void selectLocal();
    void selectRemote();
    void applyModeEnabling();

    // The refresh field's "Change" button: a value below 5 (or no whole number) becomes "5";
    // returns the period in milliseconds for the record and the refresh timer.
    int32_t applyRefreshChange();

    bool connectionFieldsChanged() const { return connectionFieldsChanged_; }
    void clearConnectionFieldsChanged() { connectionFieldsChanged_ = false; }

    // The stand-alone window remembers the refresh field when it is shown: leaving the field
    // empty or below 5 restores that value ("10" when it held no usable value).
    void rememberRefreshExitValue();
    QString refreshExitValue() const { return refreshExitValue_; }

    // The table of numeric fields: maximum and the default an emptied field gets on exit.
    struct NumericSpec {
        qint64 maximum;
        QString defaultText;
    };
    const std::map<QString, NumericSpec>& numericFields() const { return numeric_; }

  private:
    void installNumericFields();
    void installConnectionRules();
    void installModeRules();
    void installBitTorrentAndNzbRules();
    void addNumericChangeRule(const QString& name, qint64 maximum);
    void installUnlimitedBox(const QString& box, const QString& edit, const QString& unit);
    void exitNumeric(const QString& name);
    void exitRefresh();
    void exitServicePort();
    void exitAuthPort();
    void localListChosen();
    void setModeEnabling(bool remote);

    FormState& form_;
    SetupFormKind kind_;
    std::map<QString, NumericSpec> numeric_;
    bool connectionFieldsChanged_ = false;
    QString refreshExitValue_ = QStringLiteral("10");
    std::function<void(const QString&)> servicePortDefaultedHook_;
};

}  // namespace fv

#include "settings/WizardFieldRules.h"

#include "platform/FormState.h"
#include "router/SetupControlNames.h"
#include "settings/ConnectionCommit.h"
#include "settings/SetupFieldRules.h"

namespace fv {
namespace {

constexpr const char* kLocal = "RadioBtn_SetupWizard1_Local";
constexpr const char* kRemote = "RadioBtn_SetupWizard1_Remote";
constexpr const char* kByName = "RadioBtn_SetupWizard1_Remote_Remote0";
constexpr const char* kOther = "RadioBtn_SetupWizard1_Remote_Remote1";
constexpr const char* kLocalList = "ComboBoxLocalIP_SetupWizard1";
constexpr const char* kPortList = "ComboBoxFVPort_SetupWizard1";
constexpr const char* kLocalPort = "EditFVPort_SetupWizard1";
constexpr const char* kRemotePort = "EditFVPort2_SetupWizard1";
constexpr const char* kGeneral = "RadioBtnGeneral_SetupWizard2";
constexpr const char* kAdvanced = "RadioBtnAdvanced_SetupWizard2";
constexpr const char* kAdvancedPanel = "panel_SetupWizard2_Advanced";

}  // namespace

WizardFieldRules::WizardFieldRules(FormState& form, SetupFieldRules& pageRules)
    : form_(form), pageRules_(pageRules) {}

void WizardFieldRules::installWithInitialValues() {
    form_.setChecked(kLocal, true);
    form_.setText(setup_names::WizardLocalAddress, QStringLiteral("192.168.1.1"));
    form_.setText(kLocalPort, QStringLiteral("8081"));
    form_.setText(kRemotePort, QStringLiteral("8081"));
    form_.setChecked(kByName, true);
    form_.setItems(setup_names::WizardAuthMethod,
                   {QStringLiteral("http"), QStringLiteral("https")});
    form_.setItemIndex(setup_names::WizardAuthMethod, 0);
    form_.setText(setup_names::WizardAuthPort, QStringLiteral("80"));
    form_.setChecked(kGeneral, true);
    form_.setVisible(kAdvancedPanel, false);
    for (const char* label : {setup_names::WizardFailure1, setup_names::WizardFailure2})
        form_.setVisible(label, false);
    form_.setText(setup_names::WizardFailure2, QStringLiteral("*Invalid account or password"));
    form_.setChecked("ChkBox_SetupWizard0", false);
    installMirrors();
    installChoices();
    selectLocal();
}

void WizardFieldRules::installMirrors() {
    const char* const copies[][2] = {
        {setup_names::WizardLocalAddress, "EditLocalIP_Setup"},
        {setup_names::WizardDdnsName, setup_names::DdnsName},
        {setup_names::WizardOtherAddress, setup_names::OtherAddress},
        {kLocalPort, setup_names::Port},
        {kLocalPort, kRemotePort},
        {kRemotePort, kLocalPort},
        {kPortList, kRemotePort},
        {setup_names::WizardUserName, setup_names::UserName},
        {setup_names::UserName, setup_names::WizardUserName},
        {setup_names::WizardPassword, setup_names::Password},
        {setup_names::Password, setup_names::WizardPassword},
        {setup_names::WizardAuthPort, "Edit_AuthPort_Setup"},
    };
    for (const auto& [from, to] : copies)
        pageRules_.addMirror(QString::fromLatin1(from), QString::fromLatin1(to));
    pageRules_.addServicePortField(QString::fromLatin1(kLocalPort));
    pageRules_.addServicePortField(QString::fromLatin1(kRemotePort));
    // What is typed or chosen in the address list is the address the wizard tests, and the
    // connection page's list takes it too, since the connection record reads that list.
    form_.onChange(kLocalList, [this](const QString&) {
        const QString text = form_.text(kLocalList);
        form_.setText(setup_names::WizardLocalAddress, ConnectionCommit::localAddress(text));
        if (form_.text(setup_names::LocalAddressList) != text)
            form_.setText(setup_names::LocalAddressList, text);
        localListChosen();
    });
    form_.onChange(setup_names::WizardAuthMethod, [this](const QString&) {
        const int index = form_.itemIndex(setup_names::WizardAuthMethod);
        if (form_.itemIndex("ComboBox_AuthMethod_Setup") != index)
            form_.setItemIndex("ComboBox_AuthMethod_Setup", index);
        form_.setText(setup_names::WizardAuthPort,
                      index == 1 ? QStringLiteral("8443") : QStringLiteral("80"));
    });
}

// An entry chosen from the list brings its router's port, which sits at the same position.
void WizardFieldRules::localListChosen() {
    const int index = form_.itemIndex(kLocalList);
    const QStringList entries = form_.items(kLocalList);
    if (index < 0 || index >= entries.size() || entries.at(index) != form_.text(kLocalList))
        return;
    if (index >= form_.items(kPortList).size())
        return;
    form_.setItemIndex(kPortList, index);
    form_.setText(kLocalPort, form_.text(kPortList));
    form_.setText("ComboBoxFVPort_Setup", form_.text(kPortList));
}

void WizardFieldRules::installChoices() {
    form_.onClick(kLocal, [this](const QString&) { selectLocal(); });
    form_.onClick(kRemote, [this](const QString&) { selectRemote(); });
    form_.onClick(kByName, [this](const QString&) { selectDdnsName(); });
    form_.onClick(kOther, [this](const QString&) { selectOtherAddress(); });
    form_.onClick(kGeneral, [this](const QString&) {
        form_.setChecked(kAdvanced, false);
        form_.setVisible(kAdvancedPanel, false);
    });
    form_.onClick(kAdvanced, [this](const QString&) {
        form_.setChecked(kGeneral, false);
        form_.setVisible(kAdvancedPanel, true);
    });
}

void WizardFieldRules::selectLocal() {
    pageRules_.selectLocal();
    form_.setChecked(kLocal, true);
    form_.setChecked(kRemote, false);
    for (const char* name : {setup_names::WizardDdnsName, setup_names::WizardOtherAddress, kByName,
                             kOther, kRemotePort})
        form_.setEnabled(name, false);
    for (const char* name : {kLocalList, setup_names::WizardLocalAddress, kLocalPort})
        form_.setEnabled(name, true);
    form_.setChecked(setup_names::Local, true);
}

void WizardFieldRules::selectRemote() {
    pageRules_.selectRemote();
    form_.setChecked(kByName, true);
    form_.setChecked(kLocal, false);
    form_.setChecked(kRemote, true);
    for (const char* name : {kLocalList, setup_names::WizardLocalAddress, kLocalPort})
        form_.setEnabled(name, false);
    for (const char* name : {setup_names::WizardDdnsName, setup_names::WizardOtherAddress, kByName,
                             kOther, kRemotePort})
        form_.setEnabled(name, true);
    form_.setChecked(setup_names::Remote, true);
    selectDdnsName();
}

void WizardFieldRules::selectDdnsName() {
    form_.setItemIndex(setup_names::DdnsChoice, 0);
    form_.setChecked(kByName, true);
    form_.setChecked(kOther, false);
    form_.setEnabled(setup_names::WizardDdnsName, true);
    form_.setEnabled(setup_names::WizardOtherAddress, false);
}

void WizardFieldRules::selectOtherAddress() {
    form_.setItemIndex(setup_names::DdnsChoice, 1);
    form_.setChecked(kOther, true);
    form_.setChecked(kByName, false);
    form_.setEnabled(setup_names::WizardOtherAddress, true);
    form_.setEnabled(setup_names::WizardDdnsName, false);
}

}  // namespace fv

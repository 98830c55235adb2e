// The rules of the wizard's fields: their start values, the copies into the connection page
// (and of the account back), the address page's Local / Remote (DDNS) choice with its
// enabling, and the account page's General / Advanced choice and authentication method.
#pragma once

#include <QString>

namespace fv {

class FormState;
class SetupFieldRules;

class WizardFieldRules {
  public:
    WizardFieldRules(FormState& form, SetupFieldRules& pageRules);
    WizardFieldRules(const WizardFieldRules&) = delete;
    WizardFieldRules& operator=(const WizardFieldRules&) = delete;

    void installWithInitialValues();

    void selectLocal();
    void selectRemote();
    void selectDdnsName();
    void selectOtherAddress();

  private:
    void installMirrors();
    void installChoices();
    void localListChosen();

    FormState& form_;
    SetupFieldRules& pageRules_;
};

}  // namespace fv

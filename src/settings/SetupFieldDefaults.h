// The initial values of the setup fields, as a freshly created window shows them.
#pragma once

#include "settings/SetupFormKind.h"

#include <QString>

namespace fv {

class FormState;

class SetupFieldDefaults {
  public:
    // The router's factory administrator account: the start-up values and the stand-alone
    // window use it as both user name and password until the settings file says otherwise.
    static constexpr const char* kFactoryAccount = "admin";
    // What the "another address" field shows before the user types one.
    static constexpr const char* kOtherAddressPlaceholder = "www.example.com";
    static constexpr const char* kDdnsNamePlaceholder = "DDNSName";
    static constexpr const char* kLocalAddressPlaceholder = "192.168.1.1";
    static constexpr const char* kServicePort = "8081";
    static constexpr const char* kDefaultIncomingPort = "51413";

    // Entries of the two lists whose index is what the settings file stores.
    static QStringList authMethodItems();
    static QStringList encryptionItems();
    // The port that goes with an authentication method: "8443" for https (1), else "80".
    static QString authPortFor(int methodIndex);

    // Puts every field of the kind's pages to its initial value. Run it before the rules are
    // installed so that no change rule fires on the initial values.
    static void apply(FormState& form, SetupFormKind kind);

  private:
    static void applyConnection(FormState& form, SetupFormKind kind);
    static void applyBitTorrent(FormState& form);
    static void applyNzb(FormState& form, SetupFormKind kind);
};

}  // namespace fv

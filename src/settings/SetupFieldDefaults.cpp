#include "settings/SetupFieldDefaults.h"

#include "platform/FormState.h"

namespace fv {

QStringList SetupFieldDefaults::authMethodItems() {
    return {QStringLiteral("http"), QStringLiteral("https")};
}

QStringList SetupFieldDefaults::encryptionItems() {
    return {QStringLiteral("Encryption Disable"), QStringLiteral("Encryption Enable"),
            QStringLiteral("Encryption Required")};
}

QString SetupFieldDefaults::authPortFor(int methodIndex) {
    return methodIndex == 1 ? QStringLiteral("8443") : QStringLiteral("80");
}

void SetupFieldDefaults::apply(FormState& form, SetupFormKind kind) {
    applyConnection(form, kind);
    applyBitTorrent(form);
    applyNzb(form, kind);
}

void SetupFieldDefaults::applyConnection(FormState& form, SetupFormKind kind) {
    const bool pages = kind == SetupFormKind::SetupPages;
    form.setChecked("RadioBtnLocal_Setup", true);
    form.setChecked("RadioBtnRemote_Setup", false);
    form.setItemIndex("RaGpDDNSAddress_Setup", 0);
    form.setText("EditDDNSKova_Setup", kDdnsNamePlaceholder);
    form.setText("EditOthersIP_Setup", kOtherAddressPlaceholder);
    form.setText("EditFVPort_Setup", kServicePort);
    form.setText("EditLocalIP_Setup", kLocalAddressPlaceholder);
    form.setText("EditFVUs_Setup", pages ? QString() : QString(kFactoryAccount));
    form.setText("EditFVPs_Setup", pages ? QString() : QString(kFactoryAccount));
    form.setChecked("ChkBoxPw_Setup", false);
    form.setChecked("ChkBoxAssBt_Setup", true);
    form.setChecked("ChkBoxAssNZB_Setup", true);
    form.setVisible("ChkBoxAssBt_Setup", false);
    form.setVisible("ChkBoxAssNZB_Setup", false);
    form.setVisible("LabelTestMsg_Setup", false);
    form.setVisible("LabelFVDetectMsg_Setup", false);
    form.setText("EditAufresh_Setup", pages ? "5" : "10");
    if (!pages)
        return;
    // Only the setup pages have the local-address list, the mirrored local port, the
    // authentication fields, the service switch and the About page.
    form.setItems("ComboBoxLocalIP_Setup", {});
    form.setText("ComboBoxLocalIP_Setup", QString());
    form.setItems("ComboBoxFVPort_Setup", {});
    form.setVisible("ComboBoxFVPort_Setup", false);
    form.setText("EditFVPort2_Setup", kServicePort);
    form.setVisible("EditLocalIP_Setup", false);
    form.setItems("ComboBox_AuthMethod_Setup", authMethodItems());
    form.setItemIndex("ComboBox_AuthMethod_Setup", 0);
    form.setText("Edit_AuthPort_Setup", "80");
    form.setChecked("RadioBtnFVEnable_Setup", true);
    form.setChecked("RadioBtnFVDisable_Setup", false);
    form.setChecked("ChkBox_ChkVerAtStart_About", false);
    form.setText("Lab_Setup_Apply_Send", QStringLiteral("Apply send"));
    form.setVisible("Lab_Setup_Apply_Send", false);
}

void SetupFieldDefaults::applyBitTorrent(FormState& form) {
    form.setChecked("ChkBoxDefaultPort_Setup", true);
    form.setText("EditInPort_Setup", kDefaultIncomingPort);
    form.setEnabled("EditInPort_Setup", false);
    form.setChecked("ChkBoxBTDLSp_Setup", true);
    form.setText("EditBTMaxDL_Setup", "100");
    form.setVisible("EditBTMaxDL_Setup", false);
    form.setVisible("LabelBTMaxDLUnit_Setup", false);
    form.setChecked("ChkBoxBTULSp_Setup", true);
    form.setText("EditBTMaxUL_Setup", "100");
    form.setVisible("EditBTMaxUL_Setup", false);
    form.setVisible("LabelBTMaxULUnit_Setup", false);
    form.setItems("ComboBoxBTEncry_Setup", encryptionItems());
    form.setItemIndex("ComboBoxBTEncry_Setup", 1);
    form.setText("EditMaxPeer_Setup", "60");
    form.setText("EditMaxCon_Setup", "240");
    form.setChecked("ChkBoxDHT_Setup", true);
    form.setChecked("ChkBoxPEX_Setup", true);
}

void SetupFieldDefaults::applyNzb(FormState& form, SetupFormKind kind) {
    form.setText("EditUSENETServer_Setup", QString());
    form.setText("EditUSENETPort_Setup", "119");
    form.setText("EditUSENETUs_Setup", QString());
    form.setText("EditUSENETPs_Setup", QString());
    form.setText("EditUSENETConfPs_Setup", QString());
    form.setChecked("ChkBoxNZBDLSp_Setup", true);
    form.setText("EditNZBMaxDL_Setup", "100");
    form.setVisible("EditNZBMaxDL_Setup", false);
    form.setVisible("LabelNZBMaxDLUnit_Setup", false);
    form.setText("EditNZBConNum_Setup", "4");
    form.setChecked("ChkBoxNZBSSL_Setup", kind == SetupFormKind::SetupPages);
    form.setVisible("LabelNZBErrMag_Setup", false);
}

}  // namespace fv

// Object names of the setup area's controls that the login, the connection test and the
// probe read or write. The setup windows bind widgets under the same names.
#pragma once

namespace fv::setup_names {

// The page showing: the objectName of the visible tab sheet is this control's text.
inline constexpr const char* PageShowing = "PageControl_Setup";
// The control holding the keyboard focus: its objectName is this control's text.
inline constexpr const char* ActiveControl = "ActiveControl_Setup";
inline constexpr const char* WizardAccountSheet = "tabSheetSetupWizard2";

// Connection page.
inline constexpr const char* UserName = "EditFVUs_Setup";
inline constexpr const char* Password = "EditFVPs_Setup";
inline constexpr const char* Port = "EditFVPort_Setup";
inline constexpr const char* Local = "RadioBtnLocal_Setup";
inline constexpr const char* Remote = "RadioBtnRemote_Setup";
inline constexpr const char* LocalAddressList = "ComboBoxLocalIP_Setup";
inline constexpr const char* OtherAddress = "EditOthersIP_Setup";
inline constexpr const char* DdnsName = "EditDDNSKova_Setup";
inline constexpr const char* DdnsChoice = "RaGpDDNSAddress_Setup";  // itemIndex 0 name, 1 other
inline constexpr const char* TestMessage = "LabelTestMsg_Setup";
inline constexpr const char* ServiceEnable = "RadioBtnFVEnable_Setup";
inline constexpr const char* ServiceDisable = "RadioBtnFVDisable_Setup";
inline constexpr const char* TestButton = "BtnTest_Setup";
inline constexpr const char* DetectButton = "BtnDetect_Setup";
inline constexpr const char* OkPanel = "panel_Setup_OK";
inline constexpr const char* ApplyPanel = "panel_Setup_Apply";
inline constexpr const char* BitTorrentTab = "panel_Setup_tabSheetBitTorrent";
inline constexpr const char* NzbTab = "panel_Setup_tabSheetNZB";
inline constexpr const char* AboutTab = "panel_Setup_tabSheetAbout";

// Buttons of the setup area used by the wizard.
inline constexpr const char* OkButton = "lab_Setup_OK_Text";
inline constexpr const char* FinishButton = "lab_Setup_Go_Text";
inline constexpr const char* NextButton = "lab_Setup_Next_Text";
inline constexpr const char* SkipPanel = "panel_Setup_Skip";

// Wizard, address step.
inline constexpr const char* WizardRemote = "RadioBtn_SetupWizard1_Remote";
inline constexpr const char* WizardRemoteByName = "RadioBtn_SetupWizard1_Remote_Remote0";
inline constexpr const char* WizardDdnsName = "EditDDNSKova_SetupWizard1";
inline constexpr const char* WizardOtherAddress = "EditOthersIP_SetupWizard1";
inline constexpr const char* WizardLocalAddress = "EditLocalIP_SetupWizard1";
inline constexpr const char* WizardAutoDetect = "Btn_AutoDetec_SetupWizard1";

// Wizard, account step.
inline constexpr const char* WizardUserName = "EditFVUs_SetupWizard2";
inline constexpr const char* WizardPassword = "EditFVPs_SetupWizard2";
// How the utility library reaches the router: "http" (port 80) or "https" (this port).
inline constexpr const char* WizardAuthMethod = "ComboBox_AuthMethod_SetupWizard2";
inline constexpr const char* WizardAuthPort = "Edit_AuthPort_SetupWizard2";
inline constexpr const char* WizardFailure1 = "LabelUPTestFailMsg_SetupWizard2";
inline constexpr const char* WizardFailure2 = "LabelUPTestFailMsg2_SetupWizard2";

// The maker's dynamic-DNS domain, appended to a DDNS name (configuration of this build).
inline constexpr const char* DdnsDomainSuffix = ".kovaddns.net";

}  // namespace fv::setup_names

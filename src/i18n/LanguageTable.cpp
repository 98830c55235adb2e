#include "i18n/LanguageTable.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace fv {
namespace {

using K = LanguageStep::Kind;

constexpr LanguageStep text(const char* key, const char* english, const char* receiver = nullptr) {
    return {K::Text, key, english, receiver};
}
constexpr LanguageStep message(const char* key) {
    return {K::Message, key};
}
constexpr LanguageStep copy(const char* from, const char* to) {
    return {K::CopyCaption, from, nullptr, to};
}
constexpr LanguageStep hint(const char* messageKey, const char* to) {
    return {K::MessageHint, messageKey, nullptr, to};
}

const LanguageStep kMain[] = {
    text("BtnAdd_Main->Caption", "Add Task"),
    text("BtnFVPageRemove_Main->Caption", "Remove"),
    text("BtnFVPagePause_Main->Caption", "Pause"),
    text("BtnFVPageResume_Main->Caption", "Resume"),
    text("BtnFVPagePauseAll_Main->Caption", "Pause All"),
    text("BtnFVPageResumeAll_Main->Caption", "Resume All"),
    text("BtnFVPageClear_Main->Caption", "Clear Complete"),
    text("BtnSetup_Main->Caption", "Settings"),
    text("BtnDelete_Main->Caption", "Delete"),
    text("BtnUploadBt_Main->Caption", "Retry"),
    text("LabGetFVInfoStatusTitle_Main->Caption", "Download Stauts:"),
    text("LabTaskStatus_Title_Main->Caption", "Bt files upload list:"),
    text("ListViewDLFile_Main->Column[0]->Caption", "File Name"),
    text("ListViewDLFile_Main->Column[1]->Caption", "Status"),
    text("Show_TrayPopup_Main->Caption", "Show"),
    text("Exit_TrayPopup_Main->Caption", "Exit"),
    text("View_LVPopUp_Main->Caption", "View"),
    message("FormMainMsg0"),
    message("FormMainMsg1"),
    message("FormMainMsg2"),
    message("FormMainMsg3"),
    message("FormMainMsg4"),
    message("FormMainMsg5"),
    message("FormMainMsg6"),
    message("FormMainMsg7"),
    message("FormMainMsg8"),
    message("FormMainMsg9"),
    message("FormMainMsg10"),
    message("FormMainMsg11"),
    message("FormMainMsg12"),
    message("FormMainMsg13"),
    message("FormShareMsg0"),
    message("FormExitMsg0"),
    message("FormExitMsg1"),
    copy("BtnAdd_Main", "lab_btnAddTask"),
    copy("BtnFVPageRemove_Main", "lab_btnRemove"),
    copy("BtnFVPagePause_Main", "lab_btnPause"),
    copy("BtnFVPageResume_Main", "lab_btnResume"),
    copy("BtnFVPagePauseAll_Main", "lab_btnPauseAll"),
    copy("BtnFVPageResumeAll_Main", "lab_btnResumeAll"),
    copy("BtnFVPageClear_Main", "lab_btnClearComplete"),
    copy("BtnSetup_Main", "lab_btnSetup"),
    text("lab_FVPageInfoLVTitleName->Caption", "File Name"),
    text("lab_FVPageInfoLVTitleType->Caption", "Type"),
    text("lab_FVPageInfoLVTitleProgress->Caption", "Progress"),
    text("lab_FVPageInfoLVTitleStatus->Caption", "Status"),
    text("lab_FVPageInfoLVTitleSize->Caption", "Size"),
    text("lab_FVPageInfoLVTitleDLSpeed->Caption", "Download Speed"),
    text("lab_FVPageInfoLVTitleUpSpeed->Caption", "Upload Speed"),
    text("lab_FVPageInfoLVTitleTimeLeft->Caption", "Time Left"),
    text("ListViewDLFile_Main->Column[1]->Caption", "Status", "Lab_ConnectStatusTitle_Main"),
    text("GrpBoxFVServer_Setup->Caption", "Server Address Settings", "LabelFVServerTitle_Setup"),
    text("BtnDetect_Setup->Caption", "Auto Detection"),
    text("RadioBtnLocal_Setup->Caption", "Local:", "LabelLocal_Setup"),
    text("RadioBtnRemote_Setup->Caption", "Remote (DDNS):", "LabelRemote_Setup"),
    text("LabelPortTitle_Setup->Caption", "Port:"),
    text("LabelPortTitle_Setup->Caption", "Port:", "LabelPortTitle2_Setup"),
    text("LabelIPAddressTitle_Setup->Caption", "IP Address:"),
    text("LabelAufreshTitle_Setup->Caption", "Update Interval (5~180s):"),
    text("GrpBoxFVAccount_Setup->Caption", "Authorization Settings", "LabelFVAccountTitle_Setup"),
    text("LabelUsTitle_Setup->Caption", "Account:"),
    text("LabelPstTitle_Setup->Caption", "Password:"),
    text("ChkBoxPw_Setup->Caption", "Show Password", "LabelPw_Setup"),
    text("BtnTest_Setup->Caption", "Connection test"),
    text("BtnApply_Setup->Caption", "Apply", "lab_Setup_Apply_Text"),
    text("BtnCancel_Setup->Caption", "OK", "lab_Setup_OK_Text"),
    text("PanelPort_Setup->Caption", "Port Setting", "lab_Setup_BitTorrent_PortSetting_Title"),
    text("TabSheet_Connection_Setup->Caption", "Connection", "lab_Setup_tabSheetConnection"),
    text("ChkBoxDefaultPort_Setup->Caption", "Use the default port",
         "lab_Status_IP_Setup_BitTorrent_defaultPort_Title"),
    text("LabelInPortTitle_Setup->Caption", "Incoming Port:"),
    text("PanelSpeed_Setup->Caption", "Speed Limits Setting",
         "lab_Setup_BitTorrent_SpeedLimits_Title"),
    text("LabelBTMaxDLTitle_Setup->Caption", "Maximum download speed:"),
    text("LabelBTMaxULTitle_Setup->Caption", "Maximum upload speed:"),
    text("ChkBoxBTDLSp_Setup->Caption", "Unlimited", "lab_Status_IP_Setup_BitTorrent_BTDLSp_Title"),
    text("ChkBoxBTULSp_Setup->Caption", "Unlimited", "lab_Status_IP_Setup_BitTorrent_BTUpSp_Title"),
    text("PanelBTNetwork_Setup->Caption", "Bit Torrent Network Setting",
         "lab_Setup_BitTorrent_BTNetwork_Title"),
    text("LabeBTEncryTitle_Setup->Caption", "Bit Torrent protocol encryption:"),
    text("LabelMaxPeerTitle_Setup->Caption", "Maximum peers allowed per torrent:"),
    text("LabelMaxConTitle_Setup->Caption", "Global maximum connection:"),
    text("ChkBoxDHT_Setup->Caption", "DHT network", "lab_Setup_BitTorrent_DHT_Title"),
    text("ChkBoxPEX_Setup->Caption", "PEX network", "lab_Status_IP_Setup_BitTorrent_PEX_Title"),
    text("ComboBoxBTEncry_Setup->Items->Strings[0]", "Encryption Disable"),
    text("ComboBoxBTEncry_Setup->Items->Strings[1]", "Encryption Enable"),
    text("ComboBoxBTEncry_Setup->Items->Strings[2]", "Encryption Required"),
    text("PanelNZBUSENET_Setup->Caption", "Setup USENET server to download NZB files",
         "lab_Setup_NZB_PortSetting_Title"),
    text("LabelUSENETServerTitle_Setup->Caption", "USENET Server:"),
    text("LabelUSENETPortTitle_Setup->Caption", "USENET Server Port:"),
    text("LabelUSENETUsTitle_Setup->Caption", "User Name:"),
    text("LabelUSENETPsTitle_Setup->Caption", "Password:"),
    text("LabelUSENETConfPsTitle_Setup->Caption", "Confirm Password:"),
    text("LabelNZBMaxDLTitle_Setup->Caption", "Maximum download speed:"),
    text("ChkBoxNZBDLSp_Setup->Caption", "Unlimited"),
    text("LabelNZBConNum_Setup->Caption", "Number of connections per NZB task:"),
    text("ChkBoxNZBSSL_Setup->Caption", "SSL/TLS connection only", "LabelNZBSSL_Setup"),
    text("SpBtnAufreshSec_Setup->Caption", "Change"),
    text("Lab_AuthMethodTitle_Setup->Caption", "Auth. Method:"),
    text("Lab_AuthPortTitle_Setup->Caption", "Auth. Port:"),
    text("lab_Setup_tabSheetAbout->Caption", "About"),
    text("Lab_CheckVersion_About->Caption", "Check version"),
    text("Lab_ChkVerAtStartDec_About->Caption", "Check New version at start up"),
    text("Btn_SetupWizard_Setup->Caption", "Setup Wizard"),
    text("Label_GeneralTitle_SetupWizard2->Caption", "General"),
    text("Label_AdvancedTitle_SetupWizard2->Caption", "Advanced"),
    copy("Lab_AuthMethodTitle_Setup", "Lab_AuthMethod_SetupWizard2"),
    copy("Lab_AuthPortTitle_Setup", "Lab_AuthPort_SetupWizard2"),
    text("RadioBtnLocal_Setup->Caption", "Local:", "Lab_SetupWizard1_radioTitle_Local"),
    text("BtnDetect_Setup->Caption", "Auto Detection", "Btn_AutoDetec_SetupWizard1"),
    text("LabelIPAddressTitle_Setup->Caption", "IP Address:", "Lab_SetupWizard1_Title_IP"),
    text("LabelPortTitle_Setup->Caption", "Port:", "Lab_SetupWizard1_Title_PortNum"),
    text("LabelPortTitle_Setup->Caption", "Port:", "Lab_SetupWizard1_Title_PortNum2"),
    text("RadioBtnRemote_Setup->Caption", "Remote (DDNS):", "Lab_SetupWizard1_radioTitle_Remote"),
    text("LabelUsTitle_Setup->Caption", "Account:", "LabelUstTitle_SetupWizard2"),
    text("LabelPstTitle_Setup->Caption", "Password:", "LabelPwTitle_SetupWizard2"),
    text("ChkBoxPw_Setup->Caption", "Show Password", "LabelPw_SetupWizard2"),
    text("LabelFVEnable_Setup->Caption", "Enable"),
    text("LabelFVDisable_Setup->Caption", "Disable"),
    text("Lab_SetupWizard0_Dec0->Caption", "Welcome to Ferrovane Wizard!"),
    text("Lab_SetupWizard0_Dec1->Caption",
         "This wizard will help you connect to Ferrovane Server."),
    text("Lab_SetupWizard0_Dec2->Caption",
         "Please check if you install Ferrovane application in Polaros and enable the function "
         "before starting to use utility."),
    text("Lab_SetupWizard0_Dec3->Caption", "By using Ferrovane Utility, you agree to the"),
    text("Lab_SetupWizard0_Dec5->Caption", "and"),
    text("Lab_SetupWizard1_Dec0->Caption",
         "Please choose the way which your client device connecting to the router."),
    text("Lab_SetupWizard1_Dec2->Caption",
         "Failed connect to server! Please check if you installed and enable Ferrovane "
         "application in Polaros."),
    text("LabelTitle_SetupWizard2->Caption", "Sign in with your KOVA router account"),
    text("Lab_SetupWizard3_Dec0->Caption", "Complete the setting!"),
    text("Lab_SetupWizard3_Dec1->Caption",
         "You also can modify the configuration in the setting area."),
    text("Lab_SetupWizard3_Dec2->Caption", "If any question, please refer to Ferrovane utility"),
    text("lab_Setup_Skip_Text->Caption", "Skip Wizard"),
    text("lab_Setup_Previous_Text->Caption", "Previous"),
    text("lab_Setup_Next_Text->Caption", "Next"),
    text("lab_Setup_Go_Text->Caption", "Finish"),
    text("Lab_Setup_Apply_Send->Caption", "Apply send"),
    message("FormSetupMsg0"),
    message("FormSetupMsg1"),
    message("FormSetupMsg2"),
    message("FormSetupMsg3"),
    message("FormSetupMsg4"),
    message("FormSetupMsg5"),
    message("FormSetupMsg6"),
    message("FormSetupMsg7"),
    message("FormSetupMsg8"),
    message("FormSetupMsg9"),
    message("FormSetupMsg10"),
    message("FormSetupMsg11"),
    message("FormSetupMsg12"),
    message("FormSetupMsg13"),
    message("FormSetupMsg14"),
    message("FormSetupMsg15"),
    message("FormSetupMsg16"),
    message("FormSetupMsg17"),
    message("FormSetupMsg18"),
    message("FormSetupMsg19"),
    hint("FormMainMsg6", "Img_Connected_Main"),
    hint("FormMainMsg5", "Img_DisConnected_Main"),
    copy("SpBtnAufreshSec_Setup", "Lab_btnChange"),
    // Texts the original showed in English in every language; they are read from the same
    // section, after the original's keys.
    text("lab_Setup_tabSheetBitTorrent->Caption", "Bit Torrent"),
    text("LabelOthersIP_Setup->Caption", "Other address:"),
    text("RaGpDDNSAddress_Setup->Items->Strings[0]", "DDNS name"),
    text("RaGpDDNSAddress_Setup->Items->Strings[1]", "Other address"),
    text("img_Minimize->Hint", "Minimize"),
    text("img_Close->Hint", "Close"),
};

const LanguageStep kSettings[] = {
    text("GrpBoxFV_Setup->Caption", "Connection Settings"),
    text("GrpBoxFVServer_Setup->Caption", "Server Address Settings"),
    text("RaGpDDNSAddress_Setup->Caption", "Remote"),
    text("GrpBoxFVAccount_Setup->Caption", "Authorization Settings"),
    text("BtnDetect_Setup->Caption", "Auto Detection"),
    text("BtnTest_Setup->Caption", "Connection test"),
    text("BtnCancel_Setup->Caption", "Exit"),
    text("BtnApply_Setup->Caption", "Apply"),
    text("RadioBtnLocal_Setup->Caption", "Local:"),
    text("RadioBtnRemote_Setup->Caption", "Remote:"),
    text("LabelPortTitle_Setup->Caption", "Port:"),
    text("LabelUsTitle_Setup->Caption", "Account:"),
    text("LabelPstTitle_Setup->Caption", "Password:"),
    text("ChkBoxPw_Setup->Caption", "Show Password"),
    text("LabelAufreshTitle_Setup->Caption", "Update Interval:"),
    text("LabelAufreshSec_Setup->Caption", "seconds. (5~180)"),
    text("TabSheet_Connection_Setup->Caption", "Connection"),
    text("PanelPort_Setup->Caption", "Port Setting"),
    text("ChkBoxDefaultPort_Setup->Caption", "Use the default port"),
    text("LabelInPortTitle_Setup->Caption", "Incoming Port:"),
    text("PanelSpeed_Setup->Caption", "Speed Limits Setting"),
    text("LabelBTMaxDLTitle_Setup->Caption", "Maximum download speed:"),
    text("LabelBTMaxULTitle_Setup->Caption", "Maximum upload speed:"),
    text("ChkBoxBTDLSp_Setup->Caption", "Unlimited"),
    text("ChkBoxBTULSp_Setup->Caption", "Unlimited"),
    text("PanelBTNetwork_Setup->Caption", "Bit Torrent Network Setting"),
    text("LabeBTEncryTitle_Setup->Caption", "Bit Torrent protocol encryption:"),
    text("LabelMaxPeerTitle_Setup->Caption", "Maximum peers allowed per torrent:"),
    text("LabelMaxConTitle_Setup->Caption", "Global maximum connection:"),
    text("ChkBoxDHT_Setup->Caption", "DHT network"),
    text("ChkBoxPEX_Setup->Caption", "PEX network"),
    text("ComboBoxBTEncry_Setup->Items->Strings[0]", "Encryption Disable"),
    text("ComboBoxBTEncry_Setup->Items->Strings[1]", "Encryption Enable"),
    text("ComboBoxBTEncry_Setup->Items->Strings[2]", "Encryption Required"),
    text("PanelNZBUSENET_Setup->Caption", "Setup USENET server to download NZB files"),
    text("LabelUSENETServerTitle_Setup->Caption", "USENET Server:"),
    text("LabelUSENETPortTitle_Setup->Caption", "USENET Server Port:"),
    text("LabelUSENETUsTitle_Setup->Caption", "User Name:"),
    text("LabelUSENETPsTitle_Setup->Caption", "Password:"),
    text("LabelUSENETConfPsTitle_Setup->Caption", "Confirm Password:"),
    text("LabelNZBMaxDLTitle_Setup->Caption", "Maximum download speed:"),
    text("ChkBoxNZBDLSp_Setup->Caption", "Unlimited"),
    text("LabelNZBConNum_Setup->Caption", "Number of connections per NZB task:"),
    text("ChkBoxNZBSSL_Setup->Caption", "SSL/TLS connection only"),
};

const LanguageStep kFileSelection[] = {
    text("ChkBoxSelectAll_BtSelect->Caption", "Select All"),
    text("BtnSelect_BtSelect->Caption", "OK"),
    text("BtnCancel_BtSelect->Caption", "Cancel"),
    text("ListView_BtSelect->Column[0]->Caption", "ID"),
    text("ListView_BtSelect->Column[1]->Caption", "File Name"),
    text("ListView_BtSelect->Column[2]->Caption", "File Size"),
    message("FormBtSelectMsg0"),
    message("FormBtSelectMsg1"),
    copy("ChkBoxSelectAll_BtSelect", "Lab_BoxSelectAll_BtSelect"),
    text("ListView_BtSelect->Column[0]->Caption", "ID", "lab_BtSelectListViewTitleID"),
    text("ListView_BtSelect->Column[1]->Caption", "File Name", "lab_BtSelectListViewTitleFileName"),
    text("ListView_BtSelect->Column[2]->Caption", "File Size", "lab_BtSelectListViewTitleFileSize"),
    copy("BtnSelect_BtSelect", "lab_ErrorMsg_OK_Text"),
    copy("BtnCancel_BtSelect", "lab_ErrorMsg_Cancel_Text"),
};

const LanguageStep kBusyOverlay[] = {
    message("FormProgressMsg0"),
};

const LanguageStep kUpdate[] = {
    text("Lab_UpdateVersionTitle_Update->Caption", "Update Version"),
    text("Lab_NowVersionTitle_Update->Caption", "Now Version:"),
    text("Lab_NewVersionTitle_Update->Caption", "New Version:"),
    text("lab_ErrorMsg_OK_Text_update->Caption", "Update"),
    text("lab_ErrorMsg_Cancel_Text_update->Caption", "Cancel"),
    message("FormUpdateMag0"),
    message("FormUpdateMag1"),
    message("FormUpdateMag2"),
    message("FormUpdateMag3"),
    message("FormUpdateMag4"),
    message("FormUpdateMag5"),
};

constexpr const char* kJapaneseFontControls[] = {"BtnAdd_Main",
                                                 "BtnFVPageRemove_Main",
                                                 "BtnFVPagePause_Main",
                                                 "BtnFVPageResume_Main",
                                                 "BtnFVPagePauseAll_Main",
                                                 "BtnFVPageResumeAll_Main",
                                                 "BtnFVPageClear_Main",
                                                 "BtnSetup_Main",
                                                 "BtnDelete_Main",
                                                 "BtnUploadBt_Main",
                                                 "LabGetFVInfoStatusTitle_Main",
                                                 "LabTaskStatus_Title_Main"};

// "[12]" at the start of s -> 12, and s moves past it; -1 when s does not start so.
int bracketedNumber(std::string_view& s) {
    if (s.size() < 3 || s.front() != '[')
        return -1;
    const size_t close = s.find(']');
    if (close == std::string_view::npos)
        return -1;
    int n = -1;
    const auto [end, error] = std::from_chars(s.data() + 1, s.data() + close, n);
    if (error != std::errc() || end != s.data() + close || n < 0)
        return -1;
    s.remove_prefix(close + 1);
    return n;
}

}  // namespace

std::span<const LanguageStep> LanguageTable::steps(LanguageWindow window) {
    switch (window) {
        case LanguageWindow::Main:
            return kMain;
        case LanguageWindow::Settings:
            return kSettings;
        case LanguageWindow::FileSelection:
            return kFileSelection;
        case LanguageWindow::BusyOverlay:
            return kBusyOverlay;
        case LanguageWindow::Update:
            return kUpdate;
    }
    return {};
}

std::optional<TextReceiver> LanguageTable::receiverOf(std::string_view key) {
    const size_t arrow = key.find("->");
    if (arrow == 0 || arrow == std::string_view::npos)
        return std::nullopt;
    TextReceiver r;
    r.control = QString::fromUtf8(key.data(), qsizetype(arrow));
    std::string_view rest = key.substr(arrow + 2);
    if (rest == "Caption")
        return r;
    if (rest == "Hint") {
        r.target = TextTarget::Hint;
        return r;
    }
    if (rest.starts_with("Column")) {
        rest.remove_prefix(6);
        r.target = TextTarget::Column;
        r.index = bracketedNumber(rest);
        return r.index >= 0 && rest == "->Caption" ? std::optional(r) : std::nullopt;
    }
    if (rest.starts_with("Items->Strings")) {
        rest.remove_prefix(14);
        r.target = TextTarget::Item;
        r.index = bracketedNumber(rest);
        return r.index >= 0 && rest.empty() ? std::optional(r) : std::nullopt;
    }
    return std::nullopt;
}

std::vector<LanguageTable::Key> LanguageTable::controlKeys() {
    std::vector<Key> keys;
    for (LanguageWindow w : kLanguageWindows)
        for (const LanguageStep& s : steps(w)) {
            const bool known = std::any_of(keys.begin(), keys.end(), [&](const Key& k) {
                return std::strcmp(k.key, s.key) == 0;
            });
            if (s.kind == LanguageStep::Kind::Text && !known)
                keys.push_back({s.key, s.english});
        }
    return keys;
}

std::span<const char* const> LanguageTable::japaneseFontControls() {
    return kJapaneseFontControls;
}

}  // namespace fv

#include "settings/SetupColumn.h"

#include <cstring>

namespace fv {

namespace {

using Rule = SetupColumn::Rule;

const std::vector<SetupColumn::Element> kConnection = {
    {"FVRadioRemote", "RadioBtnRemote_Setup", Rule::RemoteMode},
    {"FVRemoteRadioNo", "RaGpDDNSAddress_Setup", Rule::ChoiceIndex, 1},
    {"FVAddressRemote0", "EditDDNSKova_Setup", Rule::Text},
    {"FVAddressRemote1", "EditOthersIP_Setup", Rule::Text},
    {"FVAddressLocal", "ComboBoxLocalIP_Setup", Rule::LocalAddress},
    {"Port", "EditFVPort_Setup", Rule::Text},
    {"UserName", "EditFVUs_Setup", Rule::Text},
    {"Password", "EditFVPs_Setup", Rule::SecretText},
    {"AssBt", "ChkBoxAssBt_Setup", Rule::CheckZeroClears},
    {"AssNZB", "ChkBoxAssNZB_Setup", Rule::CheckZeroClears},
    {"Autorefresh", "EditAufresh_Setup", Rule::Text},
    {"AuthMethod", "ComboBox_AuthMethod_Setup", Rule::AuthMethod, 1, false},
    {"AuthPort", "Edit_AuthPort_Setup", Rule::Text, 0, false},
    {"UpdateAtBegin", "ChkBox_ChkVerAtStart_About", Rule::CheckZeroClears, 0, false},
    {"WebDavHttpPort", "", Rule::WebDavHttpPort, 0, false},
    {"WebDavHttpsPort", "", Rule::WebDavHttpsPort, 0, false},
};

const std::vector<SetupColumn::Element> kBitTorrent = {
    {"BTDefaultPortChkBox", "ChkBoxDefaultPort_Setup", Rule::CheckStrict},
    {"BTInPort", "EditInPort_Setup", Rule::Text},
    {"MaxDLSpChkBox", "ChkBoxBTDLSp_Setup", Rule::CheckStrict},
    {"MaxDLSp", "EditBTMaxDL_Setup", Rule::Text},
    {"MaxULSpChkBox", "ChkBoxBTULSp_Setup", Rule::CheckStrict},
    {"MaxULSp", "EditBTMaxUL_Setup", Rule::Text},
    {"BTEncryComboBox", "ComboBoxBTEncry_Setup", Rule::ChoiceIndex, 2},
    {"MaxPeer", "EditMaxPeer_Setup", Rule::Text},
    {"MaxConnect", "EditMaxCon_Setup", Rule::Text},
    {"DHT", "ChkBoxDHT_Setup", Rule::CheckZeroClears},
    {"PEX", "ChkBoxPEX_Setup", Rule::CheckZeroClears},
};

const std::vector<SetupColumn::Element> kNzb = {
    {"USENETServer", "EditUSENETServer_Setup", Rule::Text},
    {"USENETPort", "EditUSENETPort_Setup", Rule::Text},
    {"USENETUs", "EditUSENETUs_Setup", Rule::Text},
    {"USENETPs", "EditUSENETPs_Setup", Rule::SecretText},
    {"USENETConfPs", "EditUSENETConfPs_Setup", Rule::SecretText},
    {"NZBMaxDL", "EditNZBMaxDL_Setup", Rule::Text},
    {"NZBConNum", "EditNZBConNum_Setup", Rule::Text},
};

}  // namespace

const char* SetupColumn::name(SetupColumnKind kind) {
    switch (kind) {
        case SetupColumnKind::BitTorrent:
            return "BTColumn";
        case SetupColumnKind::Nzb:
            return "NZBColumn";
        case SetupColumnKind::Connection:
            break;
    }
    return "ConColumn";
}

const std::vector<SetupColumn::Element>& SetupColumn::elements(SetupColumnKind kind) {
    switch (kind) {
        case SetupColumnKind::BitTorrent:
            return kBitTorrent;
        case SetupColumnKind::Nzb:
            return kNzb;
        case SetupColumnKind::Connection:
            break;
    }
    return kConnection;
}

const SetupColumn::Element* SetupColumn::find(SetupColumnKind kind, const char* element) {
    for (const Element& e : elements(kind)) {
        if (std::strcmp(e.element, element) == 0)
            return &e;
    }
    return nullptr;
}

QString SetupColumn::xmlSafe(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
            continue;
        }
        const char16_t u = c.unicode();
        const bool allowed = u == 0x9 || u == 0xA || u == 0xD || (u >= 0x20 && u <= 0xD7FF) ||
                             (u >= 0xE000 && u <= 0xFFFD);
        if (allowed)
            out += c;
    }
    return out;
}

}  // namespace fv

#include "settings/SetupColumn.h"

#include "platform/DebugLog.h"
#include "platform/FormState.h"
#include "router/SettingsRecords.h"
#include "settings/NumericFieldRule.h"

#include <pugixml.hpp>

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

const SetupColumn::Element* find(const std::vector<SetupColumn::Element>& table,
                                 const char* element) {
    for (const auto& e : table) {
        if (std::strcmp(e.element, element) == 0)
            return &e;
    }
    return nullptr;
}

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

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

void SetupColumn::apply(const pugi::xml_node& column, SetupColumnKind kind, SetupFormKind formKind,
                        FormState& form, SettingsRecords* records) {
    const auto& table = elements(kind);
    QStringList typed;
    for (pugi::xml_node child = column.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        const Element* e = find(table, child.name());
        if (!e || (formKind == SetupFormKind::StandAlone && !e->standAlone))
            continue;
        applyValue(*e, QString::fromUtf8(child.text().get()), formKind, form, records);
        if (e->rule == Rule::Text && !typed.contains(QLatin1String(e->control)))
            typed << QString::fromLatin1(e->control);
    }
    // A stored value that the numeric rule emptied (or an empty one) would leave a port or
    // the refresh period empty with no focus ever leaving it; give those fields what leaving
    // them gives, their default.
    for (const QString& control : typed) {
        if (form.text(control).isEmpty())
            form.exit(control);
    }
}

void SetupColumn::applyValue(const Element& e, const QString& value, SetupFormKind formKind,
                             FormState& form, SettingsRecords* records) {
    const QString control = QString::fromLatin1(e.control);
    switch (e.rule) {
        case Rule::SecretText:
            if (!value.isEmpty())
                DebugLog::addSecret(value.toStdString());
            [[fallthrough]];
        case Rule::Text:
            form.setText(control, value);
            break;
        case Rule::CheckStrict:
            if (value == QLatin1String("0") || value == QLatin1String("1"))
                form.setChecked(control, value == QLatin1String("1"));
            break;
        case Rule::CheckZeroClears:
            form.setChecked(control, value != QLatin1String("0"));
            break;
        case Rule::RemoteMode:
            if (value == QLatin1String("0"))
                form.setChecked("RadioBtnLocal_Setup", true);
            else if (value == QLatin1String("1"))
                form.setChecked("RadioBtnRemote_Setup", true);
            break;
        case Rule::ChoiceIndex: {
            const auto index = NumericFieldRule::parse(value);
            if (index && *index >= 0 && *index <= e.maxIndex)
                form.setItemIndex(control, static_cast<int>(*index));
            break;
        }
        case Rule::AuthMethod:
            form.setItemIndex(control, value == QLatin1String("1") ? 1 : 0);
            break;
        case Rule::LocalAddress:
            // The stand-alone window has a plain edit where the pages have the list.
            if (formKind == SetupFormKind::StandAlone) {
                form.setText("EditLocalIP_Setup", value);
            } else {
                form.setItems(control, {value});
                form.setItemIndex(control, 0);
            }
            break;
        case Rule::WebDavHttpPort:
            if (records)
                records->editConnection([&](_SETUPFORM_INFO& c) { c.WebDavHttpPort = value; });
            break;
        case Rule::WebDavHttpsPort:
            if (records)
                records->editConnection([&](_SETUPFORM_INFO& c) { c.WebDavHttpsPort = value; });
            break;
    }
}

void SetupColumn::write(pugi::xml_node column, SetupColumnKind kind, SetupFormKind formKind,
                        const FormState& form, const SettingsRecords& records) {
    for (const Element& e : elements(kind)) {
        if (formKind == SetupFormKind::StandAlone && !e.standAlone)
            continue;
        const QString value = xmlSafe(valueOf(e, formKind, form, records));
        column.append_child(e.element).text().set(value.toUtf8().constData());
    }
}

QString SetupColumn::valueOf(const Element& e, SetupFormKind formKind, const FormState& form,
                             const SettingsRecords& records) {
    const QString control = QString::fromLatin1(e.control);
    switch (e.rule) {
        case Rule::Text:
        case Rule::SecretText:
            return form.text(control);
        case Rule::CheckStrict:
        case Rule::CheckZeroClears:
            return flag(form.checked(control));
        case Rule::RemoteMode:
            return flag(form.checked("RadioBtnRemote_Setup"));
        case Rule::ChoiceIndex:
        case Rule::AuthMethod:
            return QString::number(form.itemIndex(control));
        case Rule::LocalAddress:
            return formKind == SetupFormKind::StandAlone ? form.text("EditLocalIP_Setup")
                                                         : form.text(control);
        case Rule::WebDavHttpPort:
            return records.connection().WebDavHttpPort;
        case Rule::WebDavHttpsPort:
            return records.connection().WebDavHttpsPort;
    }
    return QString();
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

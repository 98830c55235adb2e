#include "settings/SetupFieldRules.h"

#include "platform/FormState.h"
#include "settings/NumericFieldRule.h"
#include "settings/SetupFieldDefaults.h"

#include <algorithm>
#include <utility>

namespace fv {

namespace {

constexpr qint64 kPortMax = 65535;
constexpr qint64 kSpeedMax = 999999;
constexpr qint64 kRefreshMin = 5;

}  // namespace

SetupFieldRules::SetupFieldRules(FormState& form, SetupFormKind kind) : form_(form), kind_(kind) {}

void SetupFieldRules::installWithInitialValues() {
    SetupFieldDefaults::apply(form_, kind_);
    install();
    applyModeEnabling();
}

void SetupFieldRules::install() {
    // Numeric rules first: the mirrors registered afterwards must copy the repaired text.
    installNumericFields();
    installConnectionRules();
    installModeRules();
    installBitTorrentAndNzbRules();
}

void SetupFieldRules::installNumericFields() {
    const bool pages = kind_ == SetupFormKind::SetupPages;
    addServicePortField("EditFVPort_Setup");
    if (pages)
        addServicePortField("EditFVPort2_Setup");
    addNumericField("EditAufresh_Setup", 180, "10");
    addNumericField("EditInPort_Setup", kPortMax, SetupFieldDefaults::kDefaultIncomingPort);
    addNumericField("EditBTMaxDL_Setup", kSpeedMax, "100");
    addNumericField("EditBTMaxUL_Setup", kSpeedMax, "100");
    addNumericField("EditMaxPeer_Setup", kSpeedMax, "60");
    addNumericField("EditMaxCon_Setup", kSpeedMax, "240");
    addNumericField("EditUSENETPort_Setup", kPortMax, "119");
    addNumericField("EditNZBMaxDL_Setup", kSpeedMax, "100");
    addNumericField("EditNZBConNum_Setup", 10, "4");
}

void SetupFieldRules::installConnectionRules() {
    const bool pages = kind_ == SetupFormKind::SetupPages;
    if (pages) {
        addMirror("EditFVPort_Setup", "EditFVPort2_Setup");
        addMirror("EditFVPort2_Setup", "EditFVPort_Setup");
        form_.onChange("ComboBoxLocalIP_Setup", [this](const QString&) { localListChosen(); });
        form_.onChange("ComboBoxFVPort_Setup", [this](const QString&) {
            // The hidden port list only changes by selection; an empty text is no port.
            if (!form_.text("ComboBoxFVPort_Setup").isEmpty())
                form_.setText("EditFVPort2_Setup", form_.text("ComboBoxFVPort_Setup"));
        });
        form_.onChange("ComboBox_AuthMethod_Setup", [this](const QString& name) {
            form_.setText("Edit_AuthPort_Setup",
                          SetupFieldDefaults::authPortFor(form_.itemIndex(name)));
        });
        addServicePortExit("Edit_AuthPort_Setup");
        form_.onExit("Edit_AuthPort_Setup", [this](const QString&) { exitAuthPort(); });
    }
    for (const char* name :
         {"EditFVPort_Setup", "EditFVPort2_Setup", "EditFVUs_Setup", "EditFVPs_Setup",
          "EditLocalIP_Setup", "EditDDNSKova_Setup", "EditOthersIP_Setup",
          "ComboBox_AuthMethod_Setup", "Edit_AuthPort_Setup"}) {
        if (pages || form_.has(name))
            addConnectionField(name);
    }
}

void SetupFieldRules::installModeRules() {
    form_.onChange("RadioBtnLocal_Setup", [this](const QString& name) {
        if (form_.checked(name))
            selectLocal();
    });
    form_.onChange("RadioBtnRemote_Setup", [this](const QString& name) {
        if (form_.checked(name))
            selectRemote();
    });
    // The captions select their radio buttons; a click on a selected radio reruns its handler.
    for (const char* name : {"RadioBtnLocal_Setup", "LabelLocal_Setup"})
        form_.onClick(name, [this](const QString&) { selectLocal(); });
    for (const char* name : {"RadioBtnRemote_Setup", "LabelRemote_Setup"})
        form_.onClick(name, [this](const QString&) { selectRemote(); });
}

void SetupFieldRules::installBitTorrentAndNzbRules() {
    form_.onChange("ChkBoxDefaultPort_Setup", [this](const QString& name) {
        const bool useDefault = form_.checked(name);
        form_.setEnabled("EditInPort_Setup", !useDefault);
        // The stand-alone window only switches the field; the pages also put the default in.
        if (useDefault && kind_ == SetupFormKind::SetupPages)
            form_.setText("EditInPort_Setup", SetupFieldDefaults::kDefaultIncomingPort);
    });
    // A click on a check box's caption toggles the box, as the radio captions select theirs.
    const std::pair<const char*, const char*> captions[] = {
        {"lab_Status_IP_Setup_BitTorrent_defaultPort_Title", "ChkBoxDefaultPort_Setup"},
        {"LabelPw_Setup", "ChkBoxPw_Setup"},
    };
    for (const auto& [caption, box] : captions) {
        const QString target = QString::fromLatin1(box);
        form_.onClick(caption, [this, target](const QString&) {
            if (form_.enabled(target))
                form_.setChecked(target, !form_.checked(target));
        });
    }
    installUnlimitedBox("ChkBoxBTDLSp_Setup", "EditBTMaxDL_Setup", "LabelBTMaxDLUnit_Setup");
    installUnlimitedBox("ChkBoxBTULSp_Setup", "EditBTMaxUL_Setup", "LabelBTMaxULUnit_Setup");
    installUnlimitedBox("ChkBoxNZBDLSp_Setup", "EditNZBMaxDL_Setup", "LabelNZBMaxDLUnit_Setup");
}

void SetupFieldRules::installUnlimitedBox(const QString& box, const QString& edit,
                                          const QString& unit) {
    form_.onChange(box, [this, edit, unit](const QString& name) {
        const bool limited = !form_.checked(name);
        form_.setVisible(edit, limited);
        form_.setVisible(unit, limited);
    });
}

void SetupFieldRules::addNumericChangeRule(const QString& name, qint64 maximum) {
    form_.onChange(name, [this, maximum](const QString& field) {
        // Setting the repaired text is itself a change; the rule then finds it valid.
        const QString settled = NumericFieldRule::settle(form_.text(field), maximum);
        if (settled != form_.text(field))
            form_.setText(field, settled);
    });
}

void SetupFieldRules::addServicePortField(const QString& name) {
    numeric_[name] = {kPortMax, SetupFieldDefaults::kServicePort};
    addNumericChangeRule(name, kPortMax);
    addServicePortExit(name);
}

void SetupFieldRules::addNumericField(const QString& name, qint64 maximum,
                                      const QString& defaultText) {
    numeric_[name] = {maximum, defaultText};
    addNumericChangeRule(name, maximum);
    if (name == QLatin1String("EditAufresh_Setup"))
        form_.onExit(name, [this](const QString&) { exitRefresh(); });
    else
        form_.onExit(name, [this](const QString& field) { exitNumeric(field); });
}

void SetupFieldRules::addMirror(const QString& from, const QString& to) {
    form_.onChange(from,
                   [this, to](const QString& field) { form_.setText(to, form_.text(field)); });
}

void SetupFieldRules::addConnectionField(const QString& name) {
    form_.onChange(name, [this](const QString&) { connectionFieldsChanged_ = true; });
}

void SetupFieldRules::addServicePortExit(const QString& name) {
    form_.onExit(name, [this](const QString&) { exitServicePort(); });
}

void SetupFieldRules::setServicePortDefaultedHook(std::function<void(const QString&)> hook) {
    servicePortDefaultedHook_ = std::move(hook);
}

void SetupFieldRules::exitNumeric(const QString& name) {
    auto it = numeric_.find(name);
    if (it != numeric_.end() && form_.text(name).isEmpty())
        form_.setText(name, it->second.defaultText);
}

void SetupFieldRules::exitRefresh() {
    const auto value = NumericFieldRule::parse(form_.text("EditAufresh_Setup"));
    if (!value || *value < kRefreshMin)
        form_.setText("EditAufresh_Setup", refreshExitValue_);
}

void SetupFieldRules::exitServicePort() {
    if (!form_.text("EditFVPort_Setup").isEmpty())
        return;
    form_.setText("EditFVPort_Setup", SetupFieldDefaults::kServicePort);
    if (servicePortDefaultedHook_)
        servicePortDefaultedHook_(SetupFieldDefaults::kServicePort);
}

void SetupFieldRules::exitAuthPort() {
    // An emptied authentication port falls back to the port of the chosen method, the same
    // value choosing the method would have put there.
    if (form_.text("Edit_AuthPort_Setup").isEmpty())
        form_.setText("Edit_AuthPort_Setup", SetupFieldDefaults::authPortFor(
                                                 form_.itemIndex("ComboBox_AuthMethod_Setup")));
}

void SetupFieldRules::rememberRefreshExitValue() {
    const auto value = NumericFieldRule::parse(form_.text("EditAufresh_Setup"));
    refreshExitValue_ =
        (value && *value >= kRefreshMin) ? QString::number(*value) : QStringLiteral("10");
}

int32_t SetupFieldRules::applyRefreshChange() {
    const auto value = NumericFieldRule::parse(form_.text("EditAufresh_Setup"));
    if (!value || *value < kRefreshMin)
        form_.setText("EditAufresh_Setup", QString::number(kRefreshMin));
    // The field's rule keeps it at 180 or less, so the product fits.
    const auto seconds = NumericFieldRule::parse(form_.text("EditAufresh_Setup"));
    return static_cast<int32_t>(std::min<qint64>(seconds.value_or(kRefreshMin), 180) * 1000);
}

void SetupFieldRules::localListChosen() {
    // Only a chosen entry carries a port; typed text leaves the port alone.
    const int index = form_.itemIndex("ComboBoxLocalIP_Setup");
    const QStringList entries = form_.items("ComboBoxLocalIP_Setup");
    if (index < 0 || index >= entries.size() ||
        entries.at(index) != form_.text("ComboBoxLocalIP_Setup"))
        return;
    if (index < form_.items("ComboBoxFVPort_Setup").size())
        form_.setItemIndex("ComboBoxFVPort_Setup", index);
}

void SetupFieldRules::selectLocal() {
    form_.setChecked("RadioBtnLocal_Setup", true);
    form_.setChecked("RadioBtnRemote_Setup", false);
    setModeEnabling(false);
}

void SetupFieldRules::selectRemote() {
    form_.setChecked("RadioBtnRemote_Setup", true);
    form_.setChecked("RadioBtnLocal_Setup", false);
    setModeEnabling(true);
}

void SetupFieldRules::applyModeEnabling() {
    setModeEnabling(form_.checked("RadioBtnRemote_Setup") && !form_.checked("RadioBtnLocal_Setup"));
}

void SetupFieldRules::setModeEnabling(bool remote) {
    for (const char* name : {"EditDDNSKova_Setup", "EditOthersIP_Setup", "RaGpDDNSAddress_Setup"})
        form_.setEnabled(name, remote);
    if (kind_ == SetupFormKind::StandAlone) {
        // One port field serves both modes there and stays enabled.
        form_.setEnabled("EditLocalIP_Setup", !remote);
        return;
    }
    form_.setEnabled("EditFVPort_Setup", remote);
    form_.setEnabled("ComboBoxLocalIP_Setup", !remote);
    form_.setEnabled("EditFVPort2_Setup", !remote);
}

}  // namespace fv

#include "app/WizardFlow.h"

#include "platform/DebugLog.h"
#include "router/AppListProbe.h"
#include "router/ConnectionTest.h"
#include "router/LoginForms.h"
#include "router/SetupControlNames.h"

namespace fv {
namespace {

namespace n = setup_names;

constexpr const char* kAgreement = "ChkBox_SetupWizard0";
constexpr const char* kAgreementLine[] = {"Lab_SetupWizard0_Dec3", "Lab_SetupWizard0_Terms",
                                          "Lab_SetupWizard0_Dec5", "Lab_SetupWizard0_Privacy",
                                          kAgreement};
constexpr const char* kApplyCaption = "lab_Setup_Apply_Text";
constexpr const char* kPreviousCaption = "lab_Setup_Previous_Text";
constexpr const char* kAutoSearchCaption = "lab_Setup_AutoSearch_Text";
constexpr const char* kSkipCaption = "lab_Setup_Skip_Text";
constexpr const char* kApplySent = "Lab_Setup_Apply_Send";
constexpr const char* kTabs[] = {"panel_Setup_tabSheetConnection", n::BitTorrentTab, n::NzbTab,
                                 n::AboutTab};
constexpr const char* kDetect = "Lab_SetupWizard1_Detect_Dec0";
constexpr const char* kDetect2 = "Lab_SetupWizard1_Detect2_Dec0";
constexpr const char* kAddressText = "Lab_SetupWizard1_Dec0";
constexpr const char* kAddressFailure = "Lab_SetupWizard1_Dec2";

}  // namespace

WizardFlow::WizardFlow(ClientCore& core, SetupAreaFlow& setup, ServerDetection& detection,
                       Hooks hooks)
    : core_(core),
      setup_(setup),
      detection_(detection),
      hooks_(std::move(hooks)),
      rules_(core.setupForm(), core.setupRules()) {
    rules_.installWithInitialValues();
    FormState& f = core_.setupForm();
    f.onChange(kAgreement, [this](const QString&) { agreementChanged(); });
    f.onClick(kDetect2, [this](const QString&) {
        if (hooks_.openUrl)
            hooks_.openUrl(QStringLiteral("http://%1/APP_Installation.asp")
                               .arg(core_.setupForm().text(n::WizardLocalAddress)));
    });
    normalButtons();
}

int WizardFlow::page() const {
    const QString sheet = core_.setupForm().text(n::PageShowing);
    if (!showing_ || !sheet.startsWith(QLatin1String("tabSheetSetupWizard")))
        return -1;
    return sheet.right(1).toInt();
}

bool WizardFlow::nextShowing() const {
    return showing_ && core_.setupForm().visible(n::NextButton);
}

bool WizardFlow::finishShowing() const {
    return showing_ && core_.setupForm().visible(n::FinishButton);
}

bool WizardFlow::previousShowing() const {
    return showing_ && core_.setupForm().visible(kPreviousCaption);
}

void WizardFlow::showPage(int page) {
    core_.setupForm().setText(n::PageShowing, QStringLiteral("tabSheetSetupWizard%1").arg(page));
}

void WizardFlow::start() {
    DebugLog::write("StartSetupWizard()");
    showing_ = true;
    setup_.enter();
    showPage(0);
    FormState& f = core_.setupForm();
    f.setVisible(n::NextButton, true);
    f.setEnabled(n::NextButton, false);
    for (const char* hidden :
         {n::OkButton, n::FinishButton, kAutoSearchCaption, kApplyCaption, kApplySent})
        f.setVisible(hidden, false);
    f.setEnabled(n::OkPanel, false);
    f.setEnabled(kSkipCaption, false);
    f.setEnabled(n::SkipPanel, false);
    f.setVisible(n::ApplyPanel, false);
    for (const char* tab : kTabs)
        f.setVisible(tab, false);
    f.setVisible(n::SkipPanel, true);
    for (const char* part : kAgreementLine)
        f.setVisible(part, true);
    f.setChecked(kAgreement, false);
    f.setVisible(kAddressFailure, false);
    f.setVisible(kAddressText, true);
}

void WizardFlow::startFromButton() {
    start();
    FormState& f = core_.setupForm();
    for (const char* part : kAgreementLine)
        f.setVisible(part, false);
    for (const char* name : {n::NextButton, n::OkPanel, kSkipCaption, n::SkipPanel})
        f.setEnabled(name, true);
}

void WizardFlow::agreementChanged() {
    const bool agreed = core_.setupForm().checked(kAgreement);
    for (const char* name : {n::OkPanel, n::NextButton, n::SkipPanel, kSkipCaption})
        core_.setupForm().setEnabled(name, agreed);
}

void WizardFlow::next() {
    FormState& f = core_.setupForm();
    switch (page()) {
        case 0:
            f.setVisible(n::WizardFailure1, false);
            f.setVisible(n::WizardFailure2, false);
            showPage(2);
            break;
        case 2:
            f.setVisible(n::WizardFailure1, false);
            f.setVisible(n::WizardFailure2, false);
            detection_.start();
            if (hooks_.showBusy)
                hooks_.showBusy();
            break;
        case 1:
            testAddress();
            break;
        default:
            break;
    }
}

void WizardFlow::testAddress() {
    FormState& f = core_.setupForm();
    f.setText(kDetect, core_.texts()[Msg::FormSetupMsg0]);
    f.setVisible(kDetect, true);
    f.setVisible(kDetect2, false);
    const RouterContext ctx = core_.wizardTestContext();
    auto found = std::make_shared<bool>(false);
    core_.runner().run(
        [ctx, found] {
            // The probe learns the service's port (and whether it is installed and enabled),
            // which the service test then tries.
            fetchAppListPage(ctx, ctx.forms->wizardHost(), ProbeTarget{});
            *found = ConnectionTest::testServiceForWizard(ctx);
        },
        [this, found] { addressTested(*found); });
}

void WizardFlow::addressTested(bool found) {
    if (!showing_)
        return;
    FormState& f = core_.setupForm();
    const MessageTexts& t = core_.texts();
    if (found) {
        showPage(2);
        f.setVisible(n::ApplyPanel, true);
        f.setVisible(kPreviousCaption, true);
        f.setVisible(kApplyCaption, false);
        f.setText(kDetect, t[Msg::FormSetupMsg1]);
        return;
    }
    const ProbeState probe = core_.probeResults().get();
    const QString reason = probe.installed == "no" ? t[Msg::FormSetupMsg15]
                           : probe.enabled == "no" ? t[Msg::FormSetupMsg16]
                                                   : t[Msg::FormSetupMsg17];
    f.setVisible(kAddressText, false);
    f.setVisible(kAddressFailure, true);
    f.setVisible(kDetect, false);
    f.setText(kDetect2, t[Msg::FormSetupMsg2] + QStringLiteral(", ") + reason);
    f.setVisible(kDetect2, true);
}

void WizardFlow::previous() {
    showPage(1);
}

void WizardFlow::detectionGaveUp() {
    if (!showing_)
        return;
    showPage(1);
    FormState& f = core_.setupForm();
    f.setVisible(n::ApplyPanel, false);
    f.setVisible(n::FinishButton, true);
    f.setVisible(n::NextButton, false);
    f.setVisible(n::OkButton, false);
}

void WizardFlow::skip() {
    DebugLog::write("lab_Setup_Skip_TextClick()");
    showing_ = false;
    setup_.returnToTaskList();
    normalButtons();
    setup_.selectPage(SetupAreaFlow::Page::Connection);
}

void WizardFlow::finish() {
    if (page() == 1)
        takeAddressPageValues();
    showing_ = false;
    setup_.finishWizard();
    normalButtons();
    setup_.selectPage(SetupAreaFlow::Page::Connection);
}

// A search that found nothing empties the connection page's address and port, while the
// address page still shows the port the user sees and may not touch: Finish saves what the
// address page shows.
void WizardFlow::takeAddressPageValues() {
    FormState& f = core_.setupForm();
    const QString address = f.text("ComboBoxLocalIP_SetupWizard1");
    if (f.text(n::LocalAddressList) != address)
        f.setText(n::LocalAddressList, address);
    const QString port = f.text("EditFVPort_SetupWizard1");
    if (f.text(n::Port) != port)
        f.setText(n::Port, port);
}

void WizardFlow::normalButtons() {
    FormState& f = core_.setupForm();
    for (const char* shown : {n::OkButton, kApplyCaption, n::OkPanel, n::ApplyPanel})
        f.setVisible(shown, true);
    for (const char* tab : kTabs)
        f.setVisible(tab, true);
    for (const char* hidden :
         {n::FinishButton, n::NextButton, kAutoSearchCaption, kPreviousCaption, n::SkipPanel})
        f.setVisible(hidden, false);
    for (const char* name : {n::OkPanel, n::ApplyPanel})
        f.setEnabled(name, true);
}

}  // namespace fv

#include "app/SetupAreaFlow.h"

#include "platform/DebugLog.h"
#include "router/ConnectionTest.h"
#include "router/SessionLogin.h"
#include "router/SetupControlNames.h"
#include "settings/ConnectionCommit.h"
#include "settings/RouterSettingsPages.h"
#include "settings/SetupDocument.h"
#include "tasks/MainControlNames.h"
#include "tasks/RefreshCycle.h"

namespace fv {
namespace {

constexpr const char* kApplySent = "Lab_Setup_Apply_Send";
constexpr const char* kDetectMessage = "LabelFVDetectMsg_Setup";
constexpr const char* kNzbMessage = "LabelNZBErrMag_Setup";
constexpr const char* kCheckVersion = "ChkBox_ChkVerAtStart_About";
constexpr int kReturnTickMs = 500;

}  // namespace

QString SetupAreaFlow::sheetName(Page page) {
    return QStringLiteral("tabSheetSetupPage%1").arg(static_cast<int>(page) + 1);
}

SetupAreaFlow::SetupAreaFlow(ClientCore& core, Hooks hooks)
    : core_(core), hooks_(std::move(hooks)) {}

void SetupAreaFlow::enter() {
    FormState& f = core_.setupForm();
    showing_ = true;
    if (hooks_.showSetup)
        hooks_.showSetup(true);
    for (Timer* t : {&core_.timers().listUpdateTimer(), &core_.timers().refreshTimer(),
                     &core_.timers().countdownTimer()})
        t->setEnabled(false);
    if (hooks_.listDrawing)
        hooks_.listDrawing(false);
    f.setText(setup_names::TestMessage, QString());
    for (const char* label : {setup_names::TestMessage, kDetectMessage, kNzbMessage})
        f.setVisible(label, false);
    core_.setupDocument().openDocument();
    core_.setupRules().applyModeEnabling();
    core_.setupDocument().commitConnectionFields();
    // The switch acts on the router: only while the last refresh reached it.
    const bool online = core_.refreshState().failureCounter == 0 && !core_.refreshState().offline;
    f.setEnabled(setup_names::ServiceEnable, online);
    f.setEnabled(setup_names::ServiceDisable, online);
    core_.probeService();
    core_.readRouterSettingsIntoPages();
    selectPage(Page::Connection);
    f.setVisible(kApplySent, false);
}

void SetupAreaFlow::selectPage(Page page) {
    page_ = page;
    core_.setupForm().setText(setup_names::PageShowing, sheetName(page));
    if (page != Page::Connection)
        core_.setupForm().setVisible(kApplySent, false);
}

void SetupAreaFlow::apply() {
    switch (page_) {
        case Page::Connection:
            applyConnection(true);
            break;
        case Page::BitTorrent:
            applyBitTorrent();
            break;
        case Page::Nzb:
            if (!applyNzb())
                return;
            break;
        case Page::About:
            applyAbout();
            break;
    }
    core_.setupForm().setVisible(kApplySent, true);
    DebugLog::write("BtnApply_SetupClick:End");
}

void SetupAreaFlow::applyConnection(bool connectionPage) {
    SetupDocument& doc = core_.setupDocument();
    doc.commitConnectionFields();
    const ConnectionProfile conn = core_.records().connection();
    core_.timers().refreshTimer().setInterval(conn.RefreshIntervalMs);
    const QString localAddress =
        ConnectionCommit::localAddress(core_.setupForm().text("ComboBoxLocalIP_Setup"));
    const auto discovered = core_.routerSearch().table().firstWithAddress(localAddress);
    QString routerName = core_.generalSettings().get().GeneralRouterName;
    if (routerName.isEmpty() && discovered)
        routerName = discovered->device;
    core_.records().editConnection([&](ConnectionProfile& c) {
        c.RouterName = routerName;
        if (discovered) {
            c.WebDavHttpPort = discovered->webDavHttpPort;
            c.WebDavHttpsPort = discovered->webDavHttpsPort;
        }
        // Without a discovered router to take them from, the router's usual WebDAV ports.
        if (c.WebDavHttpPort.isEmpty()) {
            c.WebDavHttpPort = QStringLiteral("8082");
            c.WebDavHttpsPort = QStringLiteral("443");
        }
        if (connectionPage)
            c.SessionTokenHeader.clear();  // the next request logs in anew
    });
    doc.saveConnectionColumn();
    core_.followFileTypes();
}

void SetupAreaFlow::applyBitTorrent() {
    core_.records().setBt(RouterSettingsPages::bitTorrentFrom(core_.setupForm()));
    writeToRouter(RouterSettingsWrite::BitTorrent);
}

QString SetupAreaFlow::nzbProblem() const {
    const FormState& f = core_.setupForm();
    const MessageTexts& t = core_.texts();
    if (f.text("EditUSENETServer_Setup").isEmpty())
        return t[Msg::FormSetupMsg9];
    if (f.text("EditUSENETPort_Setup").isEmpty())
        return t[Msg::FormSetupMsg10];
    if (f.text("EditUSENETUs_Setup").isEmpty())
        return t[Msg::FormSetupMsg11];
    const QString password = f.text("EditUSENETPs_Setup");
    const QString confirmation = f.text("EditUSENETConfPs_Setup");
    if (password.isEmpty() || confirmation.isEmpty())
        return t[Msg::FormSetupMsg12];
    if (password != confirmation)
        return t[Msg::FormSetupMsg13];
    return QString();
}

bool SetupAreaFlow::applyNzb() {
    const QString problem = nzbProblem();
    if (!problem.isEmpty()) {
        core_.setupForm().setText(kNzbMessage, problem);
        core_.setupForm().setVisible(kNzbMessage, true);
        return false;
    }
    core_.records().setNzb(RouterSettingsPages::nzbFrom(core_.setupForm()));
    writeToRouter(RouterSettingsWrite::Nzb);
    return true;
}

void SetupAreaFlow::applyAbout() {
    core_.setupDocument().saveConnectionColumn();
    core_.followFileTypes();
    const bool check = core_.setupForm().checked(kCheckVersion);
    core_.records().editConnection(
        [check](ConnectionProfile& c) { c.CheckVersionAtStart = check; });
}

void SetupAreaFlow::writeToRouter(int kind) {
    core_.writeRouterSettings(kind, [this, kind](const RouterSettingsWrite::Result& result) {
        if (result.written) {
            core_.setupDocument().saveTransferColumn(kind);
            return;
        }
        // The page keeps the user's values and the file its old column.
        if (hooks_.warn)
            hooks_.warn(QStringLiteral("FV - ") + core_.texts()[Msg::FormSetupMsg7],
                        core_.texts()[Msg::FormSetupMsg14]);
    });
}

void SetupAreaFlow::connectionTest() {
    FormState& f = core_.setupForm();
    for (const char* name : {setup_names::TestButton, setup_names::DetectButton})
        f.setEnabled(name, false);
    f.setText(setup_names::TestMessage, core_.texts()[Msg::FormSetupMsg8]);
    f.setVisible(setup_names::TestMessage, true);
    f.setText(setup_names::ActiveControl, QString::fromLatin1(setup_names::Password));
    f.setText(kDetectMessage, QString());
    // The two routines enable these again when they report.
    for (const char* name :
         {setup_names::OkPanel, setup_names::ApplyPanel, setup_names::BitTorrentTab,
          setup_names::NzbTab, setup_names::AboutTab})
        f.setEnabled(name, false);
    ConnectionTest::start(core_.connectionTestContext());
}

void SetupAreaFlow::finishWizard() {
    applyConnection(false);
    ok();
}

void SetupAreaFlow::ok() {
    // Log in now, off the UI thread, so the first refresh finds a session.
    const ConnectionProfile conn = core_.records().connection();
    if (conn.SessionTokenHeader.isEmpty() && !conn.ServerAddress.trimmed().isEmpty()) {
        const RouterContext ctx = core_.routerContext();
        core_.runner().run([ctx, host = conn.ServerAddress] { fetchSessionToken(ctx, host); }, {});
    }
    returnToTaskList();
    if (core_.setupRules().connectionFieldsChanged()) {
        core_.mainForm().setText(main_names::ConnectStatus, core_.texts()[Msg::FormMainMsg5]);
        core_.mainForm().setVisible(main_names::OnlinePicture, false);
        core_.mainForm().setVisible(main_names::OfflinePicture, true);
        core_.setupRules().clearConnectionFieldsChanged();
    }
}

void SetupAreaFlow::returnToTaskList() {
    showing_ = false;
    if (hooks_.showSetup)
        hooks_.showSetup(false);
    core_.model().clear();
    core_.refresh().resetList();
    Timer& refresh = core_.timers().refreshTimer();
    refresh.setInterval(kReturnTickMs);
    refresh.setEnabled(true);
    core_.timers().listUpdateTimer().setEnabled(true);
    if (hooks_.listDrawing)
        hooks_.listDrawing(true);
}

}  // namespace fv

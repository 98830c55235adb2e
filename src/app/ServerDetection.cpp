#include "app/ServerDetection.h"

#include <QTimer>
#include <chrono>
#include <thread>
#include <vector>

#include "discovery/AddressMath.h"
#include "discovery/DdnsName.h"
#include "platform/DebugLog.h"
#include "router/AppListProbe.h"
#include "router/ServiceSwitch.h"
#include "router/SessionLogin.h"
#include "router/SetupControlNames.h"

namespace fv {
namespace {

constexpr const char* kDetectMessage = "LabelFVDetectMsg_Setup";
constexpr const char* kWizardDetect = "Lab_SetupWizard1_Detect_Dec0";
constexpr const char* kWizardDetect2 = "Lab_SetupWizard1_Detect2_Dec0";
constexpr const char* kWizardSheet = "tabSheetSetupWizard";
constexpr const char* kAddressLists[] = {"ComboBoxLocalIP_Setup", "ComboBoxFVPort_Setup",
                                         "ComboBoxLocalIP_SetupWizard1",
                                         "ComboBoxFVPort_SetupWizard1"};
// Disabled while a detection runs.
constexpr const char* kBusyControls[] = {setup_names::DetectButton,  setup_names::TestButton,
                                         setup_names::OkPanel,       setup_names::ApplyPanel,
                                         setup_names::BitTorrentTab, setup_names::NzbTab,
                                         setup_names::AboutTab};

void addItem(FormState& form, const QString& list, const QString& entry) {
    form.setItems(list, form.items(list) << entry);
}

}  // namespace

// One detection's walk; callbacks that outlive it (or the detection) find it gone.
struct ServerDetection::Walk {
    std::vector<DiscoveredRouter> rows;
    bool found = false;
    bool running = true;
    int versionLevel = 0;
    PELHANDLE handle = nullptr;  // the library, pointed at the router on the account page

    ~Walk() {
        if (handle)
            PELUtil_FreeHandle(handle);
    }
};

ServerDetection::ServerDetection(ClientCore& core, Hooks hooks)
    : ServerDetection(core, std::move(hooks), Options{}) {}

ServerDetection::ServerDetection(ClientCore& core, Hooks hooks, Options options)
    : core_(core), hooks_(std::move(hooks)), options_(std::move(options)) {
    if (!options_.after)
        options_.after = [this](int ms, std::function<void()> then) {
            QTimer::singleShot(ms, &core_, std::move(then));
        };
    core_.timers().detectionTimer().setHandler([this] { onTimer(); });
}

ServerDetection::~ServerDetection() {
    core_.timers().detectionTimer().setEnabled(false);
    core_.timers().detectionTimer().setHandler(nullptr);
}

bool ServerDetection::running() const {
    return core_.timers().detectionTimer().enabled() || (walk_ && walk_->running);
}

bool ServerDetection::found() const {
    return walk_ && walk_->found;
}

int ServerDetection::wizardPage() const {
    const QString sheet = core_.setupForm().text(setup_names::PageShowing);
    if (!sheet.startsWith(QLatin1String(kWizardSheet)))
        return -1;
    return sheet.mid(int(qstrlen(kWizardSheet))).toInt();
}

bool ServerDetection::wizardOnAccountPage() const {
    return wizardPage() == 2;
}

void ServerDetection::enableControls(bool on) {
    for (const char* name : kBusyControls)
        core_.setupForm().setEnabled(name, on);
}

void ServerDetection::start() {
    FormState& f = core_.setupForm();
    const MessageTexts& t = core_.texts();
    f.setText(kDetectMessage, t[Msg::FormSetupMsg0]);
    f.setVisible(kDetectMessage, true);
    if (wizardOnAccountPage()) {
        f.setText(kWizardDetect, t[Msg::FormSetupMsg0]);
        f.setVisible(kWizardDetect, true);
        f.setVisible(kWizardDetect2, false);
    }
    f.setText(setup_names::TestMessage, QString());
    walk_.reset();
    core_.routerSearch().search();
    core_.timers().detectionTimer().setEnabled(true);
    enableControls(false);
}

void ServerDetection::onTimer() {
    FormState& f = core_.setupForm();
    for (const char* list : kAddressLists)
        f.setItems(list, {});
    core_.timers().detectionTimer().setEnabled(false);
    const DiscoveredRouterTable& table = core_.routerSearch().table();
    DebugLog::write(QStringLiteral("TimerFVDetect_Main_SetupTimer(),Count:%1").arg(table.count()));
    walk_ = std::make_shared<Walk>();
    walk_->rows = table.rows();
    walk_->versionLevel = core_.probeResults().serviceLevel();
    walkRow(0);
}

void ServerDetection::walkRow(std::size_t index) {
    if (index >= walk_->rows.size()) {
        finish();
        return;
    }
    const QString ip = walk_->rows[index].ipAddress;
    const FormState& f = core_.setupForm();
    const ProbeTarget target{std::max(0, f.itemIndex("ComboBox_AuthMethod_Setup")),
                             f.text("Edit_AuthPort_Setup")};
    const RouterContext ctx = core_.probeContext();
    auto port = std::make_shared<QString>();
    auto passed = std::make_shared<bool>(false);
    std::weak_ptr<Walk> walk = walk_;
    core_.runner().run(
        [ctx, ip, target, port, passed] {
            *port = QString::fromStdString(fetchAppListPage(ctx, ip, target).port);
            *passed = !port->isEmpty() && testService(ctx, ip);
        },
        [this, walk, index, port, passed] {
            if (!walk.expired())
                rowProbed(index, *port, *passed);
        });
}

void ServerDetection::rowProbed(std::size_t index, const QString& port, bool passed) {
    if (port.isEmpty() || !passed) {
        walkRow(index + 1);
        return;
    }
    walk_->found = true;
    const DiscoveredRouter& row = walk_->rows[index];
    fillFoundRouter(row, port);
    if (wizardOnAccountPage()) {
        wizardSteps(index);
        return;
    }
    pageSteps(row);
    walkRow(index + 1);
}

void ServerDetection::fillFoundRouter(const DiscoveredRouter& row, const QString& port) {
    FormState& f = core_.setupForm();
    f.setText(setup_names::Port, port);
    f.setChecked(setup_names::Local, true);
    f.setText("EditLocalIP_Setup", row.ipAddress);
    const QString entry = row.device.isEmpty()
                              ? row.ipAddress
                              : QStringLiteral("%1 (%2)").arg(row.ipAddress, row.device);
    addItem(f, "ComboBoxLocalIP_Setup", entry);
    addItem(f, "ComboBoxLocalIP_SetupWizard1", entry);
    f.setText(setup_names::Port, port);
    addItem(f, "ComboBoxFVPort_Setup", port);
    f.setText(setup_names::WizardLocalAddress, row.ipAddress);
    f.setText("EditFVPort_SetupWizard1", port);
    addItem(f, "ComboBoxFVPort_SetupWizard1", port);
    f.setChecked("RadioBtn_SetupWizard1_Local", true);
}

void ServerDetection::pageSteps(const DiscoveredRouter& row) {
    FormState& f = core_.setupForm();
    const bool earlyWizardPage = wizardPage() == 0 || wizardPage() == 1;
    if (row.ddnsName.isEmpty()) {
        f.setChecked(setup_names::Local, true);
        if (earlyWizardPage)
            f.setChecked("RadioBtn_SetupWizard1_Local", true);
    } else if (isMakerDdnsName(row.ddnsName)) {
        f.setText(setup_names::DdnsName, ddnsLabel(row.ddnsName));
        if (earlyWizardPage)
            f.setText(setup_names::WizardDdnsName, f.text(setup_names::DdnsName));
    } else {
        f.setText(setup_names::OtherAddress, row.ddnsName);
        if (earlyWizardPage)
            f.setText(setup_names::WizardOtherAddress, row.ddnsName);
    }
}

void ServerDetection::wizardSteps(std::size_t index) {
    if (hooks_.connectionTest)
        hooks_.connectionTest();
    std::weak_ptr<Walk> walk = walk_;
    options_.after(options_.testWaitMs, [this, walk, index] {
        if (!walk.expired())
            afterConnectionTest(index);
    });
}

void ServerDetection::afterConnectionTest(std::size_t index) {
    FormState& f = core_.setupForm();
    const MessageTexts& t = core_.texts();
    if (f.text(setup_names::WizardFailure1) != t[Msg::FormSetupMsg3]) {
        if (hooks_.ended)
            hooks_.ended();
        const QString text =
            walk_->versionLevel >= 104
                ? t[Msg::FormSetupMsg4]
                : t[Msg::FormSetupMsg4] + QStringLiteral(", ") + t[Msg::FormSetupMsg18];
        for (const char* label : {setup_names::WizardFailure1, setup_names::WizardFailure2}) {
            f.setText(label, text);
            f.setVisible(label, true);
        }
        walk_->running = false;
        // The walk ends here; its own buttons come back too, or the page would stay locked.
        enableControls(true);
        return;
    }
    const QString ip = walk_->rows[index].ipAddress;
    const UtilityAddress address = utilityAddressFor(f.text(setup_names::WizardAuthMethod),
                                                     f.text(setup_names::WizardAuthPort));
    const std::string host = ip.toStdString();
    const std::string user = f.text(setup_names::WizardUserName).toStdString();
    const std::string password = f.text(setup_names::WizardPassword).toStdString();
    if (!walk_->handle)
        walk_->handle = PELUtil_Init(0, 0, 0, nullptr);
    const PELHANDLE handle = walk_->handle;
    const DetectionCalls calls = options_.calls;
    auto wan = std::make_shared<QString>();
    std::weak_ptr<Walk> walk = walk_;
    core_.runner().run(
        [=] {
            calls.hostAddress(handle, host.c_str(), address.port, address.https);
            calls.authorization(handle, user.c_str(), password.c_str());
            calls.track(handle, 1);
            std::uint32_t number = 0;
            calls.wanAddress(handle, &number);
            char text[PELUTIL_INET_TEXT_SIZE] = {};
            PELUtil_InetNtoA_s(number, text, sizeof text);
            *wan = QString::fromLatin1(text);
        },
        [this, walk, index, wan] {
            if (!walk.expired())
                wanAddressRead(index, *wan);
        });
}

void ServerDetection::wanAddressRead(std::size_t index, const QString& wan) {
    if (isPrivateAddress(wan)) {
        DebugLog::write("Private IP");
        walkRow(index + 1);
        return;
    }
    const DiscoveredRouter& row = walk_->rows[index];
    if (!row.ddnsName.isEmpty()) {
        knownDdnsName(row.ddnsName);
        walkRow(index + 1);
        return;
    }
    const QString hostName = ddnsHostNameForMac(row.macAddress);
    const PELHANDLE handle = walk_->handle;
    const DetectionCalls calls = options_.calls;
    const int restartWaitMs = options_.restartWaitMs;
    std::weak_ptr<Walk> walk = walk_;
    core_.runner().run(
        [=] {
            char levelText[PELUTIL_API_LEVEL_SIZE] = {};
            calls.apiLevel(handle, levelText, sizeof levelText);
            bool isNumber = false;
            int level = QString::fromLatin1(levelText).toInt(&isNumber);
            if (!isNumber)
                level = 2;
            const std::string name = hostName.toStdString();
            if (level < 2) {
                calls.setDdnsService(handle, 1, name.c_str());
                return;
            }
            const std::string json = ddnsConfigJson(hostName).toStdString();
            if (calls.setDdnsConfig(handle, json.c_str()) == PELUTIL_OK) {
                calls.restartService(handle);
                std::this_thread::sleep_for(std::chrono::milliseconds(restartWaitMs));
            }
        },
        [this, walk, index, hostName] {
            if (walk.expired())
                return;
            ddnsSet(hostName);
            walkRow(index + 1);
        });
}

void ServerDetection::ddnsSet(const QString& hostName) {
    FormState& f = core_.setupForm();
    f.setText(setup_names::DdnsName, ddnsLabel(hostName));
    f.setText(setup_names::WizardDdnsName, f.text(setup_names::DdnsName));
}

void ServerDetection::knownDdnsName(const QString& name) {
    FormState& f = core_.setupForm();
    if (!isMakerDdnsName(name)) {
        f.setText(setup_names::OtherAddress, name);
        f.setText(setup_names::WizardOtherAddress, name);
        return;
    }
    ddnsSet(name);
}

void ServerDetection::finish() {
    FormState& f = core_.setupForm();
    const MessageTexts& t = core_.texts();
    const ProbeState probe = core_.probeResults().get();
    if (walk_->found) {
        f.setText(kDetectMessage, t[Msg::FormSetupMsg1]);
        if (wizardPage() == 1 || wizardPage() == 2)
            f.setText(kWizardDetect, t[Msg::FormSetupMsg1]);
    } else {
        QString reason;
        if (probe.installed == "no")
            reason = t[Msg::FormSetupMsg15];
        else if (probe.enabled == "no")
            reason = t[Msg::FormSetupMsg16];
        else if (probe.connectionRefused)
            reason = t[Msg::FormSetupMsg19];
        f.setText(kDetectMessage, reason.isEmpty()
                                      ? t[Msg::FormSetupMsg2]
                                      : t[Msg::FormSetupMsg2] + QStringLiteral(", ") + reason);
        if (wizardOnAccountPage()) {
            const QString wizardReason = probe.installed == "no" ? t[Msg::FormSetupMsg15]
                                         : probe.enabled == "no" ? t[Msg::FormSetupMsg16]
                                                                 : t[Msg::FormSetupMsg17];
            f.setVisible(kWizardDetect, false);
            f.setText(kWizardDetect2, t[Msg::FormSetupMsg2] + QStringLiteral(", ") + wizardReason);
            f.setVisible(kWizardDetect2, true);
            showWizardPageWithFinish(1);
        }
    }
    if (hooks_.ended)
        hooks_.ended();
    enableControls(true);
    if (wizardOnAccountPage())
        showWizardPageWithFinish(3);
    f.setItemIndex("ComboBoxLocalIP_Setup", 0);
    f.setText("EditLocalIP_Setup", f.text("ComboBoxLocalIP_Setup"));
    f.setItemIndex("ComboBoxFVPort_Setup", 0);
    f.setText(setup_names::Port, f.text("ComboBoxFVPort_Setup"));
    walk_->running = false;
    DebugLog::write("TimerFVDetect_Main_SetupTimer-end");
}

void ServerDetection::showWizardPageWithFinish(int page) {
    FormState& f = core_.setupForm();
    f.setText(setup_names::PageShowing, QStringLiteral("%1%2").arg(kWizardSheet).arg(page));
    f.setVisible(setup_names::ApplyPanel, false);
    f.setVisible(setup_names::FinishButton, true);
    f.setVisible(setup_names::NextButton, false);
    f.setVisible(setup_names::OkButton, false);
}

}  // namespace fv

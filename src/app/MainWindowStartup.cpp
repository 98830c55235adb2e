#include "app/MainWindowStartup.h"

#include <QFileInfo>

#include "app/MainWindowView.h"
#include "app/StartupArguments.h"
#include "app/StartupHooks.h"
#include "i18n/MessageTexts.h"
#include "platform/AppPaths.h"
#include "platform/DebugLog.h"
#include "platform/LanguageName.h"
#include "platform/OsProbe.h"
#include "platform/Timer.h"
#include "platform/VersionInfo.h"
#include "platform/WaitPumping.h"

namespace fv {

StartupEnvironment StartupEnvironment::system() {
    StartupEnvironment env;
    env.probeSystem = [] { return OsProbe::probe().ok; };
    env.readLanguageName = [] { return LanguageName::read(); };
    env.fileExists = [](const QString& path) { return QFileInfo::exists(path); };
    env.waitPumping = [](int ms) { waitPumpingEvents(ms, true); };
    env.taskFilePath = AppPaths::taskFilePath();
    env.setupFilePath = AppPaths::setupFilePath();
    env.versionText = VersionInfo::programVersion();
    return env;
}

MainWindowStartup::MainWindowStartup(StartupEnvironment environment, StartupHooks& hooks,
                                     MainWindowView& view, MainWindowTimers timers,
                                     QStringList arguments)
    : env_(std::move(environment)),
      hooks_(hooks),
      view_(view),
      timers_(timers),
      arguments_(std::move(arguments)),
      setupCheck_([this] { return env_.fileExists(env_.setupFilePath); }, view, hooks) {}

bool MainWindowStartup::formCreate() {
    view_.setWindowCaption(QString::fromLatin1(kTitle));
    if (!env_.probeSystem())
        return false;
    hooks_.initTaskFile(env_.taskFilePath);
    if (env_.fileExists(env_.setupFilePath))
        hooks_.loadSetupXml(env_.setupFilePath);
    hooks_.commitConnectionAtStart();
    hooks_.prepareDrawing();
    languageName_ = env_.readLanguageName();
    view_.setTaskListColumns({"logid", "File Name", "Type", "Progress", "Status", "Size",
                              "Download Speed", "Upload Speed"});
    view_.setVersionLabel(env_.versionText);
    return true;
}

void MainWindowStartup::formShow() {
    hooks_.applyLanguage(languageName_);
    if (state_.firstShow)
        state_.mainShown = true;
    view_.setConnectStatus((*env_.texts)[Msg::FormMainMsg5]);
    view_.showOfflineIndicator();
    view_.layoutRefreshEdit();
    timers_.getFVPage.setEnabled(true);
    // Without settings the wizard is up; the queue stays idle until a later show finds them.
    if (setupCheck_.setupFileMissing())
        return;
    for (qsizetype i = 1; i < arguments_.size(); ++i)
        DebugLog::write(QStringLiteral("TFormMain::FormShow-ParamStr:") + arguments_[i]);
    if (!state_.firstShow)
        return;
    const QString path = StartupArguments::firstArgument(arguments_);
    if (StartupArguments::queueableAtFirstStart(path))
        hooks_.addFileToQueue(path);
    state_.firstShow = false;
    timers_.blackLV.setEnabled(true);
    timers_.taskListUpdate.setEnabled(true);
}

void MainWindowStartup::handOff(const QString& path) {
    state_.mainShown = false;
    state_.positionByTimer = false;
    DebugLog::write("TFormMain::WMCopyData()");
    if (setupCheck_.setupFileMissing())
        return;
    env_.waitPumping(500);
    hooks_.addFileToQueue(path);
}

void MainWindowStartup::filesDropped(const QStringList& paths) {
    // Paths are passed whole: the original's 255-unit buffer cut longer ones.
    for (const QString& path : paths) {
        env_.waitPumping(100);
        hooks_.addFileToQueue(path);
    }
}

void MainWindowStartup::requestExit() {
    state_.closeRequested = true;
    view_.closeWindow();
}

void MainWindowStartup::formDestroy() {
    hooks_.saveTaskFile();
    hooks_.closeTaskFile();
    timers_.taskListUpdate.setEnabled(false);
    timers_.getFVPage.setEnabled(false);
    timers_.blackLV.setEnabled(false);
}

}  // namespace fv

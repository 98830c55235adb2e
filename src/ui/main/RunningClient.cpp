#include "ui/main/RunningClient.h"

#include "platform/SingleInstance.h"

namespace fv::ui {
namespace {

// Start-up shows the texts of the core, which the language replaces at each show.
StartupEnvironment showingTexts(StartupEnvironment environment, const ClientCore& core) {
    environment.texts = &core.texts();
    return environment;
}

}  // namespace

RunningClient::RunningClient(StartupEnvironment environment, QStringList arguments)
    : RunningClient(std::move(environment), std::move(arguments), ClientCore::Options{}) {}

RunningClient::RunningClient(StartupEnvironment environment, QStringList arguments,
                             ClientCore::Options coreOptions)
    : core_(std::move(coreOptions)),
      shell_(window_),
      wiring_(window_, core_),
      startup_(showingTexts(std::move(environment), core_), wiring_, shell_,
               wiring_.startupTimers(), std::move(arguments)),
      versionCheck_(StartupVersionCheck::Context{
          [this] {
              return core_.setupForm().checked(QStringLiteral("ChkBox_ChkVerAtStart_About"));
          },
          [this] { return shell_.versionText(); }, [this] { wiring_.openUpdateWindow(); }}),
      atBegin_(wiring_.timerAtBegin(), &versionCheck_) {
    shell_.setOfflineIndicator([this] { window_.showOnline(false); });
    wiring_.setStartupState(&startup_.state());
    QObject::connect(&window_, &MainWindow::formShown, &window_, [this] {
        wiring_.formShown();
        startup_.formShow();
    });
    QObject::connect(&window_, &MainWindow::filesDropped, &window_,
                     [this](const QStringList& paths) { startup_.filesDropped(paths); });
}

bool RunningClient::start() {
    if (!startup_.formCreate())
        return false;
    atBegin_.start();
    return true;
}

void RunningClient::acceptHandOffs(SingleInstance& instance) {
    instance.setHandOffHandler([this](const QString& path) { startup_.handOff(path); });
    instance.setRestoreHandler([this] { shell_.restore(); });
}

void RunningClient::finish() {
    wiring_.saveLayout();
    startup_.formDestroy();
}

}  // namespace fv::ui

// The main window's life-cycle logic: create, show, hand-off, dropped files, exit, destroy.
// It decides order and rules only; windows, files and later capabilities are reached
// through MainWindowView, StartupHooks and the named timers.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "app/MainWindowState.h"
#include "app/SetupFileCheck.h"
#include "i18n/MessageTexts.h"

namespace fv {

class MainWindowView;
class StartupHooks;
class Timer;

// The outside world as start-up sees it; system() gives the real one.
struct StartupEnvironment {
    // Probes the operating system and writes its log lines; false: the process must end
    // with exit code 1.
    std::function<bool()> probeSystem;
    std::function<QString()> readLanguageName;
    std::function<bool(const QString& path)> fileExists;
    // Waits the given milliseconds while handling events (waitPumpingEvents with pump).
    std::function<void(int ms)> waitPumping;
    QString taskFilePath;
    QString setupFilePath;
    QString versionText;
    // The texts shown; English unless a language was applied.
    const MessageTexts* texts = &MessageTexts::english();

    static StartupEnvironment system();
};

struct MainWindowTimers {
    Timer& getFVPage;       // TimerGetFVPage: the refresh cycle
    Timer& blackLV;         // TimerBlackLV: list drawing
    Timer& taskListUpdate;  // TimerTaskListUpdate: upload queue
};

class MainWindowStartup {
  public:
    static constexpr const char* kTitle = "The New Ferrovane";

    // arguments: the process's arguments, program name first.
    MainWindowStartup(StartupEnvironment environment, StartupHooks& hooks, MainWindowView& view,
                      MainWindowTimers timers, QStringList arguments);

    // FormCreate. False when the system could not be probed (end with exit code 1).
    bool formCreate();
    // FormShow, each time the window becomes visible.
    void formShow();
    // WMCopyData: a path handed over by a second start (already decoded).
    void handOff(const QString& path);
    // Files dropped on the window, in drop order.
    void filesDropped(const QStringList& paths);
    // Exit command (tray "Exit", close button) and a close request with parameter 100.
    void requestExit();
    // FormDestroy.
    void formDestroy();

    // SetupFileMissing, offered to other windows.
    bool setupFileMissing() const { return setupCheck_.setupFileMissing(); }

    MainWindowState& state() { return state_; }
    const MainWindowState& state() const { return state_; }
    const QString& languageName() const { return languageName_; }

  private:
    StartupEnvironment env_;
    StartupHooks& hooks_;
    MainWindowView& view_;
    MainWindowTimers timers_;
    QStringList arguments_;
    SetupFileCheck setupCheck_;
    MainWindowState state_;
    QString languageName_;
};

}  // namespace fv

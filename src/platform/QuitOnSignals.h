// Turns SIGTERM, SIGINT and SIGHUP (log-out, shutdown, Ctrl+C) into an orderly end of the
// event loop, so the main window's destroy steps run and the upload queue is saved, where
// the original relied on the window system's close message. The handler only writes a byte
// to a pipe; the quit happens on the thread that owns this object.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace fv {

class QuitOnSignals : public QObject {
  public:
    // onSignal runs on the owner's thread with the signal number; one instance per process.
    explicit QuitOnSignals(std::function<void(int signal)> onSignal);
    ~QuitOnSignals() override;

    bool installed() const { return installed_; }

  private:
    void drain();

    std::function<void(int)> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
    bool installed_ = false;
};

}  // namespace fv

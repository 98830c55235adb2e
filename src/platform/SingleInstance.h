// One running client per user. The original used a named mutex, a window search and a
// copy-data message; here a lock file and a local socket in a private (0700) per-user folder
// take their place, and the socket accepts only peers of the same user.
//
// The first start holds the lock and listens. A later start connects, sends the hand-off
// frame (see HandOffRecord) when it has a path, waits until the running instance has
// handled it, asks it to restore its window and ends. A lock or socket left by a crashed
// instance does not block the next start: the lock's owner is checked for life and the
// socket is replaced by whoever holds the lock.
#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace fv {

class SingleInstance {
  public:
    enum class Role { First, Second };

    struct Outcome {
        bool reached = false;     // a running instance answered
        bool handedOver = false;  // the path was delivered and handled
        QString error;            // empty when everything asked for happened
    };

    // folder: where the lock and socket live; created private when missing.
    explicit SingleInstance(QString folder = defaultFolder());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // FV_DATA_DIR set (tests, demo): "<data folder>run"; else $XDG_RUNTIME_DIR/ferrovane;
    // else "<data folder>run".
    static QString defaultFolder();

    // Decides the role once. settleMs bounds how long a start keeps retrying while another
    // process holds the lock but does not answer yet (it may be starting or ending).
    // A first instance must live on a thread with a Qt event loop.
    Role start(int settleMs = 3000);

    // First instance: run on the owner's thread, one at a time, in arrival order.
    void setHandOffHandler(std::function<void(const QString& path)> handler);
    void setRestoreHandler(std::function<void()> handler);
    bool listening() const;

    // Second instance: hands the path over (nothing when empty), then asks for the window.
    // ackTimeoutMs bounds the wait for the running instance to finish with the path.
    Outcome handToRunning(const QString& path, int ackTimeoutMs = 300000);

    // Why the last step fell short (folder, lock or socket trouble), for the log.
    QString lastError() const;

    QString socketPath() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace fv

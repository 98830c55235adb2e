// A real Samba server for the tests: Debian's smbd on 127.0.0.1 and a free high port, with
// its configuration, account database, locks and logs in a private temporary folder. It
// serves one share "Download2" holding Complete/ and InComplete/, and one account: the
// current user's name with a password the test chooses (given to smbpasswd on its standard
// input, never on a command line).
#pragma once

#include <QProcess>
#include <QString>
#include <memory>

#include "TestEnvironment.h"

namespace fv::test {

class SambaServer {
  public:
    SambaServer() = default;
    ~SambaServer();
    SambaServer(const SambaServer&) = delete;
    SambaServer& operator=(const SambaServer&) = delete;

    // Starts smbd; false with why not in *reason (smbd missing, no root, did not start).
    // accountName, when given, is the name clients sign in with (mapped to the Unix user).
    bool start(const QString& password, QString* reason, const QString& accountName = {});

    quint16 port() const { return port_; }
    // The name clients sign in with.
    QString user() const { return accountName_.isEmpty() ? user_ : accountName_; }
    // "127.0.0.1:port", as RouterLocalHost takes it.
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }
    // A file or folder below the share's root (created with its parents).
    void addFile(const QString& relative, const QByteArray& bytes = "x");
    void addFolder(const QString& relative);

  private:
    bool writeConfig(QString* reason);
    bool addAccount(const QString& password, QString* reason);
    bool waitUntilListening(int ms) const;
    QString log() const;

    ScratchDir dir_;
    QString user_;
    QString accountName_;
    quint16 port_ = 0;
    std::unique_ptr<QProcess> smbd_;
};

}  // namespace fv::test

#include "SambaServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

namespace fv::test {
namespace {

QString findProgram(const QString& name) {
    QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(name, {"/usr/sbin", "/sbin", "/usr/bin"});
    return path;
}

quint16 freePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

}  // namespace

SambaServer::~SambaServer() {
    if (smbd_ && smbd_->state() != QProcess::NotRunning) {
        smbd_->terminate();
        if (!smbd_->waitForFinished(5000)) {
            smbd_->kill();
            smbd_->waitForFinished(2000);
        }
    }
}

bool SambaServer::start(const QString& password, QString* reason, const QString& accountName) {
    accountName_ = accountName;
    const QString smbd = findProgram("smbd");
    if (smbd.isEmpty() || findProgram("smbpasswd").isEmpty()) {
        *reason =
            "smbd or smbpasswd is not installed (Debian package \"samba\"; "
            "scripts/ensure-deps.sh installs it)";
        return false;
    }
    if (::geteuid() != 0) {
        *reason =
            "smbd serves files as the account's Unix user and must run as root for that; "
            "run the tests as root (CI does)";
        return false;
    }
    const passwd* pw = ::getpwuid(::geteuid());
    user_ = pw ? QString::fromLocal8Bit(pw->pw_name) : QStringLiteral("root");
    port_ = freePort();
    if (port_ == 0) {
        *reason = "no free loopback port";
        return false;
    }
    for (const char* sub : {"private", "lock", "state", "cache", "pid", "ncalrpc", "log",
                            "share/Complete", "share/InComplete"})
        QDir().mkpath(dir_.file(sub));
    if (!writeConfig(reason) || !addAccount(password, reason))
        return false;
    smbd_ = std::make_unique<QProcess>();
    smbd_->setProcessChannelMode(QProcess::MergedChannels);
    smbd_->setStandardOutputFile(dir_.file("log/stdout"));
    // smbd signals its whole process group when it stops; in a session of its own that group
    // holds only smbd and its children, never the test.
    smbd_->setChildProcessModifier([] { ::setsid(); });
    smbd_->start(smbd, {"--foreground", "--no-process-group", "--debug-stdout", "-d", "1", "-s",
                        dir_.file("smb.conf")});
    if (!smbd_->waitForStarted(5000) || !waitUntilListening(15000)) {
        *reason = "smbd did not start: " + log();
        return false;
    }
    return true;
}

bool SambaServer::writeConfig(QString* reason) {
    const QString d = dir_.path();
    const QString conf = QStringLiteral(
                             "[global]\n"
                             "  smb ports = %1\n"
                             "  interfaces = 127.0.0.1\n"
                             "  bind interfaces only = yes\n"
                             "  disable netbios = yes\n"
                             "  server role = standalone server\n"
                             "  map to guest = never\n"
                             "  restrict anonymous = 2\n"
                             "  username map = %2/users.map\n"
                             "  private dir = %2/private\n"
                             "  lock directory = %2/lock\n"
                             "  state directory = %2/state\n"
                             "  cache directory = %2/cache\n"
                             "  pid directory = %2/pid\n"
                             "  ncalrpc dir = %2/ncalrpc\n"
                             "  log file = %2/log/smbd.log\n"
                             "  passdb backend = tdbsam:%2/private/passdb.tdb\n"
                             "  load printers = no\n"
                             "  printing = bsd\n"
                             "  printcap name = /dev/null\n"
                             "  disable spoolss = yes\n"
                             "[Download2]\n"
                             "  path = %2/share\n"
                             "  read only = yes\n"
                             "  valid users = %3\n")
                             .arg(port_)
                             .arg(d, user_);
    QFile map(dir_.file("users.map"));
    if (!map.open(QIODevice::WriteOnly) ||
        (!accountName_.isEmpty() &&
         map.write((user_ + " = " + accountName_ + "\n").toUtf8()) < 0)) {
        *reason = "cannot write users.map";
        return false;
    }
    QFile f(dir_.file("smb.conf"));
    if (!f.open(QIODevice::WriteOnly) || f.write(conf.toUtf8()) < 0) {
        *reason = "cannot write smb.conf";
        return false;
    }
    return true;
}

bool SambaServer::addAccount(const QString& password, QString* reason) {
    QProcess smbpasswd;
    smbpasswd.setProcessChannelMode(QProcess::MergedChannels);
    smbpasswd.start(findProgram("smbpasswd"), {"-c", dir_.file("smb.conf"), "-s", "-a", user_});
    if (!smbpasswd.waitForStarted(5000)) {
        *reason = "smbpasswd did not start";
        return false;
    }
    const QByteArray twice = (password + '\n' + password + '\n').toUtf8();
    smbpasswd.write(twice);
    smbpasswd.closeWriteChannel();
    if (!smbpasswd.waitForFinished(15000) || smbpasswd.exitCode() != 0) {
        *reason = "smbpasswd failed: " + QString::fromLocal8Bit(smbpasswd.readAll());
        return false;
    }
    return true;
}

bool SambaServer::waitUntilListening(int ms) const {
    for (int waited = 0; waited < ms; waited += 100) {
        if (smbd_->state() == QProcess::NotRunning)
            return false;
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port_);
        if (probe.waitForConnected(200))
            return true;
        QThread::msleep(100);
    }
    return false;
}

QString SambaServer::log() const {
    QFile f(dir_.file("log/stdout"));
    if (!f.open(QIODevice::ReadOnly))
        return "(no log)";
    return QString::fromLocal8Bit(f.readAll().right(2000));
}

void SambaServer::addFile(const QString& relative, const QByteArray& bytes) {
    const QString path = dir_.file("share/" + relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

void SambaServer::addFolder(const QString& relative) {
    QDir().mkpath(dir_.file("share/" + relative));
}

}  // namespace fv::test

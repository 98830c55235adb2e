#include "platform/SingleInstance.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QThread>
#include <deque>
#include <unordered_map>

#include "platform/AppPaths.h"
#include "platform/DebugLog.h"
#include "platform/HandOffRecord.h"

namespace fv {
namespace {

// The folder must exist, belong to us and be closed to everyone else before anything in it
// is trusted.
QString preparePrivateFolder(const QString& folder) {
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create %1").arg(folder);
    const QByteArray native = QFile::encodeName(folder);
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return QStringLiteral("%1 is not a folder").arg(folder);
    if (info.st_uid != ::geteuid())
        return QStringLiteral("%1 belongs to another user").arg(folder);
    if ((info.st_mode & 077) != 0 && ::chmod(native.constData(), 0700) != 0)
        return QStringLiteral("cannot make %1 private").arg(folder);
    return QString();
}

bool peerIsSameUser(QLocalSocket* socket) {
    struct ucred cred {};
    socklen_t length = sizeof cred;
    const int fd = static_cast<int>(socket->socketDescriptor());
    return fd >= 0 && ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &length) == 0 &&
           cred.uid == ::geteuid();
}

}  // namespace

struct SingleInstance::Impl {
    struct Job {
        QPointer<QLocalSocket> socket;
        HandOffRecord::Kind kind;
        QString path;
    };

    QString folder;
    QString error;
    QLockFile lock;
    std::unique_ptr<QLocalServer> server;
    std::unique_ptr<QLocalSocket> client;
    std::unordered_map<QLocalSocket*, QByteArray> buffers;
    std::deque<Job> jobs;
    bool dispatching = false;
    std::function<void(const QString&)> onHandOff;
    std::function<void()> onRestore;

    explicit Impl(QString f)
        : folder(std::move(f)), lock(folder + QStringLiteral("/instance.lock")) {
        lock.setStaleLockTime(0);  // stale only when its owner is gone, never by age
    }

    QString socketPath() const { return folder + QStringLiteral("/instance.sock"); }

    void listen();
    void accept();
    void receive(QLocalSocket* socket);
    void dispatch();
    bool hasHandlerFor(HandOffRecord::Kind kind) const;
    void runJob(const Job& job);
    bool exchange(const QByteArray& frame, int timeoutMs, QString& why);
};

void SingleInstance::Impl::listen() {
    server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so any socket file left here belongs to a crashed instance.
    QLocalServer::removeServer(socketPath());
    if (!server->listen(socketPath())) {
        error = QStringLiteral("cannot listen on %1: %2").arg(socketPath(), server->errorString());
        DebugLog::write(QStringLiteral("SingleInstance: ") + error);
        server.reset();
        return;
    }
    QObject::connect(server.get(), &QLocalServer::newConnection, server.get(),
                     [this] { accept(); });
}

void SingleInstance::Impl::accept() {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        if (!peerIsSameUser(socket)) {
            DebugLog::write("SingleInstance: connection from another user refused");
            socket->abort();
            socket->deleteLater();
            continue;
        }
        buffers[socket];
        QObject::connect(socket, &QLocalSocket::readyRead, server.get(),
                         [this, socket] { receive(socket); });
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QObject::destroyed, server.get(),
                         [this, socket] { buffers.erase(socket); });
    }
}

void SingleInstance::Impl::receive(QLocalSocket* socket) {
    auto found = buffers.find(socket);
    if (found == buffers.end())
        return;
    QByteArray& buffer = found->second;
    buffer.append(socket->readAll());
    while (true) {
        const HandOffRecord::Decoded frame = HandOffRecord::decode(buffer);
        if (frame.status == HandOffRecord::Status::NeedMore)
            break;
        if (frame.status == HandOffRecord::Status::Malformed ||
            frame.kind == HandOffRecord::Kind::Ack) {
            DebugLog::write(
                QStringLiteral("SingleInstance: hand-off rejected: ") +
                (frame.error.isEmpty() ? QStringLiteral("unexpected frame") : frame.error));
            buffer.clear();
            socket->abort();
            return;
        }
        buffer.remove(0, frame.consumed);
        jobs.push_back({socket, frame.kind, frame.path});
    }
    dispatch();
}

// A frame that arrives before the owner has set its handler waits for it: the sender keeps
// waiting for its acknowledgement and the path is not lost.
bool SingleInstance::Impl::hasHandlerFor(HandOffRecord::Kind kind) const {
    return kind == HandOffRecord::Kind::Restore ? bool(onRestore) : bool(onHandOff);
}

// Handlers may wait while processing events, so further frames can arrive inside a handler;
// they are queued and run after it, one at a time.
void SingleInstance::Impl::dispatch() {
    if (dispatching)
        return;
    dispatching = true;
    while (!jobs.empty() && hasHandlerFor(jobs.front().kind)) {
        const Job job = jobs.front();
        jobs.pop_front();
        runJob(job);
    }
    dispatching = false;
}

void SingleInstance::Impl::runJob(const Job& job) {
    try {
        if (job.kind == HandOffRecord::Kind::Restore) {
            onRestore();
        } else {
            DebugLog::write(QStringLiteral("SingleInstance: file handed over: ") + job.path);
            onHandOff(job.path);
        }
    } catch (const std::exception& e) {
        DebugLog::write(std::string("SingleInstance: handler failed - E.Message = ") + e.what());
    } catch (...) {
        DebugLog::write("SingleInstance: handler failed");
    }
    if (job.socket && job.socket->state() == QLocalSocket::ConnectedState) {
        job.socket->write(HandOffRecord::encodeControl(HandOffRecord::Kind::Ack));
        job.socket->flush();
    }
}

bool SingleInstance::Impl::exchange(const QByteArray& frame, int timeoutMs, QString& why) {
    QDeadlineTimer deadline(timeoutMs);
    client->write(frame);
    while (client->bytesToWrite() > 0) {
        if (!client->waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
            why =
                QStringLiteral("sending to the running instance failed: ") + client->errorString();
            return false;
        }
    }
    QByteArray received;
    while (true) {
        const HandOffRecord::Decoded answer = HandOffRecord::decode(received);
        if (answer.status == HandOffRecord::Status::Complete &&
            answer.kind == HandOffRecord::Kind::Ack)
            return true;
        if (answer.status != HandOffRecord::Status::NeedMore) {
            why = QStringLiteral("the running instance answered something unexpected");
            return false;
        }
        if (deadline.hasExpired() ||
            !client->waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            why = QStringLiteral("the running instance did not confirm in time");
            return false;
        }
        received.append(client->readAll());
    }
}

SingleInstance::SingleInstance(QString folder) : d_(std::make_unique<Impl>(std::move(folder))) {}

SingleInstance::~SingleInstance() {
    d_->client.reset();
    d_->server.reset();  // removes the socket file
    d_->lock.unlock();
}

QString SingleInstance::defaultFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (qEnvironmentVariableIsEmpty("FV_DATA_DIR") && !runtime.isEmpty())
        return QDir::cleanPath(runtime + QStringLiteral("/ferrovane"));
    return AppPaths::dataFolder() + QStringLiteral("run");
}

SingleInstance::Role SingleInstance::start(int settleMs) {
    if (const QString why = preparePrivateFolder(d_->folder); !why.isEmpty()) {
        // Without a trustworthy folder there is no safe channel; run alone rather than refuse.
        d_->error = why;
        DebugLog::write(QStringLiteral("SingleInstance: ") + why);
        return Role::First;
    }
    const QDeadlineTimer deadline(settleMs);
    while (true) {
        if (d_->lock.tryLock(0)) {
            d_->listen();
            return Role::First;
        }
        if (d_->lock.error() != QLockFile::LockFailedError) {
            d_->error = QStringLiteral("cannot create the instance lock in ") + d_->folder;
            DebugLog::write(QStringLiteral("SingleInstance: ") + d_->error);
            return Role::First;
        }
        d_->client = std::make_unique<QLocalSocket>();
        d_->client->connectToServer(d_->socketPath());
        if (d_->client->waitForConnected(250))
            return Role::Second;
        d_->client.reset();
        if (deadline.hasExpired()) {
            d_->error = QStringLiteral("a running instance holds the lock but does not answer");
            return Role::Second;
        }
        QThread::msleep(50);
    }
}

void SingleInstance::setHandOffHandler(std::function<void(const QString&)> handler) {
    d_->onHandOff = std::move(handler);
    d_->dispatch();
}

void SingleInstance::setRestoreHandler(std::function<void()> handler) {
    d_->onRestore = std::move(handler);
    d_->dispatch();
}

bool SingleInstance::listening() const {
    return d_->server && d_->server->isListening();
}

SingleInstance::Outcome SingleInstance::handToRunning(const QString& path, int ackTimeoutMs) {
    Outcome outcome;
    if (!d_->client || d_->client->state() != QLocalSocket::ConnectedState) {
        outcome.error =
            d_->error.isEmpty() ? QStringLiteral("no running instance answered") : d_->error;
        return outcome;
    }
    outcome.reached = true;
    if (!path.isEmpty()) {
        const HandOffRecord::Encoded frame = HandOffRecord::encodePath(path);
        if (frame.bytes.isEmpty())
            outcome.error = QStringLiteral("not handed over: ") + frame.error;
        else if (!d_->exchange(frame.bytes, ackTimeoutMs, outcome.error))
            return outcome;
        else
            outcome.handedOver = true;
    }
    QString why;
    if (!d_->exchange(HandOffRecord::encodeControl(HandOffRecord::Kind::Restore), 10000, why) &&
        outcome.error.isEmpty())
        outcome.error = why;
    d_->client->disconnectFromServer();
    return outcome;
}

QString SingleInstance::lastError() const {
    return d_->error;
}

QString SingleInstance::socketPath() const {
    return d_->socketPath();
}

}  // namespace fv

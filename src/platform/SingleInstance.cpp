#include "platform/SingleInstance.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QLockFile>
#include <QSocketNotifier>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <unordered_map>

#include "platform/AppPaths.h"
#include "platform/DebugLog.h"
#include "platform/HandOffRecord.h"

// A plain local socket with notifiers rather than QLocalServer: so the window needs no
// QtNetwork (nor the proxy library it brings) at all.

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

bool peerIsSameUser(int fd) {
    struct ucred cred {};
    socklen_t length = sizeof cred;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &length) == 0 &&
           cred.uid == ::geteuid();
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// False when the path does not fit a socket address.
bool socketAddress(const QString& path, sockaddr_un& address) {
    const QByteArray native = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (native.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
    return true;
}

// Waits until fd is ready for events; false on time-out or error.
bool waitFor(int fd, short events, const QDeadlineTimer& deadline) {
    while (true) {
        pollfd entry{fd, events, 0};
        const int ms = int(std::clamp<qint64>(deadline.remainingTime(), 0, 60000));
        const int n = ::poll(&entry, 1, ms);
        if (n > 0)
            return true;
        if (n == 0 ? deadline.hasExpired() : errno != EINTR)
            return false;
    }
}

}  // namespace

struct SingleInstance::Impl {
    using ConnectionId = quint64;

    struct Connection {
        int fd = -1;
        std::unique_ptr<QSocketNotifier> notifier;
        QByteArray buffer;
    };

    struct Job {
        ConnectionId connection;
        HandOffRecord::Kind kind;
        QString path;
    };

    QString folder;
    QString error;
    QLockFile lock;
    int listenFd = -1;
    std::unique_ptr<QSocketNotifier> listenNotifier;
    int clientFd = -1;
    std::unordered_map<ConnectionId, Connection> connections;
    ConnectionId nextConnection = 1;
    std::deque<Job> jobs;
    bool dispatching = false;
    std::function<void(const QString&)> onHandOff;
    std::function<void()> onRestore;

    explicit Impl(QString f)
        : folder(std::move(f)), lock(folder + QStringLiteral("/instance.lock")) {
        lock.setStaleLockTime(0);  // stale only when its owner is gone, never by age
    }
    ~Impl();

    QString socketPath() const { return folder + QStringLiteral("/instance.sock"); }

    void listen();
    void stopListening();
    bool connectToRunning(int timeoutMs);
    void closeClient();
    void accept();
    void receive(ConnectionId id);
    void drop(ConnectionId id);
    void dispatch();
    bool hasHandlerFor(HandOffRecord::Kind kind) const;
    void runJob(const Job& job);
    bool exchange(const QByteArray& frame, int timeoutMs, QString& why);
};

SingleInstance::Impl::~Impl() {
    closeClient();
    stopListening();
}

void SingleInstance::Impl::listen() {
    sockaddr_un address;
    if (!socketAddress(socketPath(), address)) {
        error = QStringLiteral("cannot listen on %1: the path is too long").arg(socketPath());
        DebugLog::write(QStringLiteral("SingleInstance: ") + error);
        return;
    }
    // We hold the lock, so any socket file left here belongs to a crashed instance.
    ::unlink(address.sun_path);
    listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listenFd < 0 || ::bind(listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) ||
        ::chmod(address.sun_path, 0600) || ::listen(listenFd, 16)) {
        error = QStringLiteral("cannot listen on %1: %2").arg(socketPath(), systemError());
        DebugLog::write(QStringLiteral("SingleInstance: ") + error);
        stopListening();
        return;
    }
    listenNotifier = std::make_unique<QSocketNotifier>(listenFd, QSocketNotifier::Read);
    QObject::connect(listenNotifier.get(), &QSocketNotifier::activated, listenNotifier.get(),
                     [this] { accept(); });
}

// Never runs inside a notifier's signal (only at start-up and from the destructor), so the
// notifiers go at once.
void SingleInstance::Impl::stopListening() {
    for (auto& entry : connections) {
        entry.second.notifier.reset();
        ::close(entry.second.fd);
    }
    connections.clear();
    listenNotifier.reset();
    if (listenFd < 0)
        return;
    ::close(listenFd);
    listenFd = -1;
    ::unlink(QFile::encodeName(socketPath()).constData());
}

bool SingleInstance::Impl::connectToRunning(int timeoutMs) {
    sockaddr_un address;
    if (!socketAddress(socketPath(), address))
        return false;
    clientFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (clientFd < 0)
        return false;
    // A full backlog makes connect wait; the send time-out bounds that wait.
    const timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    ::setsockopt(clientFd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    if (::connect(clientFd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        return true;
    closeClient();
    return false;
}

void SingleInstance::Impl::closeClient() {
    if (clientFd >= 0)
        ::close(clientFd);
    clientFd = -1;
}

void SingleInstance::Impl::accept() {
    while (true) {
        const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0)
            return;  // nothing more waiting, or a peer that left at once
        if (!peerIsSameUser(fd)) {
            DebugLog::write("SingleInstance: connection from another user refused");
            ::close(fd);
            continue;
        }
        const ConnectionId id = nextConnection++;
        Connection& connection = connections[id];
        connection.fd = fd;
        connection.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(connection.notifier.get(), &QSocketNotifier::activated,
                         listenNotifier.get(), [this, id] { receive(id); });
    }
}

// The notifier may be the one whose signal is running: it goes once control is back in the
// event loop, its socket at once.
void SingleInstance::Impl::drop(ConnectionId id) {
    auto found = connections.find(id);
    if (found == connections.end())
        return;
    Connection& connection = found->second;
    connection.notifier->setEnabled(false);
    connection.notifier.release()->deleteLater();
    ::close(connection.fd);
    connections.erase(found);
}

void SingleInstance::Impl::receive(ConnectionId id) {
    auto found = connections.find(id);
    if (found == connections.end())
        return;
    Connection& connection = found->second;
    bool ended = false;
    char chunk[4096];
    while (true) {
        const ssize_t n = ::read(connection.fd, chunk, sizeof chunk);
        if (n > 0) {
            connection.buffer.append(chunk, qsizetype(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            ended = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
            break;
        }
    }
    while (true) {
        const HandOffRecord::Decoded frame = HandOffRecord::decode(connection.buffer);
        if (frame.status == HandOffRecord::Status::NeedMore)
            break;
        if (frame.status == HandOffRecord::Status::Malformed ||
            frame.kind == HandOffRecord::Kind::Ack) {
            DebugLog::write(
                QStringLiteral("SingleInstance: hand-off rejected: ") +
                (frame.error.isEmpty() ? QStringLiteral("unexpected frame") : frame.error));
            drop(id);
            dispatch();
            return;
        }
        connection.buffer.remove(0, frame.consumed);
        jobs.push_back({id, frame.kind, frame.path});
    }
    // A sender that ended still gets its frames handled; only the acknowledgement is lost.
    if (ended)
        drop(id);
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
    // The sender may have given up meanwhile. The acknowledgement is a few bytes, which the
    // socket's empty send buffer always takes whole.
    if (auto found = connections.find(job.connection); found != connections.end()) {
        const QByteArray ack = HandOffRecord::encodeControl(HandOffRecord::Kind::Ack);
        ::send(found->second.fd, ack.constData(), size_t(ack.size()), MSG_NOSIGNAL);
    }
}

bool SingleInstance::Impl::exchange(const QByteArray& frame, int timeoutMs, QString& why) {
    const QDeadlineTimer deadline(timeoutMs);
    for (qsizetype sent = 0; sent < frame.size();) {
        const ssize_t n = ::send(clientFd, frame.constData() + sent, size_t(frame.size() - sent),
                                 MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n >= 0) {
            sent += n;
        } else if (errno == EINTR || ((errno == EAGAIN || errno == EWOULDBLOCK) &&
                                      waitFor(clientFd, POLLOUT, deadline))) {
            continue;
        } else {
            why = QStringLiteral("sending to the running instance failed: ") + systemError();
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
        if (!waitFor(clientFd, POLLIN, deadline)) {
            why = QStringLiteral("the running instance did not confirm in time");
            return false;
        }
        char chunk[256];
        const ssize_t n = ::recv(clientFd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (n > 0) {
            received.append(chunk, qsizetype(n));
        } else if (n == 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) {
            // The running instance closed the connection before it confirmed.
            why = QStringLiteral("the running instance did not confirm in time");
            return false;
        }
    }
}

SingleInstance::SingleInstance(QString folder) : d_(std::make_unique<Impl>(std::move(folder))) {}

SingleInstance::~SingleInstance() {
    d_->closeClient();
    d_->stopListening();  // removes the socket file
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
        if (d_->connectToRunning(250))
            return Role::Second;
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
    return d_->listenFd >= 0;
}

SingleInstance::Outcome SingleInstance::handToRunning(const QString& path, int ackTimeoutMs) {
    Outcome outcome;
    if (d_->clientFd < 0) {
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
    d_->closeClient();
    return outcome;
}

QString SingleInstance::lastError() const {
    return d_->error;
}

QString SingleInstance::socketPath() const {
    return d_->socketPath();
}

}  // namespace fv

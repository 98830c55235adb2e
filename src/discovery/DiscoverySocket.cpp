#include "discovery/DiscoverySocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "discovery/DiscoveryRequest.h"
#include "platform/DebugLog.h"

namespace fv {
namespace {

bool toSockaddr(const QString& address, std::uint16_t port, sockaddr_in* out) {
    *out = sockaddr_in{};
    out->sin_family = AF_INET;
    out->sin_port = htons(port);
    return inet_pton(AF_INET, address.toLatin1().constData(), &out->sin_addr) == 1;
}

bool setFlag(int fd, int option) {
    const int one = 1;
    return ::setsockopt(fd, SOL_SOCKET, option, &one, sizeof one) == 0;
}

}  // namespace

DiscoverySocket::OpenResult DiscoverySocket::open(const QString& bindAddress, std::uint16_t port) {
    close();
    stop_ = false;
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0) {
        lastError_ = errno;
        DebugLog::write(QStringLiteral("socket failed with: %1\n").arg(lastError_));
        return OpenResult::SocketFailed;
    }
    setFlag(fd_, SO_REUSEADDR);
    // Every router answers each of the five requests at once; a network full of them must
    // not overflow the queue while the receive thread takes the replies one by one.
    const int buffer = 1 << 20;
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
    sockaddr_in local{};
    if (!toSockaddr(bindAddress, port, &local) ||
        ::bind(fd_, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        lastError_ = errno ? errno : EINVAL;
        DebugLog::write(QStringLiteral("Bind failed with: %1\n").arg(lastError_));
        return OpenResult::BindFailed;
    }
    if (!setFlag(fd_, SO_BROADCAST)) {
        lastError_ = errno;
        DebugLog::write(QStringLiteral("setsockopt failed with: %1\n").arg(lastError_));
        return OpenResult::BroadcastFailed;
    }
    return OpenResult::Ok;
}

std::uint16_t DiscoverySocket::localPort() const {
    sockaddr_in local{};
    socklen_t len = sizeof local;
    if (fd_ < 0 || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &len) != 0)
        return 0;
    return ntohs(local.sin_port);
}

void DiscoverySocket::startReceiving(Receiver receiver) {
    if (fd_ < 0 || receiver_.joinable())
        return;
    wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    DebugLog::write("CreateThread() win32_receive_thread");
    receiver_ = std::thread([this, r = std::move(receiver)] { receiveLoop(r); });
}

void DiscoverySocket::receiveLoop(const Receiver& receiver) {
    DebugLog::write("win32_receive_thread(LPVOID pParam)");
    while (!stop_) {
        pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            break;
        if (stop_ || (fds[1].revents & POLLIN))
            break;
        if (fds[0].revents & POLLNVAL)
            break;
        // An error queued by an ICMP answer is read (and so cleared) like a datagram.
        if (fds[0].revents & (POLLIN | POLLERR))
            receiveOne(receiver);
    }
}

void DiscoverySocket::receiveOne(const Receiver& receiver) {
    if (stop_)
        return;
    // A longer datagram is cut to the buffer; the rest of it is discarded by the kernel.
    char buffer[kDiscoveryDatagramSize];
    sockaddr_in sender{};
    socklen_t len = sizeof sender;
    const ssize_t n = ::recvfrom(fd_, buffer, sizeof buffer, MSG_DONTWAIT,
                                 reinterpret_cast<sockaddr*>(&sender), &len);
    if (n < 0)
        return;
    char source[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &sender.sin_addr, source, sizeof source);
    receiver(QByteArray(buffer, static_cast<qsizetype>(n)), QString::fromLatin1(source));
}

void DiscoverySocket::send(const QByteArray& datagram, const QString& address,
                           std::uint16_t port) const {
    sockaddr_in target{};
    if (fd_ < 0 || !toSockaddr(address, port, &target))
        return;
    ::sendto(fd_, datagram.constData(), static_cast<std::size_t>(datagram.size()), 0,
             reinterpret_cast<const sockaddr*>(&target), sizeof target);
}

void DiscoverySocket::close() {
    stop_ = true;
    if (receiver_.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t w = ::write(wakeFd_, &one, sizeof one);
        receiver_.join();
    }
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
    if (fd_ >= 0)
        ::close(fd_);
    wakeFd_ = fd_ = -1;
}

}  // namespace fv

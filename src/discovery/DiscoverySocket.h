// The search's one UDP socket (`g_sockfd`) and its receive thread. Sends come from the
// user-interface thread; the receive thread only reads and hands each datagram to a callback.
// close() (`StopSearch`) wakes and joins the receive thread before the socket goes away, so a
// datagram arriving late never meets a closed or reused descriptor.
#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

namespace fv {

class DiscoverySocket {
  public:
    enum class OpenResult { Ok, SocketFailed, BindFailed, BroadcastFailed };
    // Called on the receive thread with at most 512 bytes and the sender's dotted address.
    using Receiver = std::function<void(const QByteArray& datagram, const QString& source)>;

    DiscoverySocket() = default;
    ~DiscoverySocket() { close(); }
    DiscoverySocket(const DiscoverySocket&) = delete;
    DiscoverySocket& operator=(const DiscoverySocket&) = delete;

    // A socket with reuse-address and broadcast, bound to the address and port. On
    // BindFailed the socket stays open until close(), so the caller can look for the holder.
    OpenResult open(const QString& bindAddress, std::uint16_t port);
    // The errno of the last failed step of open().
    int lastError() const { return lastError_; }
    bool isOpen() const { return fd_ >= 0; }
    std::uint16_t localPort() const;

    void startReceiving(Receiver receiver);
    // One datagram; lost silently when the socket is closed or the send fails.
    void send(const QByteArray& datagram, const QString& address, std::uint16_t port) const;
    void close();

  private:
    void receiveLoop(const Receiver& receiver);
    void receiveOne(const Receiver& receiver);

    int fd_ = -1;
    int wakeFd_ = -1;  // an eventfd that ends the receive thread's wait
    int lastError_ = 0;
    std::atomic<bool> stop_{true};  // `stopFlag`
    std::thread receiver_;
};

}  // namespace fv

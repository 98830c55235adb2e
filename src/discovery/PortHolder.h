// Names the program that holds the search's UDP port, from the kernel's socket tables and the
// processes' open descriptors, so the user learns what to close.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace fv {

// The socket inodes of a /proc/net/udp (or udp6) table whose local port is the given one.
std::vector<std::uint64_t> udpSocketInodes(QByteArrayView table, std::uint16_t port);

// The executable file name of the first process that has one of the sockets open, found under
// procRoot ("/proc" on a running system); nothing when no readable process has it.
std::optional<QString> processHoldingSockets(const std::vector<std::uint64_t>& inodes,
                                             const QString& procRoot = QStringLiteral("/proc"));

// Both steps for a UDP port of this computer.
std::optional<QString> udpPortHolder(std::uint16_t port,
                                     const QString& procRoot = QStringLiteral("/proc"));

// "<program> has used port number : 9999, please close it and then try again."
QString portHeldMessage(const QString& program, std::uint16_t port);

}  // namespace fv

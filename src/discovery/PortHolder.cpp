#include "discovery/PortHolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <algorithm>

namespace fv {
namespace {

// "  12: 00000000:270F 00000000:0000 07 00000000:00000000 00:00000000 00000000  1000 0 4567 ..."
constexpr int kLocalAddressColumn = 1;
constexpr int kInodeColumn = 9;

std::optional<std::uint64_t> inodeOfLine(QByteArrayView line, std::uint16_t port) {
    const QList<QByteArray> columns = line.toByteArray().simplified().split(' ');
    if (columns.size() <= kInodeColumn)
        return std::nullopt;
    const QByteArray& local = columns[kLocalAddressColumn];
    const qsizetype colon = local.indexOf(':');
    bool portOk = false, inodeOk = false;
    const uint localPort = local.mid(colon + 1).toUInt(&portOk, 16);
    const std::uint64_t inode = columns[kInodeColumn].toULongLong(&inodeOk, 10);
    if (colon < 0 || !portOk || !inodeOk || localPort != port || inode == 0)
        return std::nullopt;
    return inode;
}

QString executableName(const QString& processDir) {
    const QString exe = QFileInfo(processDir + QStringLiteral("/exe")).symLinkTarget();
    if (!exe.isEmpty())
        return QFileInfo(exe).fileName();
    QFile comm(processDir + QStringLiteral("/comm"));
    if (comm.open(QIODevice::ReadOnly))
        return QString::fromLocal8Bit(comm.readAll()).trimmed();
    return {};
}

bool holdsOneOf(const QString& processDir, const std::vector<QString>& targets) {
    const QDir fds(processDir + QStringLiteral("/fd"));
    for (const QString& fd : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
        const QString link = QFile::symLinkTarget(fds.filePath(fd));
        const QString target = QFileInfo(link).fileName();
        if (std::find(targets.begin(), targets.end(), target) != targets.end())
            return true;
    }
    return false;
}

}  // namespace

std::vector<std::uint64_t> udpSocketInodes(QByteArrayView table, std::uint16_t port) {
    std::vector<std::uint64_t> inodes;
    const QList<QByteArray> lines = table.toByteArray().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i)  // the first line holds the titles
        if (const auto inode = inodeOfLine(lines[i], port))
            inodes.push_back(*inode);
    return inodes;
}

std::optional<QString> processHoldingSockets(const std::vector<std::uint64_t>& inodes,
                                             const QString& procRoot) {
    if (inodes.empty())
        return std::nullopt;
    std::vector<QString> targets;
    for (std::uint64_t inode : inodes)
        targets.push_back(QStringLiteral("socket:[%1]").arg(inode));
    const QDir proc(procRoot);
    for (const QString& pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        pid.toUInt(&numeric);
        if (!numeric || !holdsOneOf(proc.filePath(pid), targets))
            continue;
        const QString name = executableName(proc.filePath(pid));
        if (!name.isEmpty())
            return name;
    }
    return std::nullopt;
}

std::optional<QString> udpPortHolder(std::uint16_t port, const QString& procRoot) {
    std::vector<std::uint64_t> inodes;
    for (const char* table : {"/net/udp", "/net/udp6"}) {
        QFile file(procRoot + QLatin1String(table));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const auto found = udpSocketInodes(file.readAll(), port);
        inodes.insert(inodes.end(), found.begin(), found.end());
    }
    return processHoldingSockets(inodes, procRoot);
}

QString portHeldMessage(const QString& program, std::uint16_t port) {
    return QStringLiteral("%1 has used port number : %2, please close it and then try again.")
        .arg(program)
        .arg(port);
}

}  // namespace fv

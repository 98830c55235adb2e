// Naming the program that holds the search's port: the kernel's socket table, a process tree
// made in a folder, and a socket this test really holds.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "LoopbackPort.h"
#include "discovery/PortHolder.h"

namespace fv {
namespace {

const QByteArray kUdpTable =
    "   sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  "
    "timeout inode ref pointer drops\n"
    "  101: 00000000:270F 00000000:0000 07 00000000:00000000 00:00000000 00000000  1000        "
    "0 4567 2 0000000000000000 0\n"
    "  102: 0100007F:270F 00000000:0000 07 00000000:00000000 00:00000000 00000000  1000        "
    "0 4568 2 0000000000000000 0\n"
    "  103: 00000000:0035 00000000:0000 07 00000000:00000000 00:00000000 00000000     0        "
    "0 999 2 0000000000000000 0\n"
    "  104: 00000000:270F 00000000:0000 07 00000000:00000000 00:00000000 00000000  1000        "
    "0 0 2 0000000000000000 0\n"
    "  garbage line\n"
    "  105: 00000000:ZZZZ 00000000:0000 07 00000000:00000000 00:00000000 00000000  1000        "
    "0 777 2 0000000000000000 0\n";

TEST(UdpSocketInodes, TakesTheSocketsOfThePortOnly) {
    EXPECT_EQ(udpSocketInodes(kUdpTable, 9999), (std::vector<std::uint64_t>{4567, 4568}));
    EXPECT_EQ(udpSocketInodes(kUdpTable, 53), (std::vector<std::uint64_t>{999}));
    EXPECT_TRUE(udpSocketInodes(kUdpTable, 80).empty());
    EXPECT_TRUE(udpSocketInodes("", 9999).empty());
    EXPECT_TRUE(udpSocketInodes("title only\n", 9999).empty());
}

// /proc as a folder: each process has fd links and an exe link.
class FakeProc {
  public:
    void process(int pid, const QString& exe, const QStringList& fdTargets) {
        const QString dir = root.filePath(QString::number(pid));
        QDir().mkpath(dir + "/fd");
        QFile::link(exe, dir + "/exe");
        int fd = 3;
        for (const QString& target : fdTargets)
            QFile::link(target, dir + "/fd/" + QString::number(fd++));
    }
    QString path() const { return root.path(); }

    QTemporaryDir root;
};

TEST(ProcessHoldingSockets, FindsTheProcessWithTheSocketOpen) {
    FakeProc proc;
    proc.process(10, "/usr/bin/editor", {"/home/user/notes.txt", "socket:[111]"});
    proc.process(20, "/opt/maker/Quillmere Utility", {"socket:[4568]"});
    QDir().mkpath(proc.path() + "/self");  // not a process number: skipped
    EXPECT_EQ(processHoldingSockets({4567, 4568}, proc.path()), QString("Quillmere Utility"));
    EXPECT_EQ(processHoldingSockets({111}, proc.path()), QString("editor"));
    EXPECT_EQ(processHoldingSockets({4242}, proc.path()), std::nullopt);
    EXPECT_EQ(processHoldingSockets({}, proc.path()), std::nullopt);
}

TEST(UdpPortHolder, NamesThisProgramWhileItHoldsAPort) {
    test::HeldUdpPort held;
    ASSERT_TRUE(held.held());
    const std::uint16_t port = held.port();

    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    EXPECT_EQ(udpPortHolder(port), self);
    held.release();
    EXPECT_EQ(udpPortHolder(port), std::nullopt);
}

TEST(PortHeldMessage, NamesTheProgramAndThePort) {
    EXPECT_EQ(portHeldMessage("Ombrel.exe", 9999),
              "Ombrel.exe has used port number : 9999, please close it and then try again.");
}

}  // namespace
}  // namespace fv

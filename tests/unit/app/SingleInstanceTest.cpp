#include "platform/SingleInstance.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QTimer>
#include <QtEndian>
#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "platform/HandOffRecord.h"
#include "platform/WaitPumping.h"

namespace fv {
namespace {

// Runs work on a plain thread (where a second start blocks on its socket) while this
// thread keeps handling events for the first instance.
template <class Work>
auto besideEventLoop(Work work) {
    using Result = decltype(work());
    Result result{};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        result = work();
        done = true;
    });
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done && elapsed.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    return result;
}

class SingleInstanceTest : public ::testing::Test {
  protected:
    QString folder() const { return scratch_.path() + "/run"; }

    // A first instance in this process that writes what it receives into journal_.
    std::unique_ptr<SingleInstance> startFirst() {
        auto first = std::make_unique<SingleInstance>(folder());
        EXPECT_EQ(first->start(), SingleInstance::Role::First);
        EXPECT_TRUE(first->listening()) << first->lastError().toStdString();
        first->setHandOffHandler([this](const QString& path) { journal_ << "HANDOFF:" + path; });
        first->setRestoreHandler([this] { journal_ << "RESTORE"; });
        return first;
    }

    SingleInstance::Outcome secondStart(const QString& path) {
        return besideEventLoop([&] {
            SingleInstance second(folder());
            if (second.start(2000) != SingleInstance::Role::Second)
                return SingleInstance::Outcome{false, false, "second start became first"};
            return second.handToRunning(path, 10000);
        });
    }

    test::ScratchDir scratch_;
    QStringList journal_;
};

struct HandOffCase {
    const char* name;
    QString path;
    bool handed;
};

class SingleInstanceHandOff : public SingleInstanceTest,
                              public ::testing::WithParamInterface<HandOffCase> {};

TEST_P(SingleInstanceHandOff, SecondStartDeliversThenRestores) {
    auto first = startFirst();
    const SingleInstance::Outcome outcome = secondStart(GetParam().path);
    EXPECT_TRUE(outcome.reached);
    EXPECT_EQ(outcome.handedOver, GetParam().handed);
    EXPECT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();
    QStringList expected;
    if (GetParam().handed)
        expected << "HANDOFF:" + GetParam().path;
    expected << "RESTORE";
    EXPECT_EQ(journal_, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SingleInstanceHandOff,
    ::testing::Values(HandOffCase{"NoArgumentSendsNothing", QString(), false},
                      HandOffCase{"Torrent", "/home/ana/B.TORRENT", true},
                      HandOffCase{"TextFileIsNotFiltered", "/home/ana/notes.txt", true},
                      HandOffCase{"Longest511", "/" + QString(510, 'p'), true},
                      HandOffCase{"LongPathHandedWhole", "/" + QString(3000, 'q') + ".nzb", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SingleInstanceTest, FolderIsMadePrivate) {
    QDir().mkpath(folder());
    QFile::setPermissions(folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                        QFileDevice::ExeOther);
    auto first = startFirst();
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(folder()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(SingleInstanceTest, SecondStartWaitsUntilTheHandOffIsHandled) {
    SingleInstance first(folder());
    ASSERT_EQ(first.start(), SingleInstance::Role::First);
    std::atomic<bool> handled{false};
    first.setHandOffHandler([&](const QString&) {
        waitPumpingEvents(200, true);
        handled = true;
    });
    first.setRestoreHandler([] {});
    const bool handledWhenReturned = besideEventLoop([&] {
        SingleInstance second(folder());
        second.start();
        second.handToRunning("/x.torrent", 10000);
        return handled.load();
    });
    EXPECT_TRUE(handledWhenReturned);
}

TEST_F(SingleInstanceTest, HandOffBeforeTheHandlerIsSetWaitsForIt) {
    SingleInstance first(folder());
    ASSERT_EQ(first.start(), SingleInstance::Role::First);
    QTimer::singleShot(150, [&] {
        journal_ << "handlers set";
        first.setHandOffHandler([this](const QString& path) { journal_ << "HANDOFF:" + path; });
        first.setRestoreHandler([this] { journal_ << "RESTORE"; });
    });
    const SingleInstance::Outcome outcome = secondStart("/early.torrent");
    EXPECT_TRUE(outcome.handedOver);
    EXPECT_EQ(journal_, (QStringList{"handlers set", "HANDOFF:/early.torrent", "RESTORE"}));
}

QByteArray header(uint32_t tag, uint32_t size) {
    QByteArray out(8, '\0');
    qToLittleEndian<uint32_t>(tag, out.data());
    qToLittleEndian<uint32_t>(size, out.data() + 4);
    return out;
}

struct RawCase {
    const char* name;
    QByteArray bytes;
};

class SingleInstanceMalformed : public SingleInstanceTest,
                                public ::testing::WithParamInterface<RawCase> {};

TEST_P(SingleInstanceMalformed, IsDroppedAndTheServerKeepsWorking) {
    auto first = startFirst();
    const bool disconnected = besideEventLoop([&] {
        QLocalSocket raw;
        raw.connectToServer(first->socketPath());
        if (!raw.waitForConnected(2000))
            return false;
        raw.write(GetParam().bytes);
        raw.waitForBytesWritten(2000);
        return raw.state() == QLocalSocket::UnconnectedState || raw.waitForDisconnected(5000);
    });
    EXPECT_TRUE(disconnected);
    EXPECT_TRUE(journal_.isEmpty());

    const SingleInstance::Outcome later = secondStart("/after.torrent");
    EXPECT_TRUE(later.handedOver);
    EXPECT_EQ(journal_, (QStringList{"HANDOFF:/after.torrent", "RESTORE"}));
}

INSTANTIATE_TEST_SUITE_P(
    Frames, SingleInstanceMalformed,
    ::testing::Values(RawCase{"WrongRecordSize", header(0, 100) + QByteArray(100, 'a')},
                      RawCase{"HugeSize", header(1, 0xFFFFFFF0u)},
                      RawCase{"NoTerminator", header(0, 1024) + QByteArray(1024, 'A')},
                      RawCase{"UnknownTag", header(77, 0)},
                      RawCase{"AckFromAClient", header(3, 0)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SingleInstanceTest, HeldLockWithoutAnswerSendsNothing) {
    QDir().mkpath(folder());
    QLockFile holder(folder() + "/instance.lock");
    ASSERT_TRUE(holder.tryLock(0));
    const SingleInstance::Outcome outcome = besideEventLoop([&] {
        SingleInstance second(folder());
        if (second.start(300) != SingleInstance::Role::Second)
            return SingleInstance::Outcome{true, true, {}};
        return second.handToRunning("/x.torrent");
    });
    EXPECT_FALSE(outcome.reached);
    EXPECT_FALSE(outcome.handedOver);
    EXPECT_FALSE(outcome.error.isEmpty());
}

// Real processes: the helper program takes the role the client would.
class SingleInstanceProcesses : public SingleInstanceTest {
  protected:
    std::unique_ptr<QProcess> launch(const QString& path) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("FV_DATA_DIR", scratch_.path());
        env.insert("FV_HELPER_SERVE_MS", "15000");
        process->setProcessEnvironment(env);
        process->start(FV_INSTANCE_HELPER, path.isEmpty() ? QStringList{} : QStringList{path});
        return process;
    }
};

TEST_F(SingleInstanceProcesses, CrashedInstanceDoesNotBlockTheNextStart) {
    auto crashed = launch({});
    ASSERT_TRUE(crashed->waitForStarted(5000));
    ASSERT_TRUE(crashed->waitForReadyRead(10000));
    ASSERT_EQ(crashed->readLine().trimmed(), "FIRST");
    crashed->kill();
    ASSERT_TRUE(crashed->waitForFinished(5000));
    // The crash left both behind.
    ASSERT_TRUE(QFileInfo::exists(folder() + "/instance.lock"));
    ASSERT_TRUE(QFileInfo::exists(folder() + "/instance.sock"));

    auto next = startFirst();
    EXPECT_TRUE(next->listening());
    const SingleInstance::Outcome outcome = secondStart("/y.nzb");
    EXPECT_TRUE(outcome.handedOver);
}

TEST_F(SingleInstanceProcesses, ConcurrentStartsLeaveExactlyOneInstance) {
    for (int round = 0; round < 3; ++round) {
        const QString pathA = QStringLiteral("/round%1/a.torrent").arg(round);
        const QString pathB = QStringLiteral("/round%1/b.torrent").arg(round);
        auto a = launch(pathA);
        auto b = launch(pathB);
        ASSERT_TRUE(a->waitForFinished(20000));
        ASSERT_TRUE(b->waitForFinished(20000));
        const QString outA = QString::fromUtf8(a->readAllStandardOutput());
        const QString outB = QString::fromUtf8(b->readAllStandardOutput());
        const bool aFirst = outA.startsWith("FIRST\n");
        const bool bFirst = outB.startsWith("FIRST\n");
        ASSERT_NE(aFirst, bFirst) << outA.toStdString() << "|" << outB.toStdString();
        const QString& firstOut = aFirst ? outA : outB;
        const QString& secondOut = aFirst ? outB : outA;
        const QString& secondPath = aFirst ? pathB : pathA;
        EXPECT_EQ(secondOut, "SECOND reached=1 handed=1\n");
        EXPECT_EQ(firstOut, "FIRST\nHANDOFF:" + secondPath + "\nRESTORE\n");
    }
}

}  // namespace
}  // namespace fv

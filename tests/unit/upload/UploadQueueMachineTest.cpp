// The queue's decisions as values: each event answers what the window must do, with no
// timer or control involved.
#include "upload/UploadQueueMachine.h"

#include <QLockFile>

#include <gtest/gtest.h>

#include "QStringPrinter.h"
#include "TestEnvironment.h"
#include "i18n/MessageTexts.h"
#include "upload/BtAnswer.h"

namespace fv {
namespace {

class QueueMachine : public ::testing::Test {
  protected:
    QueueMachine() { machine.open(dir.file("FVTask.xml")); }

    QueueOutcome sendOne(const char* name) {
        machine.add(name, "All", QStringLiteral("/d/") + name);
        return machine.sendTick();
    }

    test::ScratchDir dir;
    UploadQueueMachine machine;
};

TEST_F(QueueMachine, SendTickStartsTheFirstWaitingTransfer) {
    machine.add("a.torrent", "0,2", "/d/a.torrent");
    machine.add("b.nzb", "All", "/d/b.nzb");
    const QueueOutcome out = machine.sendTick();
    ASSERT_TRUE(out.startTransfer.has_value());
    EXPECT_EQ(out.startTransfer->FullPath, "/d/a.torrent");
    EXPECT_EQ(out.startTransfer->Checked, "0,2");
    EXPECT_EQ(out.statusLine.text, MessageTexts::english()[Msg::FormMainMsg2] + "...");
    EXPECT_EQ(out.sendTimer.enabled, false);
    EXPECT_EQ(out.countdownTimer.intervalMs, 100);
    EXPECT_EQ(out.failureLine.shown, false);
    EXPECT_TRUE(machine.transferInFlight());

    const QueueOutcome again = machine.sendTick();
    EXPECT_FALSE(again.startTransfer.has_value()) << "one transfer at a time";
}

struct EndCase {
    int code;
    bool done;            // the entry left the waiting state
    const char* failure;  // nullptr: the failure line is hidden (or shows the notice below)
    bool halts;
};

class QueueMachineEnds : public QueueMachine, public ::testing::WithParamInterface<EndCase> {};

TEST_P(QueueMachineEnds, TransferEndDecidesEntryTimerAndLines) {
    const EndCase& c = GetParam();
    ASSERT_TRUE(sendOne("a.torrent").startTransfer);
    const QueueOutcome out = machine.transferEnded(c.code);
    EXPECT_EQ(machine.entries().at(0).isDone(), c.done);
    EXPECT_EQ(machine.halted(), c.halts);
    EXPECT_EQ(out.sendTimer.enabled, !c.halts);
    if (!c.halts) {
        EXPECT_EQ(out.sendTimer.intervalMs, 3000);
    }
    EXPECT_EQ(out.retryEnabled.value_or(false), c.halts);
    if (c.failure) {
        EXPECT_EQ(out.failureLine.text, QString::fromUtf8(c.failure));
        EXPECT_EQ(out.failureLine.shown, true);
    } else {
        EXPECT_EQ(out.failureLine.shown, false);
    }
    EXPECT_EQ(out.countdownTimer.enabled, true);
    EXPECT_FALSE(machine.transferInFlight());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, QueueMachineEnds,
    ::testing::Values(EndCase{kBtAckSuccess, true, nullptr, false},
                      EndCase{kAckSuccess, true, nullptr, false},
                      EndCase{kBtExist, true, "The task already exists!", false},
                      EndCase{kDiskFull, false, "FAIL:The task list or store space is full.", true},
                      EndCase{kTooLarge, false,
                              "FAIL:a.torrent is too large to send (more than 64 MB). Remove it "
                              "from the list.",
                              true}));

TEST_F(QueueMachine, ListTickRestartsSendingOnlyWhenNothingHoldsItBack) {
    machine.add("a.torrent", "All", "/d/a.torrent");
    EXPECT_EQ(machine.listTick(false, false).sendTimer.enabled, true);
    EXPECT_FALSE(machine.listTick(false, true).sendTimer.enabled.has_value()) << "already running";
    machine.sendTick();
    machine.transferEnded(kDiskFull);
    EXPECT_FALSE(machine.listTick(false, false).sendTimer.enabled.has_value()) << "halted";
    EXPECT_EQ(machine.retry().sendTimer.enabled, true);
    EXPECT_TRUE(machine.listTick(true, true).mergeOfflineRows);
}

TEST_F(QueueMachine, RemovalNamesTheRefreshAndTheChange) {
    machine.add("a.torrent", "All", "/d/a.torrent");
    const uint64_t id = machine.entries().at(0).id;
    const QueueOutcome out = machine.removeEntry(id);
    EXPECT_TRUE(out.queueChanged);
    EXPECT_EQ(out.refreshInMs, 1000);
    EXPECT_TRUE(machine.entries().empty());
    EXPECT_FALSE(machine.removeEntry(id).refreshInMs.has_value()) << "nothing left to remove";
}

TEST_F(QueueMachine, AnotherSenderHoldsTheSendLock) {
    machine.add("a.torrent", "All", "/d/a.torrent");
    QLockFile other(dir.file("FVTask.xml") + ".send");
    ASSERT_TRUE(other.tryLock(0));
    const QueueOutcome out = machine.sendTick();
    EXPECT_FALSE(out.startTransfer.has_value());
    EXPECT_TRUE(machine.otherSenderBusy());
    EXPECT_FALSE(machine.transferInFlight());
}

}  // namespace
}  // namespace fv

#include "upload/UploadQueue.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>

#include <gtest/gtest.h>

#include "QStringPrinter.h"
#include "TestEnvironment.h"
#include "i18n/MessageTexts.h"
#include "platform/DebugLog.h"

namespace fv {
namespace {

const QString kConnFail =
    "FAIL:Cannot connect to Ferrovane Server, please check the connection settings. Or, wait a "
    "while!";
const QString kFull = "FAIL:The task list or store space is full.";

class QueueFixture : public ::testing::Test {
  protected:
    QueueFixture() { makeQueue(); }

    void makeQueue() {
        queue_ = std::make_unique<UploadQueue>(
            form_, UploadQueue::Timers{&send_, &update_, &countDown_},
            [this](const UploadTransfer& info, UploadQueue::Done done) {
                started_.push_back(info);
                pending_ = std::move(done);
            },
            UploadQueue::Hooks{[this] { return offline_; }, [this] { ++merges_; }, nullptr,
                               [this](int ms) { refreshMs_ = ms; }, nullptr});
        queue_->openTaskFile(path_);
    }
    void add(const QString& name, const QString& checked = "All", const QString& full = {}) {
        queue_->addFile(name, checked, full.isEmpty() ? "/data/" + name : full);
        queue_->reloadTaskFile();
    }
    // Runs one send step and answers the transfer it started with code.
    void sendAndAnswer(int code) {
        send_.setEnabled(true);  // as Retry or a list-update tick would
        ASSERT_TRUE(send_.fire());
        ASSERT_TRUE(pending_);
        auto done = std::move(pending_);
        pending_ = nullptr;
        done(code);
    }
    std::vector<UploadQueueEntry> onDisk() const {
        std::vector<UploadQueueEntry> e;
        TaskFile(path_).load(&e);
        return e;
    }

    test::ScratchDir dir_;
    QString path_ = dir_.file("FVTask.xml");
    FormState form_;
    ManualTimer send_, update_, countDown_;
    std::vector<UploadTransfer> started_;
    UploadQueue::Done pending_;
    bool offline_ = false;
    int merges_ = 0;
    int refreshMs_ = 0;
    std::unique_ptr<UploadQueue> queue_;
};

struct AnswerCase {
    int code;
    bool done;
    QString failure;  // empty: failure line hidden
    int countdown;
};

class QueueAnswers : public QueueFixture, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(QueueAnswers, AnswerDecidesEntryTimerAndFailureLine) {
    const AnswerCase& c = GetParam();
    add("a.torrent");
    queue_->retrySending();
    LogCapture log;
    sendAndAnswer(c.code);
    ASSERT_EQ(started_.size(), 1u);
    EXPECT_EQ(started_[0].FullPath, "/data/a.torrent");
    EXPECT_EQ(queue_->uploadBtTaskInfo().BtResult, c.code);
    EXPECT_TRUE(
        log.contains("SendBtTaskThreadDone()-uploadBtTaskInfo.BtResult:" + std::to_string(c.code)));
    EXPECT_EQ(onDisk().at(0).Status, c.done ? "Done" : "in progress");
    EXPECT_EQ(queue_->halted(), !c.done);
    EXPECT_EQ(send_.enabled(), c.done);
    EXPECT_EQ(form_.visible(UploadQueue::kFailureLine), !c.failure.isEmpty());
    if (!c.failure.isEmpty()) {
        EXPECT_EQ(form_.text(UploadQueue::kFailureLine).toStdString(), c.failure.toStdString());
    }
    EXPECT_EQ(form_.enabled(UploadQueue::kRetryButton), !c.done);
    EXPECT_EQ(queue_->countdown(), c.countdown);
    EXPECT_EQ(log.contains("HTTP_TIMEOUT"), c.code == 9);
    EXPECT_FALSE(queue_->transferInFlight());
}

INSTANTIATE_TEST_SUITE_P(
    Queue, QueueAnswers,
    ::testing::Values(AnswerCase{0, true, {}, 2}, AnswerCase{1, true, {}, 2},
                      AnswerCase{3, true, "The task already exists!", 2},
                      AnswerCase{2, false, kConnFail, -1}, AnswerCase{4, false, kFull, -1},
                      AnswerCase{5, false, kFull, -1}, AnswerCase{6, false, kFull, -1},
                      AnswerCase{7, false, kFull, -1}, AnswerCase{8, false, kFull, -1},
                      AnswerCase{9, false, kConnFail, -1}, AnswerCase{10, false, kConnFail, -1},
                      // Refused here before sending: said as what it is, the entry kept.
                      AnswerCase{11, false, UploadQueue::tooLargeText("a.torrent"), -1},
                      AnswerCase{12, false, UploadQueue::unreadableText("a.torrent"), -1}));

TEST_F(QueueFixture, TaskFileIsUtf16WithElementsInOrder) {
    add("x.torrent", "0,2", "/home/u/x.torrent");
    QByteArray bytes;
    QFile f(path_);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    bytes = f.readAll();
    ASSERT_GE(bytes.size(), 2);
    EXPECT_EQ(uchar(bytes[0]), 0xFF);
    EXPECT_EQ(uchar(bytes[1]), 0xFE);
    const QString text = QString::fromUtf16(
        reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    EXPECT_TRUE(text.startsWith("<?xml version=\"1.0\" encoding=\"UTF-16\"?>"))
        << text.toStdString();
    const QStringList order = {"<root>",
                               "<Column>",
                               "<FileName>x.torrent</FileName>",
                               "<Status>in progress</Status>",
                               "<Checked>0,2</Checked>",
                               "<FullPath>/home/u/x.torrent</FullPath>"};
    qsizetype at = 0;
    for (const auto& part : order) {
        const qsizetype found = text.indexOf(part, at);
        EXPECT_GE(found, at) << part.toStdString();
        at = found;
    }
    EXPECT_EQ(text.indexOf("=\"", text.indexOf("<root>")), -1);  // no attributes
}

TEST(TaskFileText, AwkwardNamesSurviveTheRoundTrip) {
    const QString names[] = {"a<b>&c\"d'.torrent",
                             QString::fromUtf8("\xF0\x9F\x8E\xAC film \xE6\x97\xA5.torrent"),
                             "  leading and trailing  ",
                             "tab\there.nzb",
                             "]]>.torrent",
                             ""};
    std::vector<UploadQueueEntry> in;
    for (const auto& n : names)
        in.push_back({n, "in progress", "0,1", "/p/" + n});
    std::vector<UploadQueueEntry> out;
    ASSERT_TRUE(TaskFile::parse(TaskFile::serialize(in), &out));
    ASSERT_EQ(out.size(), in.size());
    for (size_t i = 0; i < in.size(); ++i)
        EXPECT_EQ(out[i], in[i]) << in[i].FileName.toStdString();
}

TEST_F(QueueFixture, ReadsForeignEncodingsAndSkipsUnknownElements) {
    const QByteArray utf8 =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><root><Other/><Column><Status>in "
        "progress</Status><FileName>\xC3\xA9.torrent</FileName><Extra>q</Extra><Checked>All</"
        "Checked><FullPath>/p</FullPath></Column></root>";
    std::vector<UploadQueueEntry> e;
    ASSERT_TRUE(TaskFile::parse(utf8, &e));
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].FileName, QString::fromUtf8("\xC3\xA9.torrent"));
    EXPECT_EQ(e[0].Status, "in progress");
    EXPECT_EQ(e[0].FullPath, "/p");
}

TEST_F(QueueFixture, DamagedFileKeepsListAndIsPreservedOnNextWrite) {
    add("a.torrent");
    {
        QFile f(path_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<root><Column><FileName>trunc");
    }
    LogCapture log;
    queue_->reloadTaskFile();
    EXPECT_TRUE(log.contains("Load XML Document from file failed!"));
    ASSERT_EQ(queue_->entries().size(), 1u);
    add("b.torrent");
    const auto disk = onDisk();
    ASSERT_EQ(disk.size(), 2u);  // the list's entry survives the damaged file
    EXPECT_EQ(disk[1].FileName, "b.torrent");
    EXPECT_TRUE(QFile::exists(path_ + ".damaged"));
}

TEST_F(QueueFixture, SuccessMarksOnlyTheSentEntryAmongNamesakes) {
    add("same.torrent", "All", "/one/same.torrent");
    add("same.torrent", "All", "/two/same.torrent");
    sendAndAnswer(0);
    auto disk = onDisk();
    EXPECT_EQ(disk[0].Status, "Done");
    EXPECT_EQ(disk[1].Status, "in progress");
    sendAndAnswer(0);
    ASSERT_EQ(started_.size(), 2u);
    EXPECT_EQ(started_[1].FullPath, "/two/same.torrent");
}

TEST_F(QueueFixture, NeverTwoTransfersInFlight) {
    add("a.torrent");
    add("b.torrent");
    send_.setEnabled(true);
    ASSERT_TRUE(send_.fire());
    EXPECT_TRUE(queue_->transferInFlight());
    update_.setEnabled(true);
    update_.fire();
    EXPECT_FALSE(send_.enabled());  // the tick does not re-arm sending during a transfer
    send_.setEnabled(true);
    send_.fire();
    EXPECT_EQ(started_.size(), 1u);
    pending_(0);
    EXPECT_FALSE(queue_->transferInFlight());
}

TEST_F(QueueFixture, AnotherProcessSendingOrAddingIsRespected) {
    add("a.torrent");
    {
        QLockFile otherSender(path_ + ".send");
        ASSERT_TRUE(otherSender.tryLock(0));
        send_.setEnabled(true);
        send_.fire();
        EXPECT_TRUE(started_.empty());
        EXPECT_FALSE(queue_->transferInFlight());
    }
    // An entry another process appends shows up with the next list-update tick.
    TaskFile(path_).update({}, [](std::vector<UploadQueueEntry>& e) {
        e.push_back({"cli.nzb", "in progress", "All", "/c/cli.nzb"});
        return true;
    });
    update_.setEnabled(true);
    update_.fire();
    ASSERT_EQ(queue_->entries().size(), 2u);
    EXPECT_EQ(queue_->entries()[1].FileName, "cli.nzb");
    EXPECT_TRUE(send_.enabled());
    send_.fire();
    ASSERT_EQ(started_.size(), 1u);
    EXPECT_TRUE(QLockFile(path_ + ".send").tryLock(0) == false);  // held during our transfer
    pending_(1);
    QLockFile after(path_ + ".send");
    EXPECT_TRUE(after.tryLock(0));
}

TEST_F(QueueFixture, TickAnimatesRestartsSendingAndClearsDone) {
    add("a.torrent");
    const QString dots[] = {"uploading.", "uploading....", "uploading........", "uploading."};
    update_.setEnabled(true);
    for (const auto& d : dots) {
        send_.setEnabled(false);
        update_.fire();
        EXPECT_EQ(form_.text(UploadQueue::kStatusLine), d);
        EXPECT_TRUE(send_.enabled());
    }
    sendAndAnswer(0);
    update_.fire();
    EXPECT_TRUE(onDisk().empty());
    EXPECT_TRUE(queue_->entries().empty());
}

TEST_F(QueueFixture, HaltedQueueWaitsForRetry) {
    add("a.torrent");
    sendAndAnswer(4);
    update_.setEnabled(true);
    update_.fire();
    EXPECT_FALSE(send_.enabled());
    queue_->retrySending();
    EXPECT_TRUE(send_.enabled());
    EXPECT_FALSE(form_.enabled(UploadQueue::kRetryButton));
    sendAndAnswer(1);
    EXPECT_EQ(started_.size(), 2u);
    EXPECT_EQ(onDisk().at(0).Status, "Done");
}

TEST_F(QueueFixture, SendStepStatusLineByQueueContent) {
    LogCapture log;
    send_.setEnabled(true);
    send_.fire();
    EXPECT_TRUE(log.contains("TimerSendTaskTimer:Load XML file failed!"));
    add("a.torrent");
    sendAndAnswer(0);
    send_.fire();
    EXPECT_EQ(form_.text(UploadQueue::kStatusLine), "Upload Bt Tasks Done!!");
    queue_->reloadTaskFile();
    queue_->clearDone();
    send_.setEnabled(true);
    send_.fire();
    EXPECT_EQ(form_.text(UploadQueue::kStatusLine), "");
    EXPECT_EQ(started_.size(), 1u);
}

TEST_F(QueueFixture, CountdownShowsSecondsAfterSuccess) {
    add("a.torrent");
    sendAndAnswer(0);
    const char* expected[] = {"2 Sec", "1 Sec", "0 Sec", "0 Sec"};
    for (const char* e : expected) {
        countDown_.fire();
        EXPECT_EQ(form_.text(UploadQueue::kCountDown), e);
        EXPECT_TRUE(form_.visible(UploadQueue::kCountDown));
    }
}

TEST_F(QueueFixture, RemoveQueueRowDeletesExactlyThatEntry) {
    add("same.torrent", "All", "/one/same.torrent");
    add("same.torrent", "0,2", "/two/same.torrent");
    add("other.nzb");
    queue_->removeQueueRow(1);
    EXPECT_EQ(refreshMs_, 1000);
    const auto disk = onDisk();
    ASSERT_EQ(disk.size(), 2u);
    EXPECT_EQ(disk[0].FullPath, "/one/same.torrent");
    EXPECT_EQ(disk[1].FileName, "other.nzb");
}

TEST_F(QueueFixture, TaskListRemovesExactlyTheEntryItsRowStandsFor) {
    add("same.torrent", "All", "/one/same.torrent");
    add("same.torrent", "All", "/two/same.torrent");
    add("other.nzb", "All", "/three/other.nzb");
    const QueueRowSource& source = *queue_;
    const auto rows = source.queueRows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].fileName, "same.torrent");
    EXPECT_EQ(rows[1].statusText, "in progress");

    queue_->removeQueuedEntry(rows[1].entryId);  // the second namesake, not the first
    ASSERT_EQ(onDisk().size(), 2u);
    EXPECT_EQ(onDisk()[0].FullPath, "/one/same.torrent");
    EXPECT_EQ(onDisk()[1].FullPath, "/three/other.nzb");

    // A row taken before the queue moved still names its own entry.
    queue_->reloadTaskFile();
    queue_->removeQueuedEntry(rows[2].entryId);
    ASSERT_EQ(onDisk().size(), 1u);
    EXPECT_EQ(onDisk()[0].FullPath, "/one/same.torrent");

    // An entry that is gone takes nothing else with it.
    queue_->removeQueuedEntry(rows[2].entryId);
    queue_->removeQueuedEntry(12345);
    EXPECT_EQ(onDisk().size(), 1u);
}

// "Clear Done" moves the rows up; a Remove on a row of the list built before must still
// delete the entry it showed, not the namesake that now stands at its old position.
TEST_F(QueueFixture, RemoveAfterClearDoneTakesTheRowsOwnEntry) {
    add("a.torrent", "All", "/sent/a.torrent");
    add("a.torrent", "All", "/keep/a.torrent");
    add("a.torrent", "0,1", "/gone/a.torrent");
    sendAndAnswer(0);  // the first one is done
    const auto rows = queue_->queueRows();
    ASSERT_EQ(rows.size(), 3u);
    update_.setEnabled(true);
    update_.fire();  // clears the done entry: the others move up
    ASSERT_EQ(onDisk().size(), 2u);
    queue_->removeQueuedEntry(rows[2].entryId);
    const auto disk = onDisk();
    ASSERT_EQ(disk.size(), 1u);
    EXPECT_EQ(disk[0].FullPath, "/keep/a.torrent");
}

// A task file that cannot be written (here: a folder stands in its place) keeps every file
// the user added, in the list and in the send loop, says so, and is written once it can be.
TEST_F(QueueFixture, UnwritableTaskFileLosesNothingAndSaysSo) {
    ASSERT_TRUE(QDir().mkdir(path_));
    queue_->addFile("a.torrent", "All", "/data/a.torrent");
    queue_->addFile("b.nzb", "All", "/data/b.nzb");
    update_.setEnabled(true);
    for (int tick = 0; tick < 3; ++tick) {
        update_.fire();  // each tick rereads the file, which holds nothing
        ASSERT_EQ(queue_->entries().size(), 2u) << tick;
    }
    EXPECT_FALSE(queue_->saveProblem().isEmpty());
    EXPECT_TRUE(form_.text(UploadQueue::kStatusLine).startsWith("Queue not saved ("))
        << form_.text(UploadQueue::kStatusLine).toStdString();
    EXPECT_TRUE(form_.visible(UploadQueue::kStatusLine));
    sendAndAnswer(0);  // sending works from memory
    ASSERT_EQ(started_.size(), 1u);
    EXPECT_EQ(started_[0].FileName, "a.torrent");

    ASSERT_TRUE(QDir().rmdir(path_));
    update_.fire();
    const auto disk = onDisk();
    ASSERT_EQ(disk.size(), 1u);  // a.torrent was done and cleared
    EXPECT_EQ(disk[0].FileName, "b.nzb");
    EXPECT_EQ(queue_->unsavedChanges(), 0u);
    EXPECT_TRUE(queue_->saveProblem().isEmpty());
    EXPECT_FALSE(form_.text(UploadQueue::kStatusLine).startsWith("Queue not saved"));
}

// While another process holds the task file's lock the window neither waits for it nor
// drops what the user did; the next tick after the lock is free writes it.
TEST_F(QueueFixture, LockHeldElsewhereNeitherBlocksNorLoses) {
    add("a.torrent");
    {
        QLockFile other(path_ + ".lock");
        ASSERT_TRUE(other.tryLock(0));
        QElapsedTimer clock;
        clock.start();
        queue_->addFile("b.torrent", "All", "/data/b.torrent");
        queue_->removeQueueRow(0);
        update_.setEnabled(true);
        update_.fire();
        EXPECT_LT(clock.elapsed(), 500);
        ASSERT_EQ(queue_->entries().size(), 1u);
        EXPECT_EQ(queue_->entries()[0].FileName, "b.torrent");
        EXPECT_EQ(onDisk().size(), 1u);
        EXPECT_EQ(onDisk()[0].FileName, "a.torrent");
        EXPECT_TRUE(queue_->saveProblem().isEmpty()) << "a busy lock is no failure to report";
    }
    update_.fire();
    const auto disk = onDisk();
    ASSERT_EQ(disk.size(), 1u);
    EXPECT_EQ(disk[0].FileName, "b.torrent");
}

TEST_F(QueueFixture, DeleteMarkedKeepsEntriesAnotherProcessAdded) {
    add("a.torrent");
    add("b.torrent");
    // Another process (fvctl) appends while the window holds its list.
    TaskFile(path_).update({}, [](std::vector<UploadQueueEntry>& e) {
        e.push_back({"c.torrent", "in progress", "All", "/c.torrent"});
        return true;
    });
    queue_->setMarked(0, true);
    queue_->removeMarked();
    auto disk = onDisk();
    ASSERT_EQ(disk.size(), 2u);
    EXPECT_EQ(disk[0].FileName, "b.torrent");
    EXPECT_EQ(disk[1].FileName, "c.torrent");
    EXPECT_EQ(queue_->entries().size(), 2u);
    queue_->saveAtExit();
    EXPECT_EQ(onDisk().size(), 2u);
}

TEST_F(QueueFixture, SaveKeepsADoneThatAnotherProcessWrote) {
    add("a.torrent");
    add("b.torrent");
    // fvctl sent a.torrent while the window still holds it as waiting.
    TaskFile(path_).update({}, [](std::vector<UploadQueueEntry>& e) {
        e[0].Status = UploadQueueEntry::kDone;
        return true;
    });
    queue_->saveAtExit();
    const auto disk = onDisk();
    ASSERT_EQ(disk.size(), 2u);
    EXPECT_TRUE(disk[0].isDone());  // not sent a second time
    EXPECT_TRUE(disk[1].isWaiting());
}

TEST_F(QueueFixture, RestartDuringTransferSendsTheEntryAgain) {
    add("a.torrent");
    send_.setEnabled(true);
    ASSERT_TRUE(send_.fire());
    ASSERT_EQ(started_.size(), 1u);
    pending_ = nullptr;
    queue_.reset();  // the program ends before the transfer reports
    started_.clear();
    makeQueue();
    ASSERT_EQ(queue_->entries().size(), 1u);
    EXPECT_TRUE(queue_->entries()[0].isWaiting());
    send_.setEnabled(true);
    send_.fire();
    ASSERT_EQ(started_.size(), 1u);
    EXPECT_EQ(started_[0].FileName, "a.torrent");
}

TEST_F(QueueFixture, OfflineTickMergesQueueRowsAndListClickSlowsTick) {
    add("a.torrent");
    update_.setEnabled(true);
    update_.fire();
    EXPECT_EQ(merges_, 0);
    offline_ = true;
    update_.fire();
    EXPECT_EQ(merges_, 1);
    queue_->slowListTicks();
    EXPECT_EQ(update_.interval(), 30000);
    queue_->restoreListTicks();
    EXPECT_EQ(update_.interval(), 3000);
}

}  // namespace
}  // namespace fv

// The upload queue and transfer worker against the simulated router on loopback.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QTcpSocket>
#include <QThread>

#include <gtest/gtest.h>

#include "RequestRecord.h"
#include "SimConnection.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "TorrentBytes.h"
#include "app/ClientCore.h"
#include "upload/FileUpload.h"
#include "upload/UploadQueue.h"

namespace fv {
namespace {

using routersim::Listener;

class QueueAgainstRouter : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim_.start(&error)) << error;
        makeQueue();
    }
    void TearDown() override {
        core_.reset();  // waits for its workers
        test::recordRequests(sim_);
        sim_.stop();
    }
    // The client's own assembly with hand-fired timers and real transfer threads, whose
    // temporary copies go to a folder of the test and whose 4 s wait is only recorded.
    void makeQueue() {
        core_.reset();
        ClientCore::Options o;
        o.makeTimer = [](int ms) { return std::make_unique<ManualTimer>(ms); };
        o.setupFilePath = dir_.file("FVSetup.xml");
        o.transfer = [this](const RouterContext& ctx, const UploadTransfer& info) {
            FileUpload::Options t;
            t.tempFolder = temp_.path();
            t.sleep = [this](int ms) { sleeps_.push_back(ms); };  // no real 4 s here
            t.random = [this] { return ++draw_; };
            return FileUpload(ctx, ctx.records->connection(), t).execute(info);
        };
        core_ = std::make_unique<ClientCore>(std::move(o));
        core_->records().setConnection(test::connectionTo(sim_));
        queue_ = &core_->queue();
        queue_->openTaskFile(dir_.file("FVTask.xml"));
    }
    ManualTimer& timer(Timer& t) { return static_cast<ManualTimer&>(t); }
    ManualTimer& send() { return timer(core_->timers().sendTimer()); }
    ManualTimer& update() { return timer(core_->timers().listUpdateTimer()); }
    FormState& form() { return core_->mainForm(); }
    QString addTorrent(const std::string& name, const QString& checked = "All") {
        const QString path = dir_.file(QString::fromStdString(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(torrentBytes(name)));
        f.close();
        queue_->addFile(QString::fromStdString(name), checked, path);
        queue_->reloadTaskFile();
        return path;
    }
    // One send step and the transfer it starts, up to its completion on this thread.
    int sendOne() {
        send().setEnabled(true);
        send().fire();
        if (!queue_->transferInFlight())
            return -1;
        QElapsedTimer t;
        t.start();
        while (queue_->transferInFlight() && t.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return queue_->transferInFlight() ? -1 : queue_->uploadBtTaskInfo().BtResult;
    }
    // The simulator follows its refuse switch within a few polls; wait until it has.
    void setRefusing(bool on) {
        sim_.faults(Listener::Service).setRefuse(on);
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 5000) {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, sim_.port(Listener::Service));
            const bool open = probe.waitForConnected(200);
            if (open != on)
                return;
            QThread::msleep(10);
        }
        ADD_FAILURE() << "listener did not follow the refuse switch";
    }
    std::vector<UploadQueueEntry> onDisk() {
        std::vector<UploadQueueEntry> e;
        TaskFile(dir_.file("FVTask.xml")).load(&e);
        return e;
    }
    std::vector<routersim::Request> uploadRequests(const std::string& method) {
        std::vector<routersim::Request> out;
        for (const auto& r : sim_.requests())
            if (r.method == method && r.target.find("fv_uploadbt.cgi") != std::string::npos)
                out.push_back(r);
        return out;
    }

    routersim::Simulator sim_;
    test::ScratchDir dir_, temp_;
    std::vector<int> sleeps_;  // written by the transfer thread, read after it reported
    unsigned draw_ = 100;
    std::unique_ptr<ClientCore> core_;
    UploadQueue* queue_ = nullptr;
};

TEST_F(QueueAgainstRouter, AddedWhileOfflineIsSentWhenTheRouterReturns) {
    setRefusing(true);
    addTorrent("show.torrent");
    EXPECT_EQ(sendOne(), 10);
    EXPECT_TRUE(queue_->halted());
    ASSERT_EQ(onDisk().size(), 1u);
    EXPECT_TRUE(onDisk()[0].isWaiting());

    setRefusing(false);
    queue_->retrySending();  // the refresh cycle's Retry once the router answers
    EXPECT_EQ(sendOne(), 0);
    EXPECT_TRUE(onDisk().at(0).isDone());
    const auto gets = uploadRequests("GET");
    ASSERT_EQ(gets.size(), 1u);
    EXPECT_NE(gets[0].target.find("download_type=All&D_type=3&t="), std::string::npos);
    update().setEnabled(true);
    update().fire();
    EXPECT_TRUE(onDisk().empty());
    EXPECT_FALSE(sim_.board().tasks().empty());
    EXPECT_TRUE(QDir(temp_.path()).isEmpty());
}

TEST_F(QueueAgainstRouter, SelectionRequestCarriesChosenIndices) {
    addTorrent("pick.torrent", "0,2");
    EXPECT_EQ(sendOne(), 0);
    const auto gets = uploadRequests("GET");
    ASSERT_EQ(gets.size(), 1u);
    EXPECT_NE(gets[0].target.find("&download_type=0,2&"), std::string::npos) << gets[0].target;
    EXPECT_EQ(gets[0].target.find("//ferrovane//fv_uploadbt.cgi?filename="), 0u);
    const auto posts = uploadRequests("POST");
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].target, "/ferrovane/fv_uploadbt.cgi");
    EXPECT_EQ(posts[0].header("Content-Encoding").value_or(""), "deflate");
}

TEST_F(QueueAgainstRouter, NzbIsUploadedWithoutFileChoice) {
    const QString path = dir_.file("news.NZB");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "<?xml version=\"1.0\"?>\n<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\">"
        "<file subject=\"news\"><segments><segment bytes=\"100\" number=\"1\">a@b"
        "</segment></segments></file></nzb>\n");
    f.close();
    queue_->addFile("news.NZB", "All", path);
    EXPECT_EQ(sendOne(), 1);
    EXPECT_TRUE(uploadRequests("GET").empty());
    const auto posts = uploadRequests("POST");
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_NE(posts[0].body.find("Content-Type: application/NZB\r\n"), std::string::npos);
    EXPECT_NE(posts[0].body.find(".nzb\"\r\n"), std::string::npos);
    EXPECT_TRUE(onDisk().at(0).isDone());
}

TEST_F(QueueAgainstRouter, FullRouterHaltsUntilRetry) {
    routersim::Faults full;
    full.answerWord = "LIGHT_FULL";
    full.remaining = 1;
    full.onlyTarget = "fv_uploadbt";
    sim_.faults(Listener::Service).set(full);
    addTorrent("big.torrent");
    EXPECT_EQ(sendOne(), 4);
    EXPECT_EQ(form().text(UploadQueue::kFailureLine), "FAIL:The task list or store space is full.");
    update().setEnabled(true);
    update().fire();
    EXPECT_FALSE(send().enabled());  // halted: the tick does not resume by itself
    queue_->retrySending();
    EXPECT_EQ(sendOne(), 0);
    EXPECT_TRUE(onDisk().at(0).isDone());
}

TEST_F(QueueAgainstRouter, KnownTorrentIsDoneWithExistsNotice) {
    addTorrent("same.torrent");
    EXPECT_EQ(sendOne(), 0);
    queue_->clearDone();
    addTorrent("same.torrent");
    EXPECT_EQ(sendOne(), 3);
    EXPECT_TRUE(onDisk().at(0).isDone());
    EXPECT_EQ(form().text(UploadQueue::kFailureLine), "The task already exists!");
    EXPECT_FALSE(queue_->halted());
}

TEST_F(QueueAgainstRouter, TimeoutIsRepeatedOnceThenHalts) {
    routersim::Faults slow;
    slow.answerWord = "Timeout";
    slow.remaining = 2;
    slow.onlyTarget = "fv_uploadbt";
    sim_.faults(Listener::Service).set(slow);
    addTorrent("t.torrent");
    EXPECT_EQ(sendOne(), 9);
    EXPECT_EQ(sleeps_, std::vector<int>{4000});
    EXPECT_EQ(uploadRequests("POST").size(), 2u);
    EXPECT_TRUE(queue_->halted());
    EXPECT_TRUE(onDisk().at(0).isWaiting());

    slow.remaining = 1;  // one more Timeout: the repetition gets through
    sim_.faults(Listener::Service).set(slow);
    queue_->retrySending();
    EXPECT_EQ(sendOne(), 0);
    EXPECT_EQ(uploadRequests("POST").size(), 4u);
}

TEST_F(QueueAgainstRouter, RestartWithHalfSentQueueSendsTheRest) {
    addTorrent("one.torrent");
    addTorrent("two.torrent");
    EXPECT_EQ(sendOne(), 0);
    // The program stops here: one entry done, one still waiting.
    makeQueue();
    ASSERT_EQ(queue_->entries().size(), 2u);
    update().setEnabled(true);
    update().fire();  // clears the done entry and re-arms sending
    EXPECT_TRUE(send().enabled());
    EXPECT_EQ(sendOne(), 0);
    const auto disk = onDisk();
    ASSERT_EQ(disk.size(), 1u);
    EXPECT_EQ(disk[0].FileName, "two.torrent");
    EXPECT_TRUE(disk[0].isDone());
    EXPECT_EQ(uploadRequests("POST").size(), 2u);
}

}  // namespace
}  // namespace fv

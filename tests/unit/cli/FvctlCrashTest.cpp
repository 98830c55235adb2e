// The queue and settings files survive writers killed at any moment: rounds of four processes
// at once, `fvctl add`, `fvctl queue --send`, `fvctl settings set` and the window's writers,
// each SIGKILLed after a random time, a thousand kills in all. After every round both files
// parse, the stored connection is whole and every file ever queued is still queued or on the
// router; at the end one clean send empties the queue, every queued file is on the router and
// none was sent more often than the kills of senders can explain.
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "FvctlFixture.h"
#include "settings/ConnectionSettings.h"
#include "upload/TaskFile.h"

namespace fv::test {
namespace {

constexpr int kKills = 1000;
constexpr int kMaxRounds = 700;
// Longer than a writer's start and its work, so kills fall before, during and after writes.
constexpr int kLatestKillMs = 100;

class FvctlCrash : public FvctlFixture {
  protected:
    // A one-file torrent; the router names its task after the file.
    QString queuedTorrent(const std::string& stem) {
        return writeFile(QString::fromStdString(stem + ".torrent"),
                         torrentBytes(stem, {stem + ".bin"}));
    }
    std::unique_ptr<QProcess> startWindow(const QStringList& torrents) const {
        auto window = std::make_unique<QProcess>();
        window->setProcessEnvironment(programEnvironment());
        window->start(QStringLiteral(FV_WINDOW_QUEUE_WRITER_PATH), torrents);
        return window;
    }
    int onRouter(const std::string& stem) const {
        const auto tasks = sim->board().tasks();
        return int(std::count_if(tasks.begin(), tasks.end(), [&](const routersim::Task& t) {
            return t.name == stem + ".bin";
        }));
    }
    int uploadPosts() const {
        const auto requests = sim->requests();
        return int(std::count_if(requests.begin(), requests.end(), [](const auto& r) {
            return r.method == "POST" && r.target.find("fv_uploadbt.cgi") != std::string::npos;
        }));
    }
    // The stored connection as the fixture wrote it; only the refresh interval changes.
    void expectConnectionWhole() const {
        QFile f(dataFile("FVSetup.xml"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "FVSetup.xml is there";
        const ConnectionSettings c = ConnectionSettings::fromXml(f.readAll());
        EXPECT_EQ(c.port.value_or(""), QString::number(sim->port(routersim::Listener::Service)));
        EXPECT_EQ(c.userName.value_or(""), kUser);
        EXPECT_EQ(c.password.value_or(""), kPassword);
        const int refresh = c.refreshSeconds.value_or("").toInt();
        EXPECT_TRUE(refresh >= 5 && refresh <= 180) << refresh;
    }
};

std::string stemOf(const QString& fileName) {
    return fileName.left(fileName.lastIndexOf('.')).toStdString();
}

TEST_F(FvctlCrash, KilledWritersLoseNothingAndSendNothingTwice) {
    const unsigned seed = std::getenv("FV_CRASH_SEED") ? std::atoi(std::getenv("FV_CRASH_SEED"))
                                                       : std::random_device{}();
    SCOPED_TRACE("FV_CRASH_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> killAfter(0, kLatestKillMs);

    std::set<std::string> queued;  // stems of every file the user queued
    int kills = 0, senderKills = 0, adds = 0, windowFiles = 0, rounds = 0;
    QElapsedTimer clock;
    clock.start();
    while (kills < kKills && rounds < kMaxRounds) {
        ++rounds;
        const std::string added = "a" + std::to_string(adds++);
        const std::string windowStem = "w" + std::to_string(windowFiles++);
        const QStringList windowTorrents{queuedTorrent(windowStem)};
        struct Writer {
            std::unique_ptr<QProcess> process;
            bool sends;
            qint64 killAt;
        };
        std::vector<Writer> writers;
        writers.push_back({start({"add", queuedTorrent(added)}), true, 0});
        writers.push_back({start({"queue", "--send"}), true, 0});
        writers.push_back(
            {start({"settings", "set",
                    QStringLiteral("connection.RefreshSeconds=%1").arg(5 + rounds % 170)}),
             false, 0});
        writers.push_back({startWindow(windowTorrents), false, 0});
        QElapsedTimer round;
        round.start();
        for (Writer& w : writers)
            w.killAt = killAfter(random);
        bool anyRunning = true;
        while (anyRunning) {
            anyRunning = false;
            for (Writer& w : writers) {
                if (w.process->state() == QProcess::NotRunning)
                    continue;
                if (round.elapsed() >= w.killAt) {
                    w.process->kill();  // SIGKILL
                    w.process->waitForFinished(5000);
                    ++kills;
                    senderKills += w.sends ? 1 : 0;
                } else {
                    anyRunning = true;
                }
            }
            if (anyRunning)
                QThread::msleep(1);
        }
        // What the user saw added: fvctl's own success, the window's steps done.
        if (writers[0].process->exitStatus() == QProcess::NormalExit &&
            writers[0].process->exitCode() == 0)
            queued.insert(added);
        const QString windowSaid = QString::fromUtf8(writers[3].process->readAllStandardOutput());
        if (windowSaid.contains(QString::fromStdString("added " + windowStem + ".torrent\n")))
            queued.insert(windowStem);

        std::vector<UploadQueueEntry> entries;
        ASSERT_NE(TaskFile(dataFile("FVTask.xml")).load(&entries), TaskFile::LoadResult::Damaged)
            << "round " << rounds;
        ASSERT_FALSE(QFile::exists(dataFile("FVTask.xml.damaged"))) << "round " << rounds;
        ASSERT_NO_FATAL_FAILURE(expectConnectionWhole()) << "round " << rounds;
        std::set<std::string> inFile;
        for (const UploadQueueEntry& e : entries) {
            inFile.insert(stemOf(e.FileName));
            queued.insert(stemOf(e.FileName));  // seen queued: it must never vanish unsent
        }
        for (const std::string& stem : queued)
            ASSERT_TRUE(inFile.count(stem) || onRouter(stem) > 0)
                << stem << " was lost in round " << rounds;
    }
    EXPECT_GE(kills, kKills);
    std::cout << "[ crash    ] " << kills << " kills in " << rounds << " rounds, " << queued.size()
              << " files queued, " << clock.elapsed() << " ms\n";

    clock.restart();
    const FvctlResult last = run({"queue", "--send"});
    // 7: a file whose sender was killed after the router took it is answered "exists".
    EXPECT_TRUE(last.exitCode == 0 || last.exitCode == 7)
        << last.exitCode << last.out.toStdString() << last.err.toStdString();
    std::cout << "[ crash    ] the closing send took " << clock.elapsed() << " ms\n";
    for (const UploadQueueEntry& e : queueEntries())
        EXPECT_FALSE(e.isWaiting()) << e.FileName.toStdString();
    int onBoard = 0;
    for (const std::string& stem : queued) {
        EXPECT_EQ(onRouter(stem), 1) << stem;
        onBoard += onRouter(stem);
    }
    // A sender killed between the router's answer and its own note of it sends that file
    // once more (the router answers that it has it); nothing else is sent twice.
    EXPECT_LE(uploadPosts(), onBoard + senderKills);
}

// A sender killed between creating a lock and writing its holder into it leaves an empty lock
// file; the next send clears it instead of waiting for it forever (found by the test above: its
// closing send hung, at first on old ones, later on one the last round had just left).
TEST_F(FvctlCrash, EmptyLockFilesOfAKilledSenderDoNotStopTheNextSend) {
    const struct {
        const char* label;
        std::vector<const char*> locks;
        int ageSeconds;
    } cases[] = {
        {"left a minute ago", {"FVTask.xml.send.lock", "FVTask.xml.send", "FVTask.xml.lock"}, 60},
        {"fvctl's locks left just now", {"FVTask.xml.send.lock", "FVTask.xml.lock"}, 0},
        {"the window's send lock left just now", {"FVTask.xml.send"}, 0},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string first = "first" + std::to_string(n),
                          second = "second" + std::to_string(n);
        ++n;
        ASSERT_EQ(run({"add", queuedTorrent(first)}).exitCode, 0);
        refuse(true);
        EXPECT_EQ(run({"add", queuedTorrent(second)}).exitCode, 3);  // stays queued
        refuse(false);
        for (const char* lock : c.locks) {
            QFile f(dataFile(lock));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-c.ageSeconds),
                                      QFileDevice::FileModificationTime));
        }
        auto send = start({"queue", "--send"});
        ASSERT_TRUE(send->waitForFinished(15000)) << "the send waited for a lock nobody holds";
        EXPECT_EQ(send->exitCode(), 0) << send->readAllStandardOutput().toStdString();
        EXPECT_EQ(onRouter(second), 1);
        EXPECT_TRUE(queueEntries().empty());
    }
}

}  // namespace
}  // namespace fv::test

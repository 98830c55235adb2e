// fvctl add, queue and torrent against the simulated router: the selection rules, the
// router's answers, the queue left for a later send, and several programs adding at once
// while the window's queue keeps saving the same file.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <algorithm>
#include <optional>

#include "FvctlFixture.h"
#include "platform/FormState.h"
#include "platform/Timer.h"
#include "router/RouterContext.h"
#include "router/SettingsRecords.h"
#include "upload/FileUpload.h"
#include "upload/TaskFile.h"
#include "upload/UploadQueue.h"

namespace fv::test {
namespace {

using routersim::Listener;

class FvctlAdd : public FvctlFixture {
  protected:
    QString torrent(const std::string& name, const std::vector<std::string>& files) {
        // The router names a multi-file task after the torrent's "name", the file's stem here.
        const std::string stem = name.substr(0, name.rfind('.'));
        return writeFile(QString::fromStdString(name), torrentBytes(stem, files));
    }
    std::optional<routersim::Task> routerTask(const std::string& name) const {
        for (const auto& t : sim->board().tasks())
            if (t.name == name)
                return t;
        return std::nullopt;
    }
};

TEST_F(FvctlAdd, ChoiceFollowsTheSelectionWindow) {
    const std::vector<std::string> media = {"a.txt", "film.mkv", "notes.nfo", "song.mp3"};
    const struct {
        const char* what;
        std::string name;
        std::vector<std::string> files;
        QStringList extra;
        QString checked;  // in the queue file and in the router's selection
    } cases[] = {
        {"media preselected", "m1", media, {}, "1,3"},
        {"explicit ids", "m2", media, {"--files", "0, 2"}, "0,2"},
        {"all by name", "m3", media, {"--files", "ALL"}, "All"},
        {"every id is all", "m4", media, {"--files", "3,2,1,0"}, "All"},
        {"single file without media", "s1", {"readme.txt"}, {}, "All"},
    };
    for (const auto& c : cases) {
        const QString path = torrent(c.name + ".torrent", c.files);
        const FvctlResult r = run(QStringList{"add", path} + c.extra);
        EXPECT_EQ(r.exitCode, 0) << c.what << ": " << r.out.toStdString() << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(QString::fromStdString(c.name) + ".torrent: done")) << c.what;
        // What the router took leaves the queue file, as the window's tick drops it.
        EXPECT_TRUE(queueEntries().empty()) << c.what;
        EXPECT_TRUE(r.out.contains(QStringLiteral("queued (%1)").arg(c.checked))) << c.what;
        const std::string routerName = c.files.size() == 1 ? c.files[0] : c.name;
        const auto task = routerTask(routerName);
        ASSERT_TRUE(task.has_value()) << c.what;
        EXPECT_EQ(task->selection, c.checked.toStdString()) << c.what;
    }
}

TEST_F(FvctlAdd, NzbGoesAsOneEntryWithAll) {
    const QString path = writeFile("show.nzb",
                                   "<?xml version=\"1.0\"?><nzb><file subject=\"show\"><segments>"
                                   "<segment bytes=\"500\" number=\"1\">a@b</segment></segments>"
                                   "</file></nzb>");
    const FvctlResult r = run({"add", path});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("show.nzb: queued (All)")) << r.out.toStdString();
    EXPECT_TRUE(queueEntries().empty());
    const auto tasks = sim->board().tasks();
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(tasks[0].type, "NZB");
}

TEST_F(FvctlAdd, RefusedInputQueuesNothing) {
    const QString media = torrent("m.torrent", {"x.txt", "y.mkv"});
    const QString plain = torrent("p.torrent", {"x.txt", "y.txt"});
    const QString broken = writeFile("broken.torrent", "d8:announce");
    const struct {
        const char* what;
        QStringList args;
        int exitCode;
        const char* message;
    } cases[] = {
        {"unknown id", {"add", media, "--files", "0,5"}, 2, "ID 5"},
        {"bad list", {"add", media, "--files", "1,,2"}, 1, "--files"},
        {"negative id", {"add", media, "--files", "-1"}, 1, "--files"},
        {"nothing preselected", {"add", plain}, 2, "no file of the torrent is chosen"},
        {"damaged torrent", {"add", broken}, 2, "Wrong Format of Bt File."},
        {"missing file", {"add", media + ".gone"}, 2, "no such file"},
    };
    for (const auto& c : cases) {
        const FvctlResult r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.what;
        EXPECT_TRUE(r.err.contains(c.message)) << c.what << ": " << r.err.toStdString();
    }
    EXPECT_TRUE(queueEntries().empty());
    EXPECT_TRUE(sim->board().tasks().empty());
}

TEST_F(FvctlAdd, RouterAnswersDecideWordAndExitCode) {
    const struct {
        const char* what;
        std::string answerWord;  // empty: the router's own answer
        bool addTwice;
        int exitCode;
        const char* word;
        bool leavesQueue;
    } cases[] = {
        {"taken", "", false, 0, "done", true},
        {"already there", "", true, 7, "already exists", true},
        {"disk full", "DISK_FULL", false, 8, "full", false},
        {"task list full", "LIGHT_FULL", false, 8, "full", false},
        {"unreadable upload", "ACK_FAIL", false, 9, "failed", false},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string name = "answer" + std::to_string(n++);
        const QString path = torrent(name + ".torrent", {"a.mkv", "b.mkv"});
        if (c.addTwice) {
            ASSERT_EQ(run({"add", path}).exitCode, 0) << c.what;
        }
        sim->clearFaults();
        if (!c.answerWord.empty()) {
            routersim::Faults f;
            f.answerWord = c.answerWord;
            sim->faults(Listener::Service).set(f);
        }
        const FvctlResult r = run({"add", path});
        sim->clearFaults();
        EXPECT_EQ(r.exitCode, c.exitCode) << c.what << ": " << r.out.toStdString();
        EXPECT_TRUE(r.out.contains(QString::fromStdString(name) + ".torrent: " + c.word)) << c.what;
        const auto entries = queueEntries();
        if (c.leavesQueue) {
            EXPECT_TRUE(entries.empty()) << c.what;
        } else {
            ASSERT_EQ(entries.size(), 1u) << c.what;
            EXPECT_TRUE(entries.back().isWaiting()) << c.what;
        }
        // A file the router did not take waits for the next send; clear it for the next case.
        if (!c.leavesQueue) {
            ASSERT_TRUE(TaskFile(dataFile("FVTask.xml")).save({}));
        }
    }
}

TEST_F(FvctlAdd, AddedWhileOfflineIsSentLater) {
    refuse(true);
    const QString first = torrent("first.torrent", {"a.mkv", "b.txt"});
    const FvctlResult offline = run({"add", first});
    EXPECT_EQ(offline.exitCode, 3) << offline.out.toStdString();
    EXPECT_TRUE(offline.out.contains("first.torrent: cannot connect")) << offline.out.toStdString();
    EXPECT_TRUE(offline.out.contains("still queued")) << offline.out.toStdString();
    ASSERT_EQ(queueEntries().size(), 1u);
    EXPECT_TRUE(queueEntries()[0].isWaiting());

    const FvctlResult listed = run({"queue"});
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_TRUE(listed.out.contains("in progress")) << listed.out.toStdString();
    EXPECT_TRUE(listed.out.contains(first)) << listed.out.toStdString();

    // The next add sends the older entry first, then its own.
    refuse(false);
    const QString second = torrent("second.torrent", {"c.avi"});
    const FvctlResult online = run({"add", second});
    EXPECT_EQ(online.exitCode, 0) << online.out.toStdString();
    const qsizetype a = online.out.indexOf("first.torrent: done");
    const qsizetype b = online.out.indexOf("second.torrent: done");
    EXPECT_GE(a, 0) << online.out.toStdString();
    EXPECT_GT(b, a) << online.out.toStdString();
    EXPECT_TRUE(queueEntries().empty());
    EXPECT_TRUE(routerTask("first").has_value());
    EXPECT_EQ(routerTask("first")->selection, "0");
}

TEST_F(FvctlAdd, QueueSendEmptiesWhatWaits) {
    refuse(true);
    for (const char* name : {"q1", "q2"})
        EXPECT_EQ(
            run({"add", torrent(std::string(name) + ".torrent", {std::string(name) + ".mp4"})})
                .exitCode,
            3);
    refuse(false);
    const FvctlResult r = run({"queue", "--send", "--json"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const qsizetype json = r.out.indexOf('{');
    ASSERT_GE(json, 0) << r.out.toStdString();
    EXPECT_TRUE(r.out.left(json).contains("q1.torrent: done"));
    EXPECT_TRUE(r.out.left(json).contains("q2.torrent: done"));
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.mid(json).toUtf8());
    EXPECT_TRUE(doc["queue"].toArray().isEmpty()) << r.out.toStdString();
    EXPECT_TRUE(queueEntries().empty());
    EXPECT_EQ(sim->board().tasks().size(), 2u);
}

// While the window sends (it holds the queue's send lock), fvctl says so instead of calling
// the router offline, and leaves its file queued for the window.
TEST_F(FvctlAdd, AnotherSenderBusyIsSaidAndTheFileStaysQueued) {
    QLockFile windowSending(dataFile("FVTask.xml") + ".send");
    ASSERT_TRUE(windowSending.tryLock(0));
    const FvctlResult r = run({"add", torrent("b.torrent", {"b.mkv"})});
    EXPECT_EQ(r.exitCode, 11) << r.out.toStdString() << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("another process is sending the queue")) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains("cannot connect")) << r.out.toStdString();
    const auto entries = queueEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].isWaiting());
    EXPECT_TRUE(sim->board().tasks().empty());
}

// An entry fvctl left queued while the router was off is sent by the window's own queue.
TEST_F(FvctlAdd, WindowSendsWhatFvctlQueued) {
    refuse(true);
    ASSERT_EQ(run({"add", torrent("w.torrent", {"w.mkv", "w.txt"})}).exitCode, 3);
    refuse(false);

    SettingsRecords records;
    ConnectionProfile conn;
    conn.ServerAddress = "127.0.0.1";
    conn.ServerPort = QString::number(sim->port(Listener::Service));
    conn.UserName = kUser;
    conn.Password = kPassword;
    records.setConnection(conn);
    const RouterContext ctx(records);
    FormState form;
    ManualTimer send, update, countDown;
    std::vector<int> codes;
    UploadQueue window(form, {&send, &update, &countDown},
                       [&](const UploadTransfer& info, UploadQueue::Done done) {
                           FileUpload::Options o = FileUpload::defaultOptions();
                           o.tempFolder = dataFile(QString());
                           codes.push_back(FileUpload(ctx, conn, o).execute(info));
                           done(codes.back());
                       });
    window.openTaskFile(dataFile("FVTask.xml"));
    window.onSendTick();
    EXPECT_EQ(codes, std::vector<int>{0});
    ASSERT_TRUE(routerTask("w").has_value());
    EXPECT_EQ(routerTask("w")->selection, "0");
    ASSERT_EQ(queueEntries().size(), 1u);
    EXPECT_TRUE(queueEntries()[0].isDone());
}

// A file the router cannot read holds up the queue until it is deleted.
TEST_F(FvctlAdd, RemovingTheStuckHeadLetsTheQueueMove) {
    // The client's reader finds a file in it; the router's full parse does not.
    const QString stuck = writeFile("stuck.torrent", "d4:infod6:lengthi10e4:name5:s.mkv");
    ASSERT_EQ(run({"add", stuck}).exitCode, 9);
    const FvctlResult blocked = run({"add", torrent("next.torrent", {"n.mkv"})});
    EXPECT_EQ(blocked.exitCode, 9) << blocked.out.toStdString();
    EXPECT_TRUE(blocked.out.contains("next.torrent: not sent yet")) << blocked.out.toStdString();

    const struct {
        QStringList args;
        int exitCode;
    } refused[] = {{{"queue", "--remove", "7"}, 2},
                   {{"queue", "--remove", "x"}, 2},
                   {{"queue", "--remove", "-1"}, 2}};
    for (const auto& c : refused)
        EXPECT_EQ(run(c.args).exitCode, c.exitCode) << c.args.join(' ').toStdString();
    ASSERT_EQ(queueEntries().size(), 2u);

    const FvctlResult removed = run({"queue", "--remove", "0"});
    EXPECT_EQ(removed.exitCode, 0) << removed.err.toStdString();
    const auto entries = queueEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].FileName, "next.torrent");
    EXPECT_TRUE(removed.out.contains("next.torrent")) << removed.out.toStdString();
    EXPECT_FALSE(removed.out.contains("stuck.torrent")) << removed.out.toStdString();
    EXPECT_EQ(run({"queue", "--send"}).exitCode, 0);
    EXPECT_TRUE(routerTask("n.mkv").has_value());
}

TEST_F(FvctlAdd, QueuedFileThatVanishedIsNamedAsSuch) {
    const QString path = torrent("gone.torrent", {"g.mkv"});
    refuse(true);
    ASSERT_EQ(run({"add", path}).exitCode, 3);
    refuse(false);
    ASSERT_TRUE(QFile::remove(path));
    const FvctlResult r = run({"queue", "--send"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.contains("gone.torrent: file is missing")) << r.out.toStdString();
    EXPECT_EQ(queueEntries().size(), 1u);  // kept until the user deletes it
}

TEST_F(FvctlAdd, DamagedQueueFileIsReportedAndKept) {
    const QByteArray junk = "<root><Column><FileName>half";
    QFile f(dataFile("FVTask.xml"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(junk);
    f.close();
    const FvctlResult r = run({"queue"});
    EXPECT_EQ(r.exitCode, 10);
    EXPECT_TRUE(r.err.contains("cannot be read")) << r.err.toStdString();
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), junk);
}

TEST_F(FvctlAdd, TorrentListsFilesAsTheWindowDoes) {
    const QString path = torrent("list.torrent", {"a.txt", "film.mkv"});
    const FvctlResult r = run({"torrent", path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << r.out.toStdString();
    EXPECT_EQ(lines[0], "list.torrent");
    EXPECT_EQ(lines[2].split(' ', Qt::SkipEmptyParts), (QStringList{"0", "1000B", "a.txt"}));
    EXPECT_EQ(lines[3].split(' ', Qt::SkipEmptyParts),
              (QStringList{"*", "1", "1000B", "film.mkv"}));
    EXPECT_EQ(lines[4], "Default choice: 1");

    const FvctlResult broken = run({"torrent", writeFile("bad.torrent", "garbage!garbage!")});
    EXPECT_EQ(broken.exitCode, 2);
    EXPECT_TRUE(broken.err.contains("bad.torrent - Wrong Format of Bt File."))
        << broken.err.toStdString();
    EXPECT_TRUE(queueEntries().empty());
}

// Several fvctl add at once while the window's list-update tick reloads the same file and
// drops what is done: the file always parses, every program reports success, every file
// reaches the router exactly once and nothing is left waiting.
TEST_F(FvctlAdd, ConcurrentAddsLoseNothing) {
    constexpr int kProcesses = 6;
    FormState form;
    ManualTimer send, update, countDown;
    UploadQueue window(form, {&send, &update, &countDown},
                       [](const UploadTransfer&, UploadQueue::Done) {});
    window.openTaskFile(dataFile("FVTask.xml"));

    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 0; i < kProcesses; ++i) {
        const std::string name = "c" + std::to_string(i);
        processes.push_back(start({"add", torrent(name + ".torrent", {name + ".mkv"})}));
    }
    auto running = [&] {
        return std::any_of(processes.begin(), processes.end(),
                           [](const auto& p) { return p->state() != QProcess::NotRunning; });
    };
    QElapsedTimer clock;
    clock.start();
    int ticks = 0;
    while (running() && clock.elapsed() < 60000) {
        window.onListTick();
        ++ticks;
        std::vector<UploadQueueEntry> onDisk;
        if (QFile::exists(dataFile("FVTask.xml"))) {
            ASSERT_EQ(TaskFile(dataFile("FVTask.xml")).load(&onDisk), TaskFile::LoadResult::Loaded);
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    EXPECT_GT(ticks, 0);
    for (auto& p : processes) {
        const FvctlResult r = finish(*p);
        EXPECT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
    }
    for (const auto& e : queueEntries())
        EXPECT_FALSE(e.isWaiting()) << e.FileName.toStdString();
    const auto tasks = sim->board().tasks();
    EXPECT_EQ(tasks.size(), size_t(kProcesses));
    for (int i = 0; i < kProcesses; ++i) {
        const std::string name = "c" + std::to_string(i) + ".mkv";
        EXPECT_EQ(std::count_if(tasks.begin(), tasks.end(),
                                [&](const routersim::Task& t) { return t.name == name; }),
                  1)
            << name;
    }
}

// Without the window, every entry is sent exactly once and the queue file ends empty
// instead of collecting done entries.
TEST_F(FvctlAdd, ConcurrentAddsKeepEveryEntry) {
    constexpr int kProcesses = 6;
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 0; i < kProcesses; ++i) {
        const std::string name = "k" + std::to_string(i);
        processes.push_back(start({"add", torrent(name + ".torrent", {name + ".avi"})}));
    }
    for (auto& p : processes)
        EXPECT_EQ(finish(*p).exitCode, 0);
    EXPECT_TRUE(queueEntries().empty());
    const auto tasks = sim->board().tasks();
    EXPECT_EQ(tasks.size(), size_t(kProcesses));
    for (int i = 0; i < kProcesses; ++i) {
        const std::string name = "k" + std::to_string(i) + ".avi";
        EXPECT_EQ(std::count_if(tasks.begin(), tasks.end(),
                                [&](const routersim::Task& t) { return t.name == name; }),
                  1)
            << name;
    }
    // Senders take turns, so no file went out twice.
    const auto requests = sim->requests();
    EXPECT_EQ(std::count_if(requests.begin(), requests.end(),
                            [](const routersim::Request& r) {
                                return r.method == "POST" &&
                                       r.target.find("fv_uploadbt.cgi") != std::string::npos;
                            }),
              kProcesses);
}

}  // namespace
}  // namespace fv::test

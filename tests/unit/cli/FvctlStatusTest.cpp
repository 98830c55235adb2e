// fvctl status, the task commands, the connection test and the command line itself, run as a
// program against the simulated router.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <csignal>

#include "FvctlFixture.h"
#include "upload/TaskFile.h"

namespace fv::test {
namespace {

using routersim::Listener;
using routersim::Task;

class FvctlStatus : public FvctlFixture {
  protected:
    void SetUp() override {
        FvctlFixture::SetUp();
        Task a;
        a.id = "7";
        a.name = "ubuntu.iso";
        a.sizeBytes = 4096;
        a.doneBytes = 1024;
        sim->board().add(a);
        Task b;
        b.id = "9";
        b.name = "news.nzb";
        b.type = "NZB";
        b.status = "Paused";
        sim->board().add(b);
        ASSERT_TRUE(
            TaskFile(dataFile("FVTask.xml"))
                .save({{"later.torrent", UploadQueueEntry::kWaiting, "All", "/x/later.torrent"}}));
    }
};

TEST_F(FvctlStatus, ListsRouterTasksThenQueuedFiles) {
    const FvctlResult r = run({"status"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << r.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith("ID")) << lines[0].toStdString();
    const struct {
        int line;
        QStringList words;
    } expected[] = {
        {1, {"7", "ubuntu.iso", "BT", "Downloading"}},
        {2, {"9", "news.nzb", "NZB", "Paused"}},
        {3, {"-", "later.torrent", "BT", "0%", "in progress"}},
    };
    for (const auto& e : expected) {
        for (const QString& w : e.words)
            EXPECT_TRUE(lines[e.line].contains(QStringLiteral("  ") + w + QStringLiteral("  ")) ||
                        lines[e.line].startsWith(w + QStringLiteral("  ")) ||
                        lines[e.line].endsWith(QStringLiteral("  ") + w))
                << lines[e.line].toStdString() << " lacks " << w.toStdString();
    }
}

TEST_F(FvctlStatus, JsonHoldsEveryRowInListOrder) {
    const FvctlResult r = run({"status", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    EXPECT_TRUE(doc["online"].toBool());
    const QJsonArray tasks = doc["tasks"].toArray();
    ASSERT_EQ(tasks.size(), 3);
    EXPECT_EQ(tasks[0]["id"].toString(), "7");
    EXPECT_EQ(tasks[0]["name"].toString(), "ubuntu.iso");
    EXPECT_EQ(tasks[0]["progress"].toString(), "25%");
    EXPECT_EQ(tasks[1]["type"].toString(), "NZB");
    EXPECT_FALSE(tasks[1]["queued"].toBool());
    EXPECT_TRUE(tasks[2]["queued"].toBool());
    EXPECT_TRUE(tasks[2]["id"].isNull());
    EXPECT_EQ(tasks[2]["name"].toString(), "later.torrent");
}

// Each way the router can fail to answer gives its own message and exit code, in text and in
// JSON alike.
TEST_F(FvctlStatus, RouterFailuresAreToldApart) {
    const struct {
        const char* what;
        std::function<void(FvctlFixture&)> arrange;
        int exitCode;
        const char* message;
    } cases[] = {
        {"refused", [this](FvctlFixture&) { refuse(true); }, 4, "refused"},
        {"wrong password", [this](FvctlFixture&) { writeSettings(kUser, "wrong"); }, 5,
         "Invalid username or password"},
        {"other user", [this](FvctlFixture&) { sim->auth().setOtherUserLoggedIn(true); }, 6,
         "login by another user"},
        {"no answer in time",
         [this](FvctlFixture&) {
             routersim::Faults f;
             f.delayMs = 4500;  // beyond the fetch's 4 s time-out
             f.onlyTarget = "fv_print_status.cgi";
             sim->faults(Listener::Service).set(f);
         },
         3, "offline"},
        {"not a report",
         [this](FvctlFixture&) {
             sim->faults(Listener::Service).set(routersim::Faults::xmlPage());
         },
         3, "not a task report"},
        {"no settings file", [this](FvctlFixture&) { QFile::remove(dataFile("FVSetup.xml")); }, 10,
         "connection settings"},
        {"damaged settings file",
         [this](FvctlFixture&) {
             QFile f(dataFile("FVSetup.xml"));
             ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
             f.write("<root><ConColumn><Port>80");
         },
         10, "cannot be read"},
    };
    for (const auto& c : cases) {
        sim->clearFaults();
        refuse(false);
        sim->auth().setOtherUserLoggedIn(false);
        writeSettings(kUser, kPassword);
        c.arrange(*this);
        const FvctlResult text = run({"status"});
        EXPECT_EQ(text.exitCode, c.exitCode) << c.what;
        EXPECT_TRUE(text.err.contains(c.message)) << c.what << ": " << text.err.toStdString();
        EXPECT_TRUE(text.out.isEmpty()) << c.what;
        const FvctlResult json = run({"status", "--json"});
        EXPECT_EQ(json.exitCode, c.exitCode) << c.what;
        const QJsonDocument doc = QJsonDocument::fromJson(json.out.toUtf8());
        ASSERT_TRUE(doc.isObject()) << c.what << ": " << json.out.toStdString();
        EXPECT_FALSE(doc["online"].toBool()) << c.what;
        EXPECT_TRUE(doc["error"].toString().contains(c.message)) << c.what;
    }
    // The damaged file (the last case) is left as it was for the user to repair.
    QFile settings(dataFile("FVSetup.xml"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_EQ(settings.readAll(), "<root><ConColumn><Port>80");
}

TEST_F(FvctlStatus, CommandsSendTheButtonsQueryTexts) {
    const struct {
        QStringList args;
        std::string query;  // the control request's target up to the cache breaker
        const char* printed;
        const char* statusOf7;  // what the router then reports for task 7
    } cases[] = {
        {{"pause", "7"}, "fv_ctrl=paused&task_id=7&download_type=BT", "\"Pause\" Sent", "Paused"},
        {{"resume", "7"},
         "fv_ctrl=start&task_id=7&download_type=BT",
         "\"Resume\" Sent",
         "Downloading"},
        {{"remove", "9"},
         "fv_ctrl=cancel&task_id=9&download_type=NZB",
         "\"Remove\" Sent",
         "Downloading"},
        {{"pause-all"}, "fv_ctrl=pause_all&download_type=ALL", "\"Pause All\" Sent", "Paused"},
        {{"resume-all"},
         "fv_ctrl=start_all&download_type=ALL",
         "\"Resume All\" Sent",
         "Downloading"},
        {{"clear"}, "fv_ctrl=clear&download_type=All", "\"Clear Complete\" Sent", "Downloading"},
    };
    for (const auto& c : cases) {
        sim->clearRequests();
        const FvctlResult r = run(c.args);
        EXPECT_EQ(r.exitCode, 0) << c.args.join(' ').toStdString() << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(c.printed)) << r.out.toStdString();
        const auto targets = controlTargets();
        ASSERT_EQ(targets.size(), 1u) << c.args.join(' ').toStdString();
        const std::string prefix =
            "//ferrovane//fv_apply.cgi?action_mode=FV_CTRL&" + c.query + "&t=";
        EXPECT_EQ(targets[0].substr(0, prefix.size()), prefix);
        EXPECT_EQ(targets[0].size(), prefix.size() + 1) << targets[0];
        ASSERT_TRUE(sim->board().find("7").has_value());
        EXPECT_EQ(sim->board().find("7")->status, c.statusOf7) << c.args.join(' ').toStdString();
    }
    EXPECT_FALSE(sim->board().find("9").has_value());
}

// The list finds a task again by its ID whatever the case; fvctl does the same and sends
// the router's own spelling.
TEST_F(FvctlStatus, TaskIdsMatchWhateverTheirCase) {
    Task c;
    c.id = "Ab3";
    c.name = "mixed.iso";
    sim->board().add(c);
    const FvctlResult r = run({"pause", "aB3"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const auto targets = controlTargets();
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_NE(targets[0].find("fv_ctrl=paused&task_id=Ab3&"), std::string::npos) << targets[0];
}

// The time left: an estimate for a task that receives, "∞" for one that stalls, nothing for
// a queued file; JSON gives the seconds only for an estimate.
TEST_F(FvctlStatus, TimeLeftColumn) {
    Task c;
    c.id = "11";
    c.name = "half.iso";
    c.sizeBytes = 2 << 20;
    c.doneBytes = 1 << 20;
    c.downBytesPerSec = 1024;  // 1 MB left at 1 KB/s
    sim->board().add(c);
    const FvctlResult r = run({"status"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << r.out.toStdString();
    EXPECT_TRUE(lines[0].trimmed().endsWith("Left")) << lines[0].toStdString();
    const struct {
        int line;
        const char* id;
        const char* left;
    } expected[] = {{1, "7", "\u221e"}, {3, "11", "17:04"}, {4, "-", ""}};
    for (const auto& e : expected) {
        EXPECT_TRUE(lines[e.line].startsWith(QString::fromUtf8(e.id) + " ")) << e.id;
        EXPECT_TRUE(lines[e.line].trimmed().endsWith(QString::fromUtf8(e.left)))
            << lines[e.line].toStdString();
    }
    EXPECT_TRUE(lines[4].endsWith("in progress"))
        << "a queued file has no estimate, and its empty cells leave no padding behind: ["
        << lines[4].toStdString() << "]";

    const FvctlResult j = run({"status", "--json"});
    const QJsonArray tasks = QJsonDocument::fromJson(j.out.toUtf8())["tasks"].toArray();
    ASSERT_EQ(tasks.size(), 4) << j.out.toStdString();
    EXPECT_EQ(tasks[0]["timeLeft"].toString(), QString::fromUtf8("\u221e"));
    EXPECT_TRUE(tasks[0]["secondsLeft"].isNull());
    EXPECT_EQ(tasks[2]["timeLeft"].toString(), "17:04");
    EXPECT_EQ(tasks[2]["secondsLeft"].toInt(), 1024);
    EXPECT_EQ(tasks[3]["timeLeft"].toString(), "");
}

// --watch reads and prints the list again each interval until it is interrupted, and ends
// normally then.
TEST_F(FvctlStatus, WatchRedrawsUntilInterrupted) {
    auto process = start({"status", "--watch", "--interval", "1"});
    QByteArray out;
    const bool redrawn = QTest::qWaitFor(
        [&] {
            out += process->readAllStandardOutput();
            return out.count("Progress") >= 2;
        },
        10000);
    ASSERT_TRUE(redrawn) << out.toStdString();
    size_t reads = 0;
    for (const auto& req : sim->requests())
        reads += req.target.find("fv_print_status.cgi") != std::string::npos ? 1 : 0;
    EXPECT_GE(reads, 2u);
    ::kill(static_cast<pid_t>(process->processId()), SIGINT);
    ASSERT_TRUE(process->waitForFinished(5000)) << "Ctrl+C ends the watch";
    EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process->exitCode(), 0);

    for (const QStringList& args : {QStringList{"status", "--interval", "2"},
                                    QStringList{"status", "--watch", "--interval", "0"},
                                    QStringList{"status", "--watch", "--interval", "x"}}) {
        const FvctlResult r = run(args);
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("--interval")) << r.err.toStdString();
    }
}

// One task with a progress that is not a number is listed blank; the tasks after it stay.
TEST_F(FvctlStatus, BrokenProgressDoesNotEndTheList) {
    routersim::Faults f;
    f.reportLine =
        R"(,["5","broken.iso","n/a","1 GB","Downloading","BT","6","0 KBps","0 KBps","9","10","11","12"])";
    sim->faults(Listener::Service).set(f);
    const FvctlResult r = run({"status", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(r.out.toUtf8())["tasks"].toArray();
    QStringList names;
    for (const auto& row : rows)
        names << row.toObject()["name"].toString();
    EXPECT_EQ(names, (QStringList{"ubuntu.iso", "broken.iso", "news.nzb", "later.torrent"}))
        << r.out.toStdString();
    EXPECT_TRUE(r.err.contains("task 5 reports a progress that is not a number"))
        << r.err.toStdString();
}

TEST_F(FvctlStatus, UnknownIdOrDeadRouterSendsNoCommand) {
    const struct {
        const char* what;
        QStringList args;
        bool refuse;
        int exitCode;
    } cases[] = {
        {"unknown id", {"pause", "8"}, false, 2},
        {"queued row is not a router task", {"remove", "zzz999"}, false, 2},
        {"router refuses", {"resume", "7"}, true, 4},
    };
    for (const auto& c : cases) {
        sim->clearRequests();
        refuse(c.refuse);
        const FvctlResult r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.what << r.err.toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << c.what;
        EXPECT_TRUE(controlTargets().empty()) << c.what;
    }
    EXPECT_EQ(sim->board().find("7")->status, "Downloading");
}

TEST_F(FvctlStatus, ConnectionTestPrintsThePagesOutcome) {
    const struct {
        const char* what;
        std::function<void()> arrange;
        int exitCode;
        const char* outcome;
    } cases[] = {
        {"success", [] {}, 0, "The Connection is successful"},
        {"wrong password", [this] { writeSettings(kUser, "nope"); }, 5,
         "Invalid username or password"},
        {"other user", [this] { sim->auth().setOtherUserLoggedIn(true); }, 6,
         "Server is connected, but is login by another user"},
        {"refused", [this] { refuse(true); }, 3, "The connection is fail"},
    };
    for (const auto& c : cases) {
        sim->clearFaults();
        refuse(false);
        sim->auth().setOtherUserLoggedIn(false);
        writeSettings(kUser, kPassword);
        c.arrange();
        const FvctlResult r = run({"test"});
        EXPECT_EQ(r.exitCode, c.exitCode)
            << c.what << ": " << r.out.toStdString() << r.err.toStdString();
        EXPECT_TRUE((r.out + r.err).contains(c.outcome)) << c.what << ": " << r.out.toStdString();
    }
}

// With the debug log on, the account's password appears in no form on any output.
TEST_F(FvctlStatus, DebugLogNeverShowsThePassword) {
    debugLog = true;
    ASSERT_TRUE(TaskFile(dataFile("FVTask.xml")).save({}));
    const QString file = writeFile("log.torrent", torrentBytes("log", {"log.mkv"}));
    const QByteArray password(kPassword);
    const QList<QByteArray> forms = {
        password, password.toBase64(), password.toBase64().toPercentEncoding(),
        (QByteArray(kUser) + ":" + password).toBase64(),
        (QByteArray(kUser).toBase64() + ":" + password.toBase64()).toBase64()};
    for (const QStringList& args : {QStringList{"status"}, QStringList{"test"},
                                    QStringList{"pause", "7"}, QStringList{"add", file}}) {
        const FvctlResult r = run(args);
        EXPECT_EQ(r.exitCode, 0) << args.join(' ').toStdString() << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("==FV2.2== ")) << args.join(' ').toStdString();
        for (const QByteArray& form : forms)
            EXPECT_FALSE((r.out + r.err).contains(QString::fromLatin1(form)))
                << args.join(' ').toStdString() << " shows " << form.toStdString();
    }
}

// Control characters in a task name from the router do not reach the terminal.
TEST_F(FvctlStatus, TaskNamesCannotSteerTheTerminal) {
    Task evil;
    evil.id = "66";
    evil.name = "evil\x1b[2J\x07name";
    sim->board().add(evil);
    const FvctlResult r = run({"status"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("evil [2J name")) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains(QChar(0x1b)));
    EXPECT_FALSE(r.out.contains(QChar(0x07)));
    const FvctlResult json = run({"status", "--json"});
    const QJsonArray tasks = QJsonDocument::fromJson(json.out.toUtf8())["tasks"].toArray();
    ASSERT_EQ(tasks.size(), 4);
    EXPECT_EQ(tasks[2]["name"].toString(), QString::fromUtf8("evil\x1b[2J\x07name"));
}

TEST_F(FvctlStatus, MessagesFollowTheLanguage) {
    writeFile("FV2Lang.ini",
              "[ENGLISH]\nFormSetupMsg3=Connected\n[GERMAN]\r\nFormSetupMsg3=Verbindung steht\r\n");
    const struct {
        const char* language;
        const char* outcome;
    } cases[] = {
        {"German", "Verbindung steht"}, {"english", "Connected"}, {"Klingon", "Connected"}};
    for (const auto& c : cases) {
        language = c.language;
        const FvctlResult r = run({"test"});
        EXPECT_EQ(r.exitCode, 0) << c.language;
        EXPECT_EQ(r.out.trimmed(), c.outcome) << c.language;
    }
}

TEST_F(FvctlStatus, CommandLineMistakesAndHelp) {
    const struct {
        QStringList args;
        int exitCode;
        const char* text;  // in stdout or stderr
    } cases[] = {
        {{}, 1, "Usage: fvctl COMMAND"},
        {{"--help"}, 0, "Exit codes:"},
        {{"frobnicate"}, 1, "unknown command"},
        {{"pause"}, 1, "takes 1 argument"},
        {{"pause-all", "7"}, 1, "takes 0 argument"},
        {{"status", "--bogus"}, 1, "bogus"},
        {{"add", "--files"}, 1, "files"},
    };
    for (const auto& c : cases) {
        const FvctlResult r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE((r.out + r.err).contains(c.text))
            << c.args.join(' ').toStdString() << ": " << (r.out + r.err).toStdString();
    }
    for (const char* command : {"status", "pause", "resume", "remove", "pause-all", "resume-all",
                                "clear", "add", "queue", "torrent", "test"}) {
        const FvctlResult r = run({command, "--help"});
        EXPECT_EQ(r.exitCode, 0) << command;
        EXPECT_TRUE(r.out.startsWith(QStringLiteral("Usage: fvctl ") + command))
            << r.out.toStdString();
        EXPECT_TRUE(r.out.contains("Exit codes:")) << command;
    }
    EXPECT_TRUE(controlTargets().empty());
}

}  // namespace
}  // namespace fv::test

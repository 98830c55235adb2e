// Every fault a router can show, end to end: the client's own assembly with real worker
// threads and real HTTP exchanges against the simulated router, the timers fired by hand so
// each tick is counted. For each fault the same rules must hold:
//   - the UI thread is never held: a tick, a send step and every reply come back at once;
//   - online and offline follow the refresh rules: the status stays "Online" through five
//     failed fetches and turns offline on the sixth, the last known tasks stay; a fault the
//     fetch survives keeps it online; the router's return retries the uploads;
//   - the queued file is in FVTask.xml until the router has it, is sent again only while it
//     has not been accepted, and ends on the router exactly once;
//   - no log line shows the password in any of its forms, nor the session cookie.
// While the router stays silent the client's time-outs are cut to an eighth (a transport that
// scales them), so a silent router costs half a second a tick instead of four. Faults the
// router answers at once keep the client's own time-outs: cut ones could expire on a busy
// machine before the request reached the fault, and the row would test nothing.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "RequestRecord.h"
#include "SimConnection.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "TorrentBytes.h"
#include "app/ClientCore.h"
#include "i18n/MessageTexts.h"
#include "platform/DebugLog.h"
#include "platform/HttpClient.h"
#include "router/LoginEncoding.h"
#include "tasks/MainControlNames.h"
#include "tasks/RefreshCycle.h"
#include "upload/FileUpload.h"
#include "upload/TaskFile.h"

namespace fv {
namespace {

using routersim::Faults;
using routersim::Listener;
using routersim::Simulator;

// Holds a "+", a "/" and an "=" in its Base64 and percent forms.
const char* const kPassword = "Pw~>?s3cr\xc3\xa9t";
constexpr int kTimeoutDivisor = 8;
// The longest the UI thread may be held by one call or between two pumps of its events.
constexpr qint64 kHoldLimitMs = 250;

// The real transport with every time-out cut to an eighth once a silent router is in place.
class ShortTimeouts final : public HttpTransport {
  public:
    HttpResponse perform(const HttpRequest& request) override {
        if (!shorten_)
            return real_.perform(request);
        HttpRequest shorter = request;
        shorter.connectTimeoutMs = std::max(100, request.connectTimeoutMs / kTimeoutDivisor);
        shorter.readTimeoutMs = std::max(100, request.readTimeoutMs / kTimeoutDivisor);
        return real_.perform(shorter);
    }
    void shorten() { shorten_ = true; }

  private:
    HttpClient real_;
    std::atomic<bool> shorten_{false};
};

// The production worker threads, counting the jobs whose done has not run yet.
class CountingRunner final : public TaskRunner {
  public:
    explicit CountingRunner(QObject* receiver) : inner_(receiver) {}
    void run(std::function<void()> work, std::function<void()> done) override {
        ++open_;
        inner_.run(std::move(work), [this, done = std::move(done)] {
            if (done)
                done();
            --open_;
        });
    }
    int open() const { return open_; }

  private:
    WorkerThreadRunner inner_;
    int open_ = 0;  // UI thread only
};

// The longest time between two ticks of a 10 ms timer while the test pumps the UI thread's
// events (the test's own waits in between do not count).
class HoldMeter {
  public:
    HoldMeter() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (measuring_)
                longest_ = std::max(longest_, clock_.restart());
        });
        timer_.start();
    }
    void measure(bool on) {
        measuring_ = on;
        clock_.start();
    }
    qint64 longestMs() const { return longest_; }

  private:
    QTimer timer_;
    QElapsedTimer clock_;
    bool measuring_ = false;
    qint64 longest_ = 0;
};

std::string garbage(size_t n) {
    std::string out(n, '\0');
    uint32_t x = 2463534242u;
    for (char& c : out) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x);
    }
    return out;
}

Faults onlyFor(Faults f, const char* target, const char* method = "") {
    f.onlyTarget = target;
    f.onlyMethod = method;
    return f;
}
Faults withStatus(const char* line) {
    Faults f;
    f.statusLine = line;
    return f;
}
Faults withBody(std::string body) {
    Faults f;
    f.replaceBody = true;
    f.body = std::move(body);
    return f;
}
Faults answering(const char* word) {
    Faults f;
    f.answerWord = word;
    return onlyFor(f, "fv_uploadbt", "POST");
}

enum class Upload {
    Accepted,  // the router accepts it while the fault holds
    Answered,  // the fault's answer word tells the client it is done (the router never got it)
    Held,      // it stays queued until the fault is gone
    // The router took it but its answer never arrived: it stays queued, and the try after the
    // fault is answered "exists", which ends it.
    Unanswered,
};

constexpr int kEvery = 6;
// An ended session fails the first fetch, unless that tick's settings read, which runs beside
// the fetch, met the ended session first and dropped it, so the fetch logged in anew.
constexpr int kFirstOrNone = -1;
constexpr int kUnreadable = -1;

struct FaultCase {
    const char* label;
    std::function<void(Simulator&)> apply;
    // How many fetches fail once the fault is set: kEvery while it holds, none, or
    // kFirstOrNone.
    int failingTicks;
    Upload upload;
    // The router's rows a fetch the fault lets through shows beside the queued file once the
    // router has it; kUnreadable: the report cannot be read and shows none.
    int routerRows = 3;
    routersim::AuthMode auth = routersim::AuthMode::Basic;
};

void setFaults(Simulator& sim, const Faults& f) {
    sim.faults(Listener::Service).set(f);
}

const std::vector<FaultCase>& cases() {
    static const std::vector<FaultCase> all = [] {
        std::vector<FaultCase> c = {
            {"refused", [](Simulator& s) { s.faults(Listener::Service).setRefuse(true); }, kEvery,
             Upload::Held},
            {"silent",
             [](Simulator& s) {
                 Faults f;
                 f.delayMs = 2000;
                 setFaults(s, f);
             },
             kEvery, Upload::Held},
            {"slowDrip",
             [](Simulator& s) {
                 Faults f;
                 f.dripChunkBytes = 16;
                 f.dripIntervalMs = 15;
                 setFaults(s, f);
             },
             0, Upload::Accepted},
            {"resetMidBody",
             [](Simulator& s) {
                 Faults f;
                 f.resetMidBody = true;
                 setFaults(s, f);
             },
             kEvery, Upload::Unanswered},
            {"redirect307",
             [](Simulator& s) { setFaults(s, withStatus("HTTP/1.1 307 Temporary Redirect")); },
             kEvery, Upload::Accepted},
            {"moved301", [](Simulator& s) { setFaults(s, withStatus("HTTP/1.1 301 Moved")); },
             kEvery, Upload::Accepted},
            {"unauthorized401",
             [](Simulator& s) { setFaults(s, withStatus("HTTP/1.1 401 Unauthorized")); }, kEvery,
             Upload::Accepted},
            {"busy600", [](Simulator& s) { setFaults(s, withStatus("HTTP/1.1 600 Another User")); },
             kEvery, Upload::Accepted},
            {"otherUserLoggedIn", [](Simulator& s) { s.auth().setOtherUserLoggedIn(true); }, kEvery,
             Upload::Held},
            {"xmlPage",
             [](Simulator& s) { setFaults(s, onlyFor(Faults::xmlPage(), "fv_print_status")); },
             kEvery, Upload::Accepted},
            {"twoHundredTasks",
             [](Simulator& s) {
                 for (int i = 0; i < 197; ++i) {
                     routersim::Task t;
                     t.name = "bulk" + std::to_string(i);
                     s.board().add(t);
                 }
             },
             0, Upload::Accepted, 200},
            {"garbageReport",
             [](Simulator& s) {
                 setFaults(s, onlyFor(withBody(garbage(3000)), "fv_print_status"));
             },
             0, Upload::Accepted, kUnreadable},
            {"garbageEverywhere", [](Simulator& s) { setFaults(s, withBody(garbage(3000))); }, 0,
             Upload::Unanswered, kUnreadable},
            {"oversizedReport",
             [](Simulator& s) {
                 setFaults(s, onlyFor(withBody(std::string(HttpRequest().maxBodyBytes + 1, 'x')),
                                      "fv_print_status"));
             },
             kEvery, Upload::Accepted},
            {"sessionEndsBeforeTheUpload",
             [](Simulator& s) {
                 Faults f;
                 f.expireSessions = true;
                 f.remaining = 1;
                 setFaults(s, onlyFor(f, "fv_uploadbt", "POST"));
             },
             kFirstOrNone, Upload::Held, 3, routersim::AuthMode::Session},
            {"sessionEndsBeforeTheFileChoice",
             [](Simulator& s) {
                 Faults f;
                 f.expireSessions = true;
                 f.remaining = 1;
                 setFaults(s, onlyFor(f, "fv_uploadbt", "GET"));
             },
             kFirstOrNone, Upload::Accepted, 3, routersim::AuthMode::Session},
        };
        const struct {
            const char* word;
            Upload upload;
        } words[] = {
            {"BT_ACK_SUCESS", Upload::Answered},
            {"ACK_SUCESS", Upload::Answered},
            {"BT_EXIST", Upload::Answered},
            {"ACK_FAIL", Upload::Held},
            {"LIGHT_FULL", Upload::Held},
            {"HEAVY_FULL", Upload::Held},
            {"NNTP_FULL", Upload::Held},
            {"TOTAL_FULL", Upload::Held},
            {"DISK_FULL", Upload::Held},
            {"Timeout", Upload::Held},
            {"<html>no word</html>", Upload::Held},
        };
        for (const auto& w : words) {
            const std::string word = w.word;
            c.push_back({w.word, [word](Simulator& s) { setFaults(s, answering(word.c_str())); }, 0,
                         w.upload});
        }
        return c;
    }();
    return all;
}

class FaultRun {
  public:
    explicit FaultRun(const FaultCase& c) : case_(c) {}
    ~FaultRun() {
        core_.reset();  // waits for its workers
        if (sim_)
            sim_->stop();
    }

    void start() {
        routersim::SimulatorConfig config;
        config.password = kPassword;
        config.discovery = false;
        config.authMode = case_.auth;
        sim_ = std::make_unique<Simulator>(config);
        std::string error;
        ASSERT_TRUE(sim_->start(&error)) << error;
        for (int i = 0; i < 3; ++i) {
            routersim::Task t;
            t.name = "task" + std::to_string(i) + ".iso";
            t.sizeBytes = 1000000;
            t.doneBytes = 250000;
            sim_->board().add(t);
        }
        ClientCore::Options o;
        o.makeTimer = [](int ms) { return std::make_unique<ManualTimer>(ms); };
        auto runner = std::make_unique<CountingRunner>(&receiver_);
        runner_ = runner.get();
        o.runner = std::move(runner);
        o.transport = &transport_;
        o.setupFilePath = dir_.file("FVSetup.xml");
        o.transfer = [this](const RouterContext& ctx, const UploadTransfer& info) {
            FileUpload::Options t = FileUpload::defaultOptions();
            t.tempFolder = temp_.path();
            t.sleep = [](int) {};  // the 4 s wait between two tries is not waited here
            return FileUpload(ctx, ctx.records->connection(), t).execute(info);
        };
        core_ = std::make_unique<ClientCore>(std::move(o));
        ConnectionProfile conn = test::connectionTo(*sim_);
        conn.Password = QString::fromUtf8(kPassword);
        conn.RefreshIntervalMs = 5000;
        core_->records().setConnection(conn);
        core_->queue().openTaskFile(dir_.file("FVTask.xml"));
        core_->refresh().show();
    }

    void queueTorrent() {
        const QString path = dir_.file("queued.torrent");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(torrentBytes("queued")));
        f.close();
        // As the selection window's OK does it.
        core_->queueFile("queued.torrent", "All", path);
        core_->confirmQueued();
    }

    void shortenTimeouts() { transport_.shorten(); }
    // One refresh tick and everything it started, up to the list build's end.
    void tick() {
        ManualTimer& refresh = timer(core_->timers().refreshTimer());
        ASSERT_TRUE(refresh.enabled()) << "the previous tick re-armed the timer";
        held([&] { refresh.fire(); }, "the tick");
        pumpUntil([&] { return runner_->open() == 0; }, "the tick's workers");
    }
    // One send step and its transfer, then the list-update tick that clears a done entry.
    void sendStep() {
        ManualTimer& send = timer(core_->timers().sendTimer());
        if (send.enabled()) {
            held([&] { send.fire(); }, "the send step");
            pumpUntil([&] { return !core_->queue().transferInFlight() && runner_->open() == 0; },
                      "the transfer");
        }
        notePosts();
        ManualTimer& update = timer(core_->timers().listUpdateTimer());
        update.setEnabled(true);
        held([&] { update.fire(); }, "the list update");
        notePosts();
    }

    bool online() const {
        return core_->mainForm().text(main_names::ConnectStatus) ==
                   MessageTexts::english()[Msg::FormMainMsg6] &&
               core_->mainForm().visible(main_names::OnlinePicture);
    }
    int routerRows() const {
        int n = 0;
        for (int i = 0; i < core_->model().rowCount(); ++i)
            n += core_->model().row(i).isUploadRow() ? 0 : 1;
        return n;
    }
    std::vector<UploadQueueEntry> onDisk() const {
        std::vector<UploadQueueEntry> e;
        EXPECT_NE(TaskFile(dir_.file("FVTask.xml")).load(&e), TaskFile::LoadResult::Damaged)
            << "FVTask.xml parses";
        return e;
    }
    int onRouter() const {
        int n = 0;
        for (const routersim::Task& t : sim_->board().tasks())
            n += t.name == "queued" ? 1 : 0;
        return n;
    }
    int posts() const {
        int n = 0;
        for (const routersim::Request& r : sim_->requests())
            n += r.method == "POST" && r.target.find("fv_uploadbt") != std::string::npos;
        return n;
    }
    // Every session cookie the client sent, so every one it held.
    std::set<std::string> tokens() const {
        std::set<std::string> out;
        const std::string key = "AuthByPasswd=";
        for (const routersim::Request& r : sim_->requests()) {
            const std::string cookie = r.header("Cookie").value_or("");
            const size_t at = cookie.find(key);
            if (at != std::string::npos && cookie.size() > at + key.size())
                out.insert(cookie.substr(at + key.size(), cookie.find(';', at) - at - key.size()));
        }
        return out;
    }
    // Upload POSTs sent after the client took the file as done.
    int postsAfterAccepted() const { return acceptedAt_ < 0 ? 0 : posts() - acceptedAt_; }

    // Waits until the refuse switch has taken effect on the service port.
    void waitForRefuse(bool on) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 5000) {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, sim_->port(Listener::Service));
            if (probe.waitForConnected(200) != on)
                return;
            QThread::msleep(10);
        }
        ADD_FAILURE() << "the listener did not follow the refuse switch";
    }

    Simulator& sim() { return *sim_; }
    ClientCore& core() { return *core_; }
    RefreshState& state() { return core_->refreshState(); }
    ManualTimer& timer(Timer& t) { return static_cast<ManualTimer&>(t); }
    qint64 longestHoldMs() const { return meter_.longestMs(); }

  private:
    void held(const std::function<void()>& call, const char* what) {
        QElapsedTimer t;
        t.start();
        call();
        EXPECT_LT(t.elapsed(), kHoldLimitMs) << what << " held the UI thread";
    }
    void pumpUntil(const std::function<bool()>& done, const char* what) {
        QElapsedTimer t;
        t.start();
        meter_.measure(true);
        while (!done() && t.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        meter_.measure(false);
        ASSERT_TRUE(done()) << what << " never ended";
    }
    // The count of upload POSTs when the client first took the file as done.
    void notePosts() {
        const std::vector<UploadQueueEntry> e = onDisk();
        const bool done = e.empty() || e[0].isDone();
        if (done && acceptedAt_ < 0)
            acceptedAt_ = posts();
    }

    const FaultCase& case_;
    QObject receiver_;
    ShortTimeouts transport_;
    test::ScratchDir dir_, temp_;
    std::unique_ptr<Simulator> sim_;
    CountingRunner* runner_ = nullptr;
    std::unique_ptr<ClientCore> core_;
    HoldMeter meter_;
    int acceptedAt_ = -1;
};

// The session cookies count: each is as good as the password while it lasts.
bool showsCredential(const std::vector<std::string>& lines, const std::set<std::string>& tokens) {
    const QString password = QString::fromUtf8(kPassword);
    const std::string base64 = base64Encode(password);
    std::vector<std::string> forms = {kPassword, base64, percentEncode(base64),
                                      base64Encode(std::string("admin:") + kPassword)};
    forms.insert(forms.end(), tokens.begin(), tokens.end());
    for (const std::string& line : lines) {
        for (const std::string& f : forms) {
            if (line.find(f) != std::string::npos) {
                ADD_FAILURE() << "logged: " << line;
                return true;
            }
        }
    }
    return false;
}

// One row of the table; a fatal failure ends this row only.
void runCase(const FaultCase& c) {
    LogCapture log;
    FaultRun run(c);
    ASSERT_NO_FATAL_FAILURE(run.start());
    ASSERT_NO_FATAL_FAILURE(run.queueTorrent());
    ASSERT_NO_FATAL_FAILURE(run.tick());
    ASSERT_TRUE(run.online()) << "online before the fault";
    ASSERT_EQ(run.routerRows(), 3);

    c.apply(run.sim());
    if (run.sim().faults(Listener::Service).current().delayMs > 0)
        run.shortenTimeouts();
    if (run.sim().faults(Listener::Service).refusing())
        run.waitForRefuse(true);
    // The queued file's first try meets the fault.
    ASSERT_NO_FATAL_FAILURE(run.sendStep());
    EXPECT_NE(run.sim().faults(Listener::Service).current().remaining, 1)
        << "the first try met the one-time fault";
    const std::vector<UploadQueueEntry> afterTry = run.onDisk();
    if (c.upload == Upload::Held || c.upload == Upload::Unanswered) {
        ASSERT_EQ(afterTry.size(), 1u) << "a file without a success answer stays queued";
        EXPECT_TRUE(afterTry[0].isWaiting());
        EXPECT_EQ(run.onRouter(), c.upload == Upload::Unanswered ? 1 : 0);
    } else {
        EXPECT_TRUE(afterTry.empty() || afterTry[0].isDone()) << "an accepted file is done";
        EXPECT_EQ(run.onRouter(), c.upload == Upload::Accepted ? 1 : 0);
    }

    for (int i = 1; i <= 6; ++i) {
        ASSERT_NO_FATAL_FAILURE(run.tick());
        const bool failed = c.failingTicks == kFirstOrNone
                                ? i == 1 && run.state().failureCounter == 1
                                : i <= c.failingTicks;
        EXPECT_EQ(run.state().failureCounter, failed ? i : 0) << "tick " << i;
        EXPECT_EQ(run.online(), !failed || i <= 5) << "tick " << i << " under the fault";
        EXPECT_EQ(run.routerRows(),
                  failed ? 3 : (c.routerRows == kUnreadable ? 0 : c.routerRows + run.onRouter()))
            << "tick " << i << ": a failed fetch keeps the last known tasks";
    }

    run.sim().clearFaults();
    run.sim().auth().setOtherUserLoggedIn(false);
    run.waitForRefuse(false);
    ASSERT_NO_FATAL_FAILURE(run.tick());
    EXPECT_TRUE(run.online()) << "the router is back";
    EXPECT_EQ(run.state().failureCounter, 0);
    if (c.failingTicks == kEvery)
        EXPECT_TRUE(run.timer(run.core().timers().sendTimer()).enabled())
            << "the return retried the uploads";
    else if (run.core().queue().halted())
        run.core().retrySending();  // the user's Retry
    for (int i = 0; i < 3 && !run.core().queue().entries().empty(); ++i)
        ASSERT_NO_FATAL_FAILURE(run.sendStep());
    EXPECT_TRUE(run.onDisk().empty()) << "the queue emptied once the router had the file";
    EXPECT_EQ(run.onRouter(), c.upload == Upload::Answered ? 0 : 1)
        << "the router holds the file once";
    EXPECT_EQ(run.postsAfterAccepted(), 0) << "nothing was sent again after it was taken";
    EXPECT_LT(run.longestHoldMs(), kHoldLimitMs) << "the UI thread stalled";
    if (c.auth == routersim::AuthMode::Session) {
        EXPECT_FALSE(run.tokens().empty()) << "the client logged in";
    }
    EXPECT_FALSE(showsCredential(log.lines(), run.tokens()));
}

TEST(FaultMatrix, EveryFaultKeepsTheWindowTheRulesAndTheQueue) {
    for (const FaultCase& c : cases()) {
        SCOPED_TRACE(c.label);
        runCase(c);
    }
}

}  // namespace
}  // namespace fv

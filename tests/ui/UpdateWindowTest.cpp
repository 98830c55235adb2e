// The update window of the running client (RunningClient, as `ferrovane` assembles it)
// against the simulator's update server over TLS. The server's certificate is signed by the
// simulator's own authority, which the client trusts in addition to the system's store only
// when told to; the desktop's handler for the kept package is replaced by a recorder.
// "Check version" on the About page and the Update button are real clicks.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ClientSettingsFile.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "i18n/ClientTexts.h"
#include "i18n/MessageTexts.h"
#include "platform/VersionInfo.h"
#include "ui/UpdateWindow.h"
#include "ui/main/RunningClient.h"
#include "update/UpdateControlNames.h"
#include "update/UpdateSite.h"
#include "update/VersionText.h"

namespace fv::test {
namespace {

using routersim::Listener;
namespace n = update_names;

const QString& msg(Msg m) {
    return MessageTexts::english()[m];
}
const QString& ct(Ct c) {
    return ClientTexts::english()[c];
}

class ScopedVariable {
  public:
    ScopedVariable(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), previous_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedVariable() {
        if (had_)
            qputenv(name_, previous_);
        else
            qunsetenv(name_);
    }

  private:
    const char* name_;
    bool had_;
    QByteArray previous_;
};

class UpdateWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        routersim::SimulatorConfig config;
        config.discovery = false;
        config.updateVersion = "2.2.0.1";
        sim = std::make_unique<routersim::Simulator>(config);
        std::string error;
        ASSERT_TRUE(sim->start(&error)) << error;
        ASSERT_TRUE(QDir().mkpath(downloads()));
        QFile ca(dir.file("update-ca.pem"));
        ASSERT_TRUE(ca.open(QIODevice::WriteOnly));
        ca.write(QByteArray::fromStdString(sim->updateAuthorityPem()));
        ca.close();
        vars.push_back(std::make_unique<ScopedVariable>("FV_DATA_DIR", dir.path().toUtf8()));
        vars.push_back(
            std::make_unique<ScopedVariable>(UpdateSite::kDownloadVariable, downloads().toUtf8()));
        site(QStringLiteral("https://127.0.0.1:%1").arg(sim->port(Listener::Update)));
        trust(dir.file("update-ca.pem"));
    }
    void TearDown() override {
        if (client) {
            client->finish();
            client.reset();
        }
        sim->stop();
        vars.clear();
    }

    QString downloads() const { return dir.file("Downloads"); }
    void site(const QString& url) {
        vars.push_back(std::make_unique<ScopedVariable>(UpdateSite::kSiteVariable, url.toUtf8()));
    }
    void trust(const QString& caFile) {
        vars.push_back(std::make_unique<ScopedVariable>(UpdateSite::kCaVariable, caFile.toUtf8()));
    }
    // The package arrives in chunks of `bytes` every `intervalMs`; its checksum at once.
    void dripPackage(int bytes, int intervalMs) {
        routersim::Faults slow;
        slow.dripChunkBytes = bytes;
        slow.dripIntervalMs = intervalMs;
        slow.onlyTarget = ".deb";
        slow.exceptTarget = ".sha256";
        sim->faults(Listener::Update).set(slow);
    }
    void launch(bool checkAtStart = false) {
        routersim::ClientSettings s;
        s.servicePort = sim->port(Listener::Service);
        s.user = "admin";
        s.password = "admin";
        s.refreshSeconds = 5;
        s.checkVersionAtStart = checkAtStart;
        std::string error;
        ASSERT_TRUE(
            routersim::writeClientSettings(dir.file("FVSetup.xml").toStdString(), s, &error))
            << error;
        client = std::make_unique<ui::RunningClient>(StartupEnvironment::system(),
                                                     QStringList{"ferrovane"});
        client->wiring().setPackageOpener([this](const QString& path) {
            opened << path;
            return handlerStarts;
        });
        ASSERT_TRUE(client->start());
        client->window().show();
    }

    template <typename T = QWidget>
    T* find(QWidget* root, const QString& name) const {
        T* w = root ? root->findChild<T*>(name) : nullptr;
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void click(QWidget* w) {
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    }
    // Settings, the About tab, then "Check version": the window opens and runs its chain.
    ui::UpdateWindow* checkVersion() {
        QWidget& main = client->window();
        click(find(&main, "BtnSetup_Main"));
        click(find(&main, "lab_Setup_tabSheetAbout"));
        click(find(&main, "Lab_CheckVersion_About"));
        return client->wiring().updateWindow();
    }
    QString text(const char* name) const {
        auto* l = find<QLabel>(window(), QString::fromLatin1(name));
        return l && l->isVisible() ? l->text() : QString();
    }
    ui::UpdateWindow* window() const { return client->wiring().updateWindow(); }
    // The chain has stopped: the version pass without a version, or the release-note pass.
    bool settled() const {
        const UpdateFlow::Stage s = window()->flow().stage();
        return s == UpdateFlow::Stage::Done || s == UpdateFlow::Stage::Waiting;
    }
    size_t requestsTo(const std::string& part) const {
        size_t count = 0;
        for (const routersim::Request& r : sim->requests())
            count += r.target.find(part) != std::string::npos ? 1 : 0;
        return count;
    }
    QString packageName() const {
        return packageFileName(QString::fromStdString(sim->updates().version()),
                               debianArchitecture());
    }
    QStringList downloadedFiles() const {
        return QDir(downloads()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
    // Update, then the end of the download.
    void update() {
        ASSERT_TRUE(find(window(), "BtnOK_Update")->isEnabled());
        click(find(window(), "BtnOK_Update"));
        EXPECT_EQ(window()->flow().stage(), UpdateFlow::Stage::Downloading);
        EXPECT_FALSE(find(window(), "BtnOK_Update")->isEnabled());
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return window()->flow().stage() != UpdateFlow::Stage::Downloading; }, 15000));
    }

    ScratchDir dir;
    std::unique_ptr<routersim::Simulator> sim;
    std::vector<std::unique_ptr<ScopedVariable>> vars;
    std::unique_ptr<ui::RunningClient> client;
    QStringList opened;
    bool handlerStarts = true;  // what the recorder says about starting the desktop's handler
};

struct ChainCase {
    const char* published;
    bool newer;
};

class UpdateWindowChain : public UpdateWindowTest,
                          public ::testing::WithParamInterface<ChainCase> {};

// Newer, the same and an older version: the version info, then the release note of this
// (not Simplified-Chinese) system, shown unpacked; Update only for a newer one.
TEST_P(UpdateWindowChain, ComparesThePublishedVersion) {
    sim->updates().setVersion(GetParam().published);
    launch();
    ui::UpdateWindow* w = checkVersion();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->isModal());
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(); }, 10000));
    const QString compact = QString::fromLatin1(GetParam().published).remove('.');
    EXPECT_EQ(text(n::NowVersionValue), VersionInfo::programVersion());
    EXPECT_EQ(text(n::NewVersionValue), QString::fromLatin1(GetParam().published));
    EXPECT_EQ(text(n::ProgressLabel), msg(Msg::FormUpdateMag2));
    EXPECT_EQ(text(n::UpdateMessage),
              GetParam().newer ? msg(Msg::FormUpdateMag3) : msg(Msg::FormUpdateMag4));
    EXPECT_EQ(find(w, "BtnOK_Update")->isEnabled(), GetParam().newer);
    EXPECT_EQ(find<QPlainTextEdit>(w, n::ReleaseNote)->toPlainText(),
              QString::fromStdString(sim->updates().noteText("CHT")).replace("\r\n", "\n"));
    EXPECT_EQ(requestsTo(UpdateSite::kVersionPath), 1u);
    EXPECT_EQ(requestsTo("FV_" + compact.toStdString() + "_CHT_note.zip"), 1u);
    EXPECT_EQ(requestsTo(".deb"), 0u);
    // Update on a disabled button does nothing.
    click(find(w, "BtnOK_Update"));
    if (!GetParam().newer) {
        EXPECT_EQ(requestsTo(".deb"), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, UpdateWindowChain,
                         ::testing::Values(ChainCase{"2.2.0.1", true}, ChainCase{"2.2.0.0", false},
                                           ChainCase{"2.1.9.9", false}),
                         [](const auto& info) {
                             return std::string(info.param.newer ? "newer" : "notNewer") +
                                    std::to_string(info.index);
                         });

// Update downloads the package with the progress bar following the bytes, keeps it in the
// Downloads folder once its checksum matches, and hands it to the desktop's handler.
TEST_F(UpdateWindowTest, UpdateKeepsTheVerifiedPackageAndOpensIt) {
    sim->updates().setPackageBytes(300 * 1024);
    dripPackage(32 * 1024, 30);  // slowly, so the bar is seen moving on the way
    launch();
    ASSERT_NE(checkVersion(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(); }, 10000));
    auto* bar = find<QProgressBar>(window(), n::ProgressBar);
    std::vector<int> seen;
    QObject::connect(bar, &QProgressBar::valueChanged, bar, [&](int v) { seen.push_back(v); });
    update();
    const QString kept = QDir(downloads()).filePath(packageName());
    EXPECT_EQ(opened, QStringList{kept});
    EXPECT_EQ(downloadedFiles(), QStringList{packageName()});
    QFile file(kept);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray::fromStdString(sim->updates().packageBytes()));
    EXPECT_EQ(text(n::UpdateMessage), ct(Ct::UpdatePackageSaved).arg(kept));
    EXPECT_EQ(text(n::ProgressLabel), msg(Msg::FormUpdateMag2));
    EXPECT_EQ(bar->maximum(), 300 * 1024);
    EXPECT_EQ(bar->value(), 300 * 1024);
    const auto between =
        std::count_if(seen.begin(), seen.end(), [](int v) { return v > 0 && v < 300 * 1024; });
    EXPECT_GE(between, 2) << "the bar did not move during the download";
    EXPECT_EQ(requestsTo(packageName().toStdString() + ".sha256"), 1u);
}

// No handler could be started: the verified package stays where it is and the window says
// where, so the user can open it.
TEST_F(UpdateWindowTest, WithoutAHandlerThePackageStaysForTheUser) {
    handlerStarts = false;
    launch();
    ASSERT_NE(checkVersion(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(); }, 10000));
    update();
    const QString kept = QDir(downloads()).filePath(packageName());
    EXPECT_EQ(opened, QStringList{kept});
    EXPECT_EQ(downloadedFiles(), QStringList{packageName()});
    EXPECT_EQ(text(n::UpdateMessage), ct(Ct::UpdatePackageNotOpened).arg(kept));
}

struct DownloadFault {
    const char* what;
    std::function<void(routersim::Simulator&)> arrange;
    Ct message;
    bool online;
};

class UpdateWindowDownloadFault : public UpdateWindowTest,
                                  public ::testing::WithParamInterface<DownloadFault> {};

// A dropped connection, a wrong checksum, no checksum for the package: nothing is kept, not even a
// part, nothing is opened, the window says why and Update may be tried again.
TEST_P(UpdateWindowDownloadFault, KeepsNothingAndSaysWhy) {
    launch();
    ASSERT_NE(checkVersion(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(); }, 10000));
    GetParam().arrange(*sim);
    update();
    EXPECT_EQ(text(n::UpdateMessage), ct(GetParam().message)) << GetParam().what;
    EXPECT_EQ(text(n::ProgressLabel),
              GetParam().online ? msg(Msg::FormUpdateMag2) : msg(Msg::FormUpdateMag5));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(downloadedFiles().isEmpty()) << downloadedFiles().join(", ").toStdString();
    EXPECT_TRUE(find(window(), "BtnOK_Update")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Faults, UpdateWindowDownloadFault,
                         ::testing::Values(DownloadFault{"dropped",
                                                         [](routersim::Simulator& s) {
                                                             routersim::Faults f;
                                                             f.resetMidBody = true;
                                                             f.onlyTarget = ".deb";
                                                             f.exceptTarget = ".sha256";
                                                             s.faults(Listener::Update).set(f);
                                                         },
                                                         Ct::UpdateDownloadFailed, false},
                                           DownloadFault{"wrong checksum",
                                                         [](routersim::Simulator& s) {
                                                             s.updates().setChecksumWrong(true);
                                                         },
                                                         Ct::UpdateChecksumMismatch, true},
                                           DownloadFault{"no checksum file",
                                                         [](routersim::Simulator& s) {
                                                             routersim::Faults f;
                                                             f.statusLine =
                                                                 "HTTP/1.1 404 Not Found";
                                                             f.onlyTarget = ".sha256";
                                                             s.faults(Listener::Update).set(f);
                                                         },
                                                         Ct::UpdateNoChecksum, false},
                                           DownloadFault{"checksum of another file",
                                                         [](routersim::Simulator& s) {
                                                             routersim::Faults f;
                                                             f.replaceBody = true;
                                                             f.body =
                                                                 std::string(64, 'a') +
                                                                 "  ferrovane_9.9.9.9_amd64.deb\n";
                                                             f.onlyTarget = ".sha256";
                                                             s.faults(Listener::Update).set(f);
                                                         },
                                                         Ct::UpdateNoChecksum, true}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

// Without network, or with a certificate nobody vouched for: the first run fails, the label
// reads "No Internet connected." and nothing else is asked for.
TEST_F(UpdateWindowTest, OfflineStopsAfterTheVersionInfo) {
    sim->stop();  // the port stays unused: nothing listens there any more
    launch();
    ASSERT_NE(checkVersion(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(); }, 10000));
    EXPECT_EQ(text(n::ProgressLabel), msg(Msg::FormUpdateMag5));
    EXPECT_EQ(text(n::NewVersionValue), QString());
    EXPECT_EQ(text(n::UpdateMessage), QString());
    EXPECT_FALSE(find(window(), "BtnOK_Update")->isEnabled());
}

TEST_F(UpdateWindowTest, AnUntrustedCertificateIsRefused) {
    trust(QString());  // the system's store alone does not know the simulator's authority
    launch();
    ASSERT_NE(checkVersion(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(); }, 10000));
    EXPECT_EQ(text(n::ProgressLabel), msg(Msg::FormUpdateMag5));
    EXPECT_EQ(text(n::UpdateMessage), ct(Ct::UpdateUntrusted));
    EXPECT_EQ(text(n::NewVersionValue), QString());
    EXPECT_FALSE(find(window(), "BtnOK_Update")->isEnabled());
    EXPECT_EQ(requestsTo(UpdateSite::kVersionPath), 0u) << "a request went over the refused TLS";
}

// Cancel during a slow download abandons it: nothing is kept and nothing opened.
TEST_F(UpdateWindowTest, CancelAbandonsTheDownload) {
    dripPackage(4 * 1024, 50);
    launch();
    ASSERT_NE(checkVersion(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(); }, 10000));
    click(find(window(), "BtnOK_Update"));
    auto* bar = find<QProgressBar>(window(), n::ProgressBar);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->value() > 0; }, 10000));
    QPointer<ui::UpdateWindow> w = window();
    click(find(w, "BtnCancel_Update"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.isNull(); }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return downloadedFiles().isEmpty(); }, 5000))
        << downloadedFiles().join(", ").toStdString();
    EXPECT_TRUE(opened.isEmpty());
}

struct StartCase {
    bool optionSet;
    const char* published;
    bool opens;
};

class StartupCheck : public UpdateWindowTest, public ::testing::WithParamInterface<StartCase> {};

// TimerAtBegin one second after start: with the option set it asks for the version info and
// opens the update window only for a newer version; with it clear it asks for nothing.
TEST_P(StartupCheck, OpensTheWindowOnlyForANewerVersion) {
    sim->updates().setVersion(GetParam().published);
    launch(GetParam().optionSet);
    bool checked = false;
    QObject::connect(&client->versionCheck(), &StartupVersionCheck::checked, &client->window(),
                     [&](bool) { checked = true; });
    if (GetParam().optionSet)
        ASSERT_TRUE(QTest::qWaitFor([&] { return checked; }, 10000));
    else
        QTest::qWait(1500);  // past the one-second start timer
    EXPECT_FALSE(client->core().timers().atBeginTimer().enabled());
    EXPECT_EQ(requestsTo(UpdateSite::kVersionPath) > 0, GetParam().optionSet);
    EXPECT_EQ(window() != nullptr, GetParam().opens);
    if (GetParam().opens) {
        EXPECT_TRUE(window()->isVisible());
        ASSERT_TRUE(QTest::qWaitFor([&] { return settled(); }, 10000));
        EXPECT_TRUE(find(window(), "BtnOK_Update")->isEnabled());
    }
}

INSTANTIATE_TEST_SUITE_P(Options, StartupCheck,
                         ::testing::Values(StartCase{true, "2.2.0.1", true},
                                           StartCase{true, "2.2.0.0", false},
                                           StartCase{false, "2.2.0.1", false}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

}  // namespace
}  // namespace fv::test

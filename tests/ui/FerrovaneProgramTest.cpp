// The `ferrovane` program itself, run as a process on the offscreen platform against the
// simulated router: it fetches the task list, ends cleanly on SIGTERM, asks nothing without
// a settings file, and a start-up failure is a non-zero exit.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <gtest/gtest.h>

#include "ClientSettingsFile.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "platform/AtomicFile.h"
#include "platform/FileTypeDefaults.h"
#include "settings/ConnectionSettings.h"
#include "settings/SettingsFile.h"

namespace fv::test {
namespace {

using routersim::Listener;

class FerrovaneProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
    }
    void TearDown() override {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(5000);
        }
        sim.stop();
    }

    void writeSettings() {
        routersim::ClientSettings s;
        s.servicePort = sim.port(Listener::Service);
        s.user = "admin";
        s.password = "admin";
        s.refreshSeconds = 1;
        std::string error;
        ASSERT_TRUE(
            routersim::writeClientSettings(dir.file("FVSetup.xml").toStdString(), s, &error))
            << error;
    }
    void launch(const QString& dataDir, const std::vector<std::pair<QString, QString>>& more = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : more)
            env.insert(name, value);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("FV_DATA_DIR", dataDir);
        env.insert("FV_DEBUG_LOG", "1");
        env.remove("XDG_RUNTIME_DIR");
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(FV_FERROVANE_PATH), {});
        ASSERT_TRUE(program.waitForStarted(5000));
    }
    size_t requestsWith(const std::string& part) const {
        size_t n = 0;
        for (const routersim::Request& r : sim.requests())
            n += r.target.find(part) != std::string::npos ? 1 : 0;
        return n;
    }
    // Ends the program as the session's log-out would and returns its standard error.
    QString terminate() {
        program.terminate();
        EXPECT_TRUE(program.waitForFinished(20000));
        return QString::fromLocal8Bit(program.readAllStandardError());
    }

    ScratchDir dir;
    routersim::Simulator sim;
    QProcess program;
};

TEST_F(FerrovaneProgram, FetchesTheTaskListAndEndsCleanlyOnSigterm) {
    routersim::Task t;
    t.name = "one.iso";
    sim.board().add(t);
    writeSettings();
    launch(dir.path());
    EXPECT_TRUE(QTest::qWaitFor([&] { return requestsWith("fv_print_status.cgi") >= 2; }, 15000))
        << program.readAllStandardError().toStdString();
    const QString log = terminate();
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << log.toStdString();
    EXPECT_FALSE(log.contains("admin:admin")) << "the account never reaches the log";
}

// Without a settings file there is no router to ask: no request is even attempted.
TEST_F(FerrovaneProgram, WithoutSettingsNothingIsRequested) {
    launch(dir.path());
    QTest::qWait(2500);  // the first refresh comes after 500 ms, later ones every 10 s
    const QString log = terminate();
    EXPECT_EQ(program.exitCode(), 0) << log.toStdString();
    EXPECT_TRUE(log.contains("StartSetupWizard")) << log.toStdString();
    EXPECT_FALSE(log.contains("http connect fault")) << log.toStdString();
    EXPECT_FALSE(log.contains("http://:")) << log.toStdString();
    EXPECT_TRUE(sim.requests().empty());
}

// The stored file-type options take effect when the client starts: the NZB type becomes the
// client's, the torrent type (option cleared) keeps the user's program.
TEST_F(FerrovaneProgram, StoredFileTypeOptionsTakeEffectAtStart) {
    writeSettings();
    SettingsFile file(dir.file("FVSetup.xml"));
    ASSERT_EQ(file.load(), SettingsFile::Status::Read);
    ConnectionSettings c = file.connection();
    c.associateBt = false;
    c.associateNzb = true;
    file.put(c, SetupFormKind::SetupPages);
    QString error;
    ASSERT_TRUE(file.save(&error)) << error.toStdString();

    ScratchDir xdg;
    ASSERT_TRUE(QDir().mkpath(xdg.file("share/applications")));
    ASSERT_TRUE(AtomicFile::write(xdg.file("share/applications/com.ferrovane.Ferrovane.desktop"),
                                  "[Desktop Entry]\nType=Application\nName=F\nExec=true\n"));
    ASSERT_TRUE(QDir().mkpath(xdg.file("config")));
    ASSERT_TRUE(AtomicFile::write(xdg.file("config/mimeapps.list"),
                                  "[Default Applications]\n"
                                  "application/x-bittorrent=transmission-gtk.desktop;\n"));
    launch(dir.path(), {{"XDG_CONFIG_HOME", xdg.file("config")},
                        {"XDG_DATA_HOME", xdg.file("share")},
                        {"XDG_DATA_DIRS", xdg.file("none")}});
    FileTypeDefaults defaults({xdg.file("config"), {xdg.file("share")}});
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return defaults.currentDefault(FileTypeDefaults::kNzbType) ==
                   FileTypeDefaults::kDesktopId;
        },
        15000))
        << program.readAllStandardError().toStdString();
    EXPECT_EQ(defaults.currentDefault(FileTypeDefaults::kTorrentType), "transmission-gtk.desktop");
    terminate();
}

TEST_F(FerrovaneProgram, StartUpFailureIsANonZeroExit) {
    const QString blocker = dir.file("not-a-folder");
    QFile f(blocker);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    launch(blocker + "/data");
    ASSERT_TRUE(program.waitForFinished(15000));
    const QString log = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1) << log.toStdString();
    EXPECT_TRUE(log.contains("cannot create the data folder")) << log.toStdString();
}

}  // namespace
}  // namespace fv::test

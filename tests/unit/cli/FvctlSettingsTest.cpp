// fvctl settings: the connection and the router's BitTorrent/NZB settings shown and changed,
// run as a program against the simulated router.
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include "FvctlFixture.h"
#include "cli/CliExit.h"
#include "platform/AtomicFile.h"
#include "platform/FileTypeDefaults.h"

namespace fv::test {
namespace {

using routersim::Listener;

constexpr const char* kHostile = "p&ss=w#rd %+ x";

class FvctlSettings : public FvctlFixture {
  protected:
    QByteArray readSettingsFile() const {
        QFile f(dataFile("FVSetup.xml"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The requests that wrote settings, in arrival order.
    std::vector<std::string> applyWrites() const {
        std::vector<std::string> out;
        for (const std::string& t : controlTargets())
            if (t.find("action_mode=FV_APPLY") != std::string::npos)
                out.push_back(t);
        return out;
    }
};

TEST_F(FvctlSettings, ShowsConnectionAndRouterValuesWithoutSecrets) {
    const FvctlResult r = run({"settings"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    const struct {
        const char* key;
        const char* value;
    } expected[] = {
        {"ServerAddress", "127.0.0.1"}, {"UserName", kUser},  {"Password", "****"},
        {"Peer_port", "51413"},         {"Up_rate", "100"},   {"Enable_peer_port", "0"},
        {"Host", "news.example.net"},   {"Connections", "8"},
    };
    for (const auto& e : expected) {
        const bool shown = std::any_of(lines.begin(), lines.end(), [&](const QString& l) {
            const QStringList words = l.split(' ', Qt::SkipEmptyParts);
            return words.size() == 2 && words[0] == e.key && words[1] == e.value;
        });
        EXPECT_TRUE(shown) << e.key << " " << e.value << " in\n" << r.out.toStdString();
    }
    EXPECT_FALSE(r.out.contains(kPassword)) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains("usenet-secret")) << r.out.toStdString();
    EXPECT_TRUE(applyWrites().empty());
}

TEST_F(FvctlSettings, JsonHoldsEachSection) {
    const FvctlResult r = run({"settings", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    EXPECT_EQ(doc["connection"]["ServerPort"].toString(),
              QString::number(sim->port(Listener::Service)));
    EXPECT_EQ(doc["connection"]["Password"].toString(), "****");
    EXPECT_EQ(doc["bittorrent"]["Max_peer"].toString(), "240");
    EXPECT_EQ(doc["nzb"]["Port"].toString(), "563");
    EXPECT_EQ(doc["nzb"]["Password"].toString(), "****");
    EXPECT_TRUE(doc["error"].isUndefined());
}

TEST_F(FvctlSettings, SetWritesOnlyTheKindsNamedWithValuesExactly) {
    debugLog = true;
    const FvctlResult r = run({"settings", "set", "Down_rate=500", QString("Password=") + kHostile,
                               "Host=news.example.org"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(sim->settings().value("Down_rate"), "500");
    EXPECT_EQ(sim->settings().value("Up_rate"), "100");
    EXPECT_EQ(sim->settings().value("Server1.Password"), kHostile);
    EXPECT_EQ(sim->settings().value("Server1.Host"), "news.example.org");
    EXPECT_EQ(sim->settings().value("Server1.Username"), "reader");
    EXPECT_EQ(applyWrites().size(), 2u);
    EXPECT_FALSE(r.err.contains(kHostile)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("TFVPageSetSettingThread - PostAdd=[")) << r.err.toStdString();

    const FvctlResult bt = run({"settings", "set", "Up_rate=7"});
    ASSERT_EQ(bt.exitCode, 0) << bt.err.toStdString();
    ASSERT_EQ(applyWrites().size(), 3u);
    EXPECT_NE(applyWrites().back().find("download_type=BT&"), std::string::npos);
    EXPECT_EQ(sim->settings().value("Up_rate"), "7");
    EXPECT_EQ(sim->settings().value("Down_rate"), "500");
    EXPECT_EQ(sim->settings().value("peer_port_change"), "0");
    EXPECT_EQ(sim->settings().value("bt_port_tmp"), "51413");
}

// The stored connection is changed in the settings file, as the setup page's Apply stores it,
// and read back by the next run; the router is not asked and the NZB password stays.
TEST_F(FvctlSettings, ConnectionKeysChangeTheSettingsFile) {
    const QByteArray before = readSettingsFile();
    const FvctlResult r =
        run({"settings", "set", "connection.UserName=someone",
             QString("connection.Password=") + kHostile, "connection.RefreshSeconds=30"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("connection settings saved"));
    EXPECT_TRUE(applyWrites().empty());
    EXPECT_NE(readSettingsFile(), before);
    EXPECT_EQ(sim->settings().value("Server1.Password"), "usenet-secret");

    const FvctlResult shown = run({"settings", "--json"});
    ASSERT_EQ(shown.exitCode, cli::kExitRejected) << "the router refuses the new account";
    const QJsonObject conn = QJsonDocument::fromJson(shown.out.toUtf8())["connection"].toObject();
    EXPECT_EQ(conn["UserName"].toString(), "someone");
    EXPECT_EQ(conn["RefreshIntervalMs"].toString(), "30000");
    EXPECT_EQ(conn["Password"].toString(), "****");

    ASSERT_EQ(run({"settings", "set", QString("connection.UserName=") + kUser,
                   QString("connection.Password=") + kPassword})
                  .exitCode,
              0);
    EXPECT_EQ(run({"settings"}).exitCode, 0) << "the stored account reaches the router again";
}

// The file-type options change this user's defaults at once (the user's mimeapps.list), and
// giving one up brings back the program that was the default before.
TEST_F(FvctlSettings, FileTypeOptionsTakeEffectForThisUser) {
    ScratchDir xdg;
    ASSERT_TRUE(QDir().mkpath(xdg.file("share/applications")));
    ASSERT_TRUE(AtomicFile::write(xdg.file("share/applications/com.ferrovane.Ferrovane.desktop"),
                                  "[Desktop Entry]\nType=Application\nName=F\nExec=true\n"));
    ASSERT_TRUE(QDir().mkpath(xdg.file("config")));
    ASSERT_TRUE(AtomicFile::write(xdg.file("config/mimeapps.list"),
                                  "[Default Applications]\n"
                                  "application/x-bittorrent=transmission-gtk.desktop;\n"));
    environment = {{"XDG_CONFIG_HOME", xdg.file("config")},
                   {"XDG_DATA_HOME", xdg.file("share")},
                   {"XDG_DATA_DIRS", xdg.file("none")}};
    FileTypeDefaults defaults({xdg.file("config"), {xdg.file("share")}});
    const QString torrent = FileTypeDefaults::kTorrentType;
    const QString nzb = FileTypeDefaults::kNzbType;

    FvctlResult r = run({"settings", "set", "connection.AssBt=1", "connection.AssNZB=1"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(defaults.currentDefault(torrent), FileTypeDefaults::kDesktopId);
    EXPECT_EQ(defaults.currentDefault(nzb), FileTypeDefaults::kDesktopId);

    r = run({"settings", "set", "connection.AssBt=0"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(defaults.currentDefault(torrent), "transmission-gtk.desktop");
    EXPECT_EQ(defaults.currentDefault(nzb), FileTypeDefaults::kDesktopId);
    EXPECT_TRUE(applyWrites().empty()) << "the router is not asked";
}

TEST_F(FvctlSettings, BadArgumentsAskNothing) {
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{"settings", "set", "Down_rate=1", "Colour=blue"}, "unknown settings key \"Colour\""},
        {{"settings", "set", "down_rate=1"}, "unknown settings key \"down_rate\""},
        {{"settings", "set", "Down_rate"}, "is not KEY=VALUE"},
        {{"settings", "set"}, "at least one KEY=VALUE"},
        {{"settings", "change", "Down_rate=1"}, "unknown settings action"},
        {{"settings", "set", "connection.Colour=blue"}, "unknown settings key"},
        {{"settings", "set", "connection.ServerPort=70000"}, "from 1 to 65535"},
        {{"settings", "set", "connection.ServerPort=80a"}, "from 1 to 65535"},
        {{"settings", "set", "connection.RefreshSeconds=3"}, "from 5 to 180"},
        {{"settings", "set", "connection.Remote=yes"}, "0 (local) or 1 (remote)"},
        {{"settings", "set", "connection.AssBt=yes"}, "connection.AssBt takes 1"},
        {{"settings", "set", "connection.AssNZB="}, "connection.AssNZB takes 1"},
    };
    for (const auto& c : cases) {
        const FvctlResult r = run(c.args);
        EXPECT_EQ(r.exitCode, cli::kExitUsage) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
    }
    EXPECT_TRUE(controlTargets().empty());
    EXPECT_EQ(sim->settings().value("Down_rate"), "0");
}

TEST_F(FvctlSettings, RouterFailuresGiveTheirExitCodes) {
    writeSettings(kUser, "wrong");
    const FvctlResult rejected = run({"settings"});
    EXPECT_EQ(rejected.exitCode, cli::kExitRejected) << rejected.err.toStdString();

    writeSettings(kUser, kPassword);
    refuse(true);
    const struct {
        QStringList args;
    } cases[] = {{{"settings"}}, {{"settings", "--json"}}, {{"settings", "set", "Down_rate=9"}}};
    for (const auto& c : cases) {
        const FvctlResult r = run(c.args);
        EXPECT_EQ(r.exitCode, cli::kExitRefused) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("refused")) << r.err.toStdString();
    }
    const FvctlResult json = run({"settings", "--json"});
    const QJsonDocument doc = QJsonDocument::fromJson(json.out.toUtf8());
    EXPECT_EQ(doc["exitCode"].toInt(), cli::kExitRefused) << json.out.toStdString();
    EXPECT_EQ(doc["connection"]["Password"].toString(), "****");
    refuse(false);
    EXPECT_EQ(sim->settings().value("Down_rate"), "0");
}

}  // namespace
}  // namespace fv::test

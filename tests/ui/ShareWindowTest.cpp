// Finished files through the running client's own window (RunningClient, as `ferrovane`
// assembles it): a real Samba server on loopback holds the router's download folder, the
// simulated router reports the tasks, and the desktop handler is replaced by a recorder.
// Double clicks and the task menu are real QTest events on the real widgets.
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "ClientSettingsFile.h"
#include "SambaServer.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "app/RouterLocalHost.h"
#include "app/TaskView.h"
#include "i18n/MessageTexts.h"
#include "ui/TaskMenuWindow.h"
#include "ui/main/RunningClient.h"

namespace fv::test {
namespace {

using routersim::Listener;

constexpr const char* kPassword = "window-Share-3";

class ShareWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!samba.start(kPassword, &problem))
            GTEST_SKIP() << "no Samba server for this test: " << problem.toStdString();
        samba.addFile("Complete/abc.mkv", "video");
        samba.addFolder("Complete/Show");
        routersim::SimulatorConfig config;
        config.user = samba.user().toStdString();
        config.password = kPassword;
        config.discovery = false;
        sim = std::make_unique<routersim::Simulator>(config);
        std::string error;
        ASSERT_TRUE(sim->start(&error)) << error;
        for (auto [name, status] : {std::pair{"abc.mkv", "Finished"},
                                    {"Show", "Seeding"},
                                    {"gone.mkv", "Finished"},
                                    {"part.mkv", "Downloading"}}) {
            routersim::Task t;
            t.name = name;
            t.status = status;
            t.sizeBytes = 1 << 20;
            t.doneBytes = std::string(status) == "Downloading" ? 1 << 18 : 1 << 20;
            sim->board().add(t);
        }
        saved_ = true;
        previousData_ = qgetenv("FV_DATA_DIR");
        previousHost_ = qgetenv(RouterLocalHost::kVariable);
        qputenv("FV_DATA_DIR", dir.path().toUtf8());
        qputenv(RouterLocalHost::kVariable, samba.host().toUtf8());
        routersim::ClientSettings s;
        s.servicePort = sim->port(Listener::Service);
        s.user = samba.user().toStdString();
        s.password = kPassword;
        s.refreshSeconds = 1;
        ASSERT_TRUE(
            routersim::writeClientSettings(dir.file("FVSetup.xml").toStdString(), s, &error))
            << error;
        client = std::make_unique<ui::RunningClient>(StartupEnvironment::system(),
                                                     QStringList{"ferrovane"});
        client->core().taskView().setOpener([this](const QString& url) { opened << url; });
        ASSERT_TRUE(client->start());
        client->window().show();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return lineOf("part.mkv") > 0 &&
                       !client->core().generalSettings().get().DownloadFolder.isEmpty();
            },
            15000));
    }
    void TearDown() override {
        if (client) {
            client->finish();
            client.reset();
        }
        if (sim)
            sim->stop();
        if (saved_) {
            qputenv("FV_DATA_DIR", previousData_);
            if (previousHost_.isEmpty())
                qunsetenv(RouterLocalHost::kVariable);
            else
                qputenv(RouterLocalHost::kVariable, previousHost_);
        }
    }

    int lineOf(const QString& name) const {
        for (int n = 1; n <= 5; ++n) {
            auto* label = client->window().findChild<QLabel*>(
                QStringLiteral("lab_FVPageInfoLVName_%1").arg(n));
            if (label && label->text() == name)
                return n;
        }
        return 0;
    }
    QWidget* line(const QString& name) const {
        const int n = lineOf(name);
        EXPECT_GT(n, 0) << name.toStdString();
        return client->window().findChild<QWidget*>(QStringLiteral("img_ListViewLine_%1").arg(n));
    }
    ui::TaskMenuWindow* rightClick(const QString& name) {
        QWidget* w = line(name);
        if (!w)
            return nullptr;
        QTest::mouseClick(w, Qt::RightButton, Qt::NoModifier, QPoint(40, 12));
        return client->window().tableView();
    }
    QString smb(const QString& path) const { return "smb://" + samba.host() + path; }

    SambaServer samba;
    QString problem;
    ScratchDir dir;
    std::unique_ptr<routersim::Simulator> sim;
    std::unique_ptr<ui::RunningClient> client;
    QStringList opened;

  private:
    bool saved_ = false;
    QByteArray previousData_;
    QByteArray previousHost_;
};

TEST_F(ShareWindow, DoubleClickOpensTheTasksTargetWithTheDesktop) {
    const std::pair<const char*, const char*> cases[] = {
        {"abc.mkv", "/Download2/Complete/abc.mkv"},
        {"Show", "/Download2/Complete/Show"},
        {"part.mkv", "/Download2/InComplete"},
    };
    for (auto [name, path] : cases) {
        opened.clear();
        QWidget* w = line(name);
        ASSERT_NE(w, nullptr) << name;
        QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(40, 12));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !opened.isEmpty(); }, 10000)) << name;
        EXPECT_EQ(opened, QStringList{smb(path)}) << name;
    }
}

TEST_F(ShareWindow, TheMenuOpensAtOnceAndShowsWhatTheShareHolds) {
    struct Case {
        const char* name;
        QStringList entries;
        bool enabled;
    };
    const Case cases[] = {
        {"abc.mkv", {"Open Directory", "Play"}, true},
        {"Show", {"Open Directory"}, true},
        {"part.mkv", {"Open Directory"}, true},
    };
    for (const Case& c : cases) {
        ui::TaskMenuWindow* menu = rightClick(c.name);
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(menu->isVisible()) << c.name;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return menu->entryCount() == c.entries.size() && menu->entryEnabled(1); }, 10000))
            << c.name;
        for (int e = 1; e <= menu->entryCount(); ++e) {
            EXPECT_EQ(menu->entryText(e), c.entries[e - 1]) << c.name;
            EXPECT_EQ(menu->entryEnabled(e), c.enabled) << c.name;
        }
        menu->hide();
    }
}

TEST_F(ShareWindow, AMissingFileDisablesBothEntries) {
    ui::TaskMenuWindow* menu = rightClick("gone.mkv");
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->isVisible());
    // The check's answer leaves the waiting entries as they are; give it time to arrive.
    QTest::qWait(2000);
    ASSERT_EQ(menu->entryCount(), 2);
    EXPECT_FALSE(menu->entryEnabled(1));
    EXPECT_FALSE(menu->entryEnabled(2));
}

TEST_F(ShareWindow, TheMenusEntriesOpenTheFolderOrPlayTheFile) {
    const std::pair<int, const char*> cases[] = {{1, "/Download2/Complete"},
                                                 {2, "/Download2/Complete/abc.mkv"}};
    for (auto [entry, path] : cases) {
        opened.clear();
        ui::TaskMenuWindow* menu = rightClick("abc.mkv");
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return menu->entryEnabled(2); }, 10000));
        auto* entryLine =
            menu->findChild<QWidget*>(QStringLiteral("img_TableViewLine%1").arg(entry));
        ASSERT_NE(entryLine, nullptr);
        QTest::mouseClick(entryLine, Qt::LeftButton, Qt::NoModifier, QPoint(30, 12));
        EXPECT_FALSE(menu->isVisible());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !opened.isEmpty(); }, 10000)) << entry;
        EXPECT_EQ(opened, QStringList{smb(path)}) << entry;
    }
    // The double click keeps the menu's last choice ("Play").
    opened.clear();
    QTest::mouseDClick(line("abc.mkv"), Qt::LeftButton, Qt::NoModifier, QPoint(40, 12));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !opened.isEmpty(); }, 10000));
    EXPECT_EQ(opened, QStringList{smb("/Download2/Complete/abc.mkv")});
}

}  // namespace
}  // namespace fv::test

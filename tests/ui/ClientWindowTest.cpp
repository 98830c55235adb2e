// The client as `ferrovane` assembles it (RunningClient: the real main window, its skinned
// buttons, the wiring, timers and workers) against the simulated router on loopback. The
// tests press the real widgets with QTest and read what reached the router.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "../unit/upload/Bencode.h"
#include "ClientSettingsFile.h"
#include "RouterClientFixture.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "i18n/MessageTexts.h"
#include "tasks/MainControlNames.h"
#include "tasks/TaskListModel.h"
#include "ui/ImageButton.h"
#include "ui/main/RunningClient.h"
#include "upload/TaskFile.h"

namespace fv::test {
namespace {

using routersim::Listener;

class ClientWindow : public RouterClientFixture {
  protected:
    void launch(int refreshSeconds = 1) {
        writeSettings(refreshSeconds);
        client = std::make_unique<ui::RunningClient>(StartupEnvironment::system(),
                                                     QStringList{"ferrovane"});
        ASSERT_TRUE(client->start());
        client->window().show();
    }
    std::string addTask(const std::string& id, const std::string& name) {
        routersim::Task t;
        t.id = id;
        t.name = name;
        t.sizeBytes = 1 << 20;
        t.doneBytes = 1 << 18;
        return sim.board().add(t);
    }

    template <typename T = QWidget>
    T* find(const QString& name) const {
        T* w = client->window().findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QString text(const QString& name) const {
        auto* label = find<QLabel>(name);
        return label ? label->text() : QString();
    }
    bool online() const {
        return text("Lab_ConnectStatus_Main") == MessageTexts::english()[Msg::FormMainMsg6];
    }
    // A real press and release in the middle of the skinned button.
    void press(const char* button) {
        QWidget* b = find(QString::fromLatin1(button));
        ASSERT_NE(b, nullptr);
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center());
    }
    void clickLine(int line) {
        QWidget* w = find(QStringLiteral("img_ListViewLine_%1").arg(line));
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    }
    static bool waitFor(const std::function<bool()>& condition, int ms) {
        return QTest::qWaitFor(condition, ms);
    }
    size_t requestsWith(const std::string& part) const {
        size_t n = 0;
        for (const routersim::Request& r : sim.requests())
            n += r.target.find(part) != std::string::npos ? 1 : 0;
        return n;
    }
    std::vector<UploadQueueEntry> queueFile() const {
        std::vector<UploadQueueEntry> entries;
        TaskFile(dir.file("FVTask.xml")).load(&entries);
        return entries;
    }
    QString writeTorrent(const QString& name, const std::vector<FileSpec>& files) {
        const QString path = dir.file(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        const std::string bytes = multiFileTorrent(files);
        f.write(bytes.data(), qint64(bytes.size()));
        return path;
    }
};

// Each command button works on every click, not only the first one of a run, and shows the
// "Sent" line each time.
TEST_F(ClientWindow, EveryCommandButtonSendsOnEveryClick) {
    addTask("7", "first.iso");
    addTask("8", "second.iso");
    addTask("9", "third.iso");
    launch();
    ASSERT_TRUE(
        waitFor([&] { return online() && !text("lab_FVPageInfoLVName_1").isEmpty(); }, 10000));
    const struct {
        const char* button;
        const char* query;
        const char* caption;
        bool perTask;
    } buttons[] = {
        {"BtnFVPagePause_Main", "fv_ctrl=paused&task_id=", "Pause", true},
        {"BtnFVPageResume_Main", "fv_ctrl=start&task_id=", "Resume", true},
        {"BtnFVPagePauseAll_Main", "fv_ctrl=pause_all&download_type=ALL", "Pause All", false},
        {"BtnFVPageResumeAll_Main", "fv_ctrl=start_all&download_type=ALL", "Resume All", false},
        {"BtnFVPageClear_Main", "fv_ctrl=clear&download_type=All", "Clear Complete", false},
        {"BtnFVPageRemove_Main", "fv_ctrl=cancel&task_id=", "Remove", true},
    };
    for (const auto& b : buttons) {
        for (size_t click = 1; click <= 2; ++click) {
            const QString firstTask = text("lab_FVPageInfoLVName_1");
            if (b.perTask)
                clickLine(1);  // Remove resets the selection: pick a task each time
            press(b.button);
            EXPECT_TRUE(waitFor([&] { return requestsWith(b.query) == click; }, 5000))
                << b.button << " click " << click << ": " << requestsWith(b.query);
            EXPECT_TRUE(find("LabCmdSendMsg_Main")->isVisible()) << b.button;
            EXPECT_EQ(text("LabCmdSendMsg_Main"),
                      QStringLiteral("\"%1\" %2")
                          .arg(b.caption, MessageTexts::english()[Msg::FormMainMsg9]));
            if (QLatin1String(b.caption) == QLatin1String("Remove")) {
                // The refresh after the command shows the list without the removed task.
                ASSERT_TRUE(waitFor(
                    [&] {
                        const QString now = text("lab_FVPageInfoLVName_1");
                        return !now.isEmpty() && now != firstTask;
                    },
                    10000));
            }
        }
    }
    EXPECT_EQ(sim.board().tasks().size(), 1u) << "two of three tasks removed";
}

// Add Task, the selection window's OK, and the upload with the chosen files, all through
// the window's own widgets.
TEST_F(ClientWindow, AddTaskThroughTheSelectionWindowUploads) {
    const QString path =
        writeTorrent("show.torrent",
                     {{1000, {"show.mkv"}, {}}, {20, {"show.nfo"}, {}}, {3000, {"extra.avi"}, {}}});
    launch();
    ASSERT_TRUE(waitFor([&] { return online(); }, 10000));
    client->wiring().setFileChooser([path] { return QStringList{path}; });
    press("BtnAdd_Main");
    QWidget* selection = nullptr;
    ASSERT_TRUE(waitFor(
        [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == "FormBtSelect" && w->isVisible())
                    selection = w;
            return selection != nullptr;
        },
        5000));
    auto* ok = selection->findChild<ui::ImageButton*>("BtnSelect_BtSelect");
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton, Qt::NoModifier, ok->rect().center());
    ASSERT_TRUE(waitFor([&] { return requestsWith("download_type=0,2") == 1; }, 15000))
        << "the media files were sent as the choice";
    ASSERT_TRUE(waitFor([&] { return queueFile().empty(); }, 10000));
    const auto tasks = sim.board().tasks();
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(tasks[0].selection, "0,2");
}

// After "Clear Done" moved the queue up, Remove on an upload row deletes the file that row
// shows, not the namesake that took its old place.
TEST_F(ClientWindow, RemoveOfAQueuedRowAfterTheQueueMoved) {
    ASSERT_TRUE(TaskFile(dir.file("FVTask.xml"))
                    .save({{"sent.torrent", UploadQueueEntry::kDone, "All", "/q/sent.torrent"},
                           {"a.torrent", UploadQueueEntry::kWaiting, "All", "/q/1/a.torrent"},
                           {"a.torrent", UploadQueueEntry::kWaiting, "All", "/q/2/a.torrent"}}));
    launch(60);  // one list build only: the rows keep showing the queue as it was
    ASSERT_TRUE(waitFor([&] { return text("lab_FVPageInfoLVName_3") == "a.torrent"; }, 10000));
    // The list-update tick drops the done entry.
    ASSERT_TRUE(waitFor([&] { return queueFile().size() == 2; }, 10000));
    ASSERT_EQ(text("lab_FVPageInfoLVName_3"), "a.torrent");
    clickLine(3);
    press("BtnFVPageRemove_Main");
    ASSERT_TRUE(waitFor([&] { return queueFile().size() == 1; }, 5000));
    EXPECT_EQ(queueFile()[0].FullPath, "/q/1/a.torrent");
    EXPECT_EQ(requestsWith("fv_ctrl=cancel"), 0u) << "a queued file is not a router task";
}

// The indicator follows the router: offline on the sixth failed refresh, online again with
// the first answer.
TEST_F(ClientWindow, RouterSwitchedOffAndOn) {
    addTask("7", "first.iso");
    launch();
    ASSERT_TRUE(waitFor([&] { return online(); }, 10000));
    EXPECT_TRUE(find("Img_Connected_Main")->isVisible());
    sim.faults(Listener::Service).setRefuse(true);
    ASSERT_TRUE(waitFor(
        [&] {
            return text("Lab_ConnectStatus_Main") == MessageTexts::english()[Msg::FormMainMsg5];
        },
        20000));
    EXPECT_TRUE(find("Img_DisConnected_Main")->isVisible());
    EXPECT_FALSE(find("Img_Connected_Main")->isVisible());
    EXPECT_EQ(text("lab_FVPageInfoLVName_1"), "first.iso") << "the last known tasks stay";
    sim.faults(Listener::Service).setRefuse(false);
    ASSERT_TRUE(waitFor([&] { return online(); }, 10000));
    EXPECT_TRUE(find("Img_Connected_Main")->isVisible());
}

// Every control name the logic writes into the main window's form (connection status, the
// command-sent line, the upload lines after a failure and a success) is a widget of the
// window, so nothing the logic shows goes nowhere.
TEST_F(ClientWindow, EveryNameTheLogicWritesIsAWidgetOfTheWindow) {
    addTask("7", "first.iso");
    const QString path = writeTorrent("n.torrent", {{1000, {"n.mkv"}, {}}});
    launch();
    ASSERT_TRUE(waitFor([&] { return online(); }, 10000));
    press("BtnFVPagePauseAll_Main");
    client->core().queueFile("gone.torrent", "All", dir.file("gone.torrent"));  // fails
    client->core().confirmQueued();
    ASSERT_TRUE(waitFor([&] { return client->core().queue().halted(); }, 10000));
    client->core().queueFile("n.torrent", "All", path);
    client->core().retrySending();
    ASSERT_TRUE(waitFor([&] { return client->core().queue().transfersFinished() >= 2; }, 15000));
    QTest::qWait(1200);  // a count-down tick
    // Names of the original's controls that this window replaced by another one.
    const QStringList withoutWidget = {QString::fromLatin1(main_names::RetryButton)};
    const QStringList names = client->core().mainForm().names();
    EXPECT_GE(names.size(), 10);
    for (const QString& name : names) {
        if (withoutWidget.contains(name))
            continue;
        EXPECT_NE(client->window().findChild<QWidget*>(name), nullptr) << name.toStdString();
    }
}

// The Settings button opens the setup area with the router's settings read into its pages;
// Apply on the NZB page checks the page and writes it to the router; OK returns to the list.
TEST_F(ClientWindow, SetupAreaThroughItsWidgets) {
    sim.settings().setValue("Server1.Host", "news.router.example");
    launch();
    ASSERT_TRUE(waitFor([&] { return online(); }, 10000));
    press("BtnSetup_Main");
    QWidget* area = find("panel_Setup");
    ASSERT_TRUE(area->isVisible());
    EXPECT_FALSE(client->window().timerBlackLV().enabled());
    ASSERT_TRUE(waitFor(
        [&] { return find<QLineEdit>("EditUSENETServer_Setup")->text() == "news.router.example"; },
        5000));
    QWidget* nzbTab = find("lab_Setup_tabSheetNZB");
    QTest::mouseClick(nzbTab, Qt::LeftButton);
    EXPECT_TRUE(find("tabSheetSetupPage3")->isVisible());

    auto* server = find<QLineEdit>("EditUSENETServer_Setup");
    server->selectAll();
    QTest::keyClick(server, Qt::Key_Delete);
    press("panel_Setup_Apply");
    EXPECT_TRUE(find("LabelNZBErrMag_Setup")->isVisible());
    EXPECT_EQ(text("LabelNZBErrMag_Setup"), "Please key in the USENET Server address.");
    EXPECT_EQ(requestsWith("action_mode=FV_APPLY&download_type=NZB"), 0u);

    QTest::keyClicks(server, "news.typed.example");
    press("panel_Setup_Apply");
    ASSERT_TRUE(
        waitFor([&] { return requestsWith("action_mode=FV_APPLY&download_type=NZB") == 1; }, 5000));
    EXPECT_TRUE(find("Lab_Setup_Apply_Send")->isVisible());
    EXPECT_EQ(text("Lab_Setup_Apply_Send"), "Apply send");
    EXPECT_TRUE(waitFor(
        [&] { return sim.settings().value("Server1.Host") == "news.typed.example"; }, 5000));

    const size_t fetchesBefore = requestsWith("fv_print_status.cgi");
    press("panel_Setup_OK");
    EXPECT_FALSE(area->isVisible());
    EXPECT_TRUE(client->window().timerBlackLV().enabled());
    EXPECT_TRUE(waitFor([&] { return requestsWith("fv_print_status.cgi") > fetchesBefore; }, 5000))
        << "the refresh runs again";
}

// The connection test of the setup area logs in and reports on the page.
TEST_F(ClientWindow, ConnectionTestReportsOnThePage) {
    launch();
    ASSERT_TRUE(waitFor([&] { return online(); }, 10000));
    press("BtnSetup_Main");
    press("BtnTest_Setup");
    ASSERT_TRUE(waitFor(
        [&] {
            return text("LabelTestMsg_Setup") ==
                   MessageTexts::english()[Msg::FormSetupMsg3];  // "The Connection is successful"
        },
        10000))
        << text("LabelTestMsg_Setup").toStdString();
    EXPECT_TRUE(find("LabelTestMsg_Setup")->isVisible());
    EXPECT_TRUE(waitFor([&] { return find("BtnTest_Setup")->isEnabled(); }, 5000));
    EXPECT_TRUE(waitFor([&] { return find("panel_Setup_tabSheetNZB")->isEnabled(); }, 5000));
}

}  // namespace
}  // namespace fv::test

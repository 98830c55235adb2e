#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QIcon>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QUrl>

#include "MainWindowFixture.h"
#include "TestEnvironment.h"
#include "platform/Timer.h"
#include "ui/BusyOverlay.h"
#include "ui/ImageButton.h"
#include "ui/MainTray.h"
#include "ui/SkinImage.h"
#include "ui/TaskMenuWindow.h"

namespace fv::test {
namespace {

// Answers at once, or keeps the answer until answer() when held.
class FixedShare : public ShareLookup {
  public:
    void probe(const QString& name, Done done) override {
        probed << name;
        if (held)
            pending = std::move(done);
        else
            done(kind);
    }
    void answer() {
        if (pending)
            std::exchange(pending, nullptr)(kind);
    }
    ShareEntryKind kind = ShareEntryKind::File;
    bool held = false;
    Done pending;
    QStringList probed;
};

TEST_F(MainWindowTest, WindowShapeAndNamedControls) {
    EXPECT_EQ(window->size(), QSize(683, 430));
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window->windowTitle(), "The New Ferrovane");
    const char* captions[][2] = {{"lab_btnAddTask", "Add Task"},
                                 {"lab_btnRemove", "Remove"},
                                 {"lab_btnPause", "Pause"},
                                 {"lab_btnResume", "Resume"},
                                 {"lab_btnPauseAll", "Pause All"},
                                 {"lab_btnResumeAll", "Resume All"},
                                 {"lab_btnClearComplete", "Clear Complete"},
                                 {"lab_btnSetup", "Settings"}};
    for (auto [name, caption] : captions)
        EXPECT_EQ(text(name), caption);
    for (int n = 1; n <= 5; ++n) {
        for (const char* col : {"Name", "Type", "Progress", "Status", "Size", "DLSp", "UpSp"})
            find(QString("lab_FVPageInfoLV%1_%2").arg(col).arg(n));
    }
    for (const char* title : {"Name", "Type", "Progress", "Status", "Size", "DLSpeed", "UpSpeed"})
        find(QString("lab_FVPageInfoLVTitle%1").arg(title));
    find("panel_FVPageInfoLVTitleReserved");
    EXPECT_EQ(text("Lab_ConnectStatus_Main"), MessageTexts::english()[Msg::FormMainMsg5]);
}

TEST_F(MainWindowTest, ButtonsClickThroughTheFormAndTabInOrder) {
    QStringList clicked;
    for (const char* name : ui::MainWindow::kButtonNames)
        form.onClick(name, [&](const QString& n) { clicked << n; });
    window->show();
    for (const char* name : ui::MainWindow::kButtonNames)
        click(find(name), QPoint(30, 15));
    EXPECT_EQ(clicked.size(), 8);
    EXPECT_EQ(clicked.first(), "BtnAdd_Main");
    EXPECT_EQ(clicked.last(), "BtnSetup_Main");

    QWidget* w = find("BtnAdd_Main");
    for (size_t i = 1; i < ui::MainWindow::kButtonNames.size(); ++i) {
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus)
            w = w->nextInFocusChain();
        EXPECT_EQ(w->objectName(), ui::MainWindow::kButtonNames[i]);
    }
    auto* add = find<ui::ImageButton>("BtnAdd_Main");
    add->setFocus();
    QTest::keyClick(add, Qt::Key_Space);
    EXPECT_EQ(clicked.size(), 9);
}

TEST_F(MainWindowTest, ButtonPictures) {
    auto* b = find<ui::ImageButton>("BtnFVPagePause_Main");
    struct Step {
        QEvent::Type type;
        const char* picture;
    };
    const Step steps[] = {{QEvent::Enter, "over"},
                          {QEvent::MouseButtonPress, "down"},
                          {QEvent::MouseButtonRelease, "over"},
                          {QEvent::Leave, "normal"}};
    for (const Step& s : steps) {
        if (s.type == QEvent::Enter) {
            QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
            QApplication::sendEvent(b, &e);
        } else if (s.type == QEvent::Leave) {
            QEvent e(QEvent::Leave);
            QApplication::sendEvent(b, &e);
        } else {
            send(b, s.type, QPoint(5, 5), Qt::LeftButton,
                 s.type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton);
        }
        EXPECT_EQ(b->property("picture").toString(), s.picture);
    }
}

TEST_F(MainWindowTest, FormStateDrivesTheStatusLines) {
    form.setText("Lab_ConnectStatus_Main", MessageTexts::english()[Msg::FormMainMsg6]);
    form.setVisible("LabCmdSendMsg_Main", true);
    form.setText("LabCmdSendMsg_Main", "Command sent");
    form.setVisible("Img_Connected_Main", true);
    form.setVisible("Img_DisConnected_Main", false);
    EXPECT_EQ(text("Lab_ConnectStatus_Main"), "Online");
    // Language texts reach the button captions and column titles through the form.
    form.setText("BtnAdd_Main", "Aufgabe");
    form.setText("lab_FVPageInfoLVTitleSize", "Gr\u00f6\u00dfe");
    EXPECT_EQ(text("lab_btnAddTask"), "Aufgabe");
    EXPECT_EQ(text("lab_FVPageInfoLVTitleSize"), QString::fromUtf8("Gr\u00f6\u00dfe"));
    EXPECT_FALSE(find("LabCmdSendMsg_Main")->isHidden());
    EXPECT_FALSE(find("Img_Connected_Main")->isHidden());
    EXPECT_TRUE(find("Img_DisConnected_Main")->isHidden());
    auto* edit = find<QLineEdit>("EditAufresh_Setup");
    QStringList exits;
    setupForm.onExit("EditAufresh_Setup", [&](const QString& n) { exits << n; });
    edit->clear();
    QTest::keyClicks(edit, "30");
    emit edit->editingFinished();
    EXPECT_EQ(setupForm.text("EditAufresh_Setup"), "30");
    EXPECT_EQ(exits.size(), 1);
}

// The upload failure texts run past their line (the English one by a few words, translations
// by more): such a text ends in an ellipsis and is whole in the tool tip; one that fits has none.
TEST_F(MainWindowTest, AStatusTextTooLongForItsLineIsCutAndWholeInItsToolTip) {
    const QString failure = MessageTexts::english()[Msg::FormMainMsg4].repeated(2);
    form.setVisible("LabTaskStatus_LinkContext_Main", true);
    form.setText("LabTaskStatus_LinkContext_Main", failure);
    window->show();
    auto* line = find<QLabel>("LabTaskStatus_LinkContext_Main");
    line->grab();  // paints it, as showing it on the screen would
    EXPECT_EQ(line->toolTip(), failure);
    EXPECT_EQ(text("LabTaskStatus_LinkContext_Main"), failure) << "the text itself stays whole";

    form.setText("LabTaskStatus_LinkContext_Main", "FAIL:short");
    line->grab();
    EXPECT_EQ(line->toolTip(), "");
}

TEST_F(MainWindowTest, RightClickOpensTheTaskMenu) {
    struct Case {
        const char* what;
        const char* status;
        bool remote;
        ShareEntryKind kind;
        QStringList entries;
        bool enabled;
    };
    const Case cases[] = {
        {"running", "Downloading", false, ShareEntryKind::File, {"Open Directory"}, true},
        {"finished file",
         "Finished",
         false,
         ShareEntryKind::File,
         {"Open Directory", "Play"},
         true},
        {"missing", "Seeding", false, ShareEntryKind::Missing, {"Open Directory", "Play"}, false},
        {"remote", "Finished", true, ShareEntryKind::File, {"Open Directory via Veyra"}, true},
    };
    for (const Case& c : cases) {
        SetUp();
        FixedShare share;
        share.kind = c.kind;
        window->setShareLookup(&share);
        window->setRemoteMode([&] { return c.remote; });
        useList(ListOfTasks::numbered(3, c.status));
        window->show();
        QWidget* line = find("img_ListViewLine_2");
        click(line, QPoint(40, 12), Qt::RightButton);
        ui::TaskMenuWindow* menu = window->tableView();
        ASSERT_TRUE(menu->isVisible()) << c.what;
        EXPECT_EQ(list->selected, 1) << c.what;
        ASSERT_EQ(menu->entryCount(), c.entries.size()) << c.what;
        for (int e = 1; e <= menu->entryCount(); ++e) {
            EXPECT_EQ(menu->entryText(e), c.entries[e - 1]) << c.what;
            EXPECT_EQ(menu->entryEnabled(e), c.enabled) << c.what;
        }
        EXPECT_EQ(menu->height(), 30 * static_cast<int>(c.entries.size()) + 4);
        // A left click on a line hides it again.
        click(find("img_ListViewLine_1"), QPoint(40, 12));
        EXPECT_FALSE(menu->isVisible()) << c.what;
        window->setShareLookup(nullptr);
    }
}

TEST_F(MainWindowTest, TheMenuOpensBeforeTheShareCheckAnswersAndThenUpdates) {
    struct Case {
        const char* what;
        ShareEntryKind kind;
        QStringList entries;
        bool enabled;
    };
    const Case cases[] = {
        {"file", ShareEntryKind::File, {"Open Directory", "Play"}, true},
        {"folder", ShareEntryKind::Folder, {"Open Directory"}, true},
        {"missing", ShareEntryKind::Missing, {"Open Directory", "Play"}, false},
    };
    for (const Case& c : cases) {
        SetUp();
        FixedShare share;
        share.kind = c.kind;
        share.held = true;
        window->setShareLookup(&share);
        useList(ListOfTasks::numbered(3, "Finished"));
        window->show();
        click(find("img_ListViewLine_2"), QPoint(40, 12), Qt::RightButton);
        ui::TaskMenuWindow* menu = window->tableView();
        ASSERT_TRUE(menu->isVisible()) << c.what;
        ASSERT_EQ(share.probed.size(), 1) << c.what;
        EXPECT_EQ(share.probed[0], list->text(1, 0)) << c.what;
        ASSERT_EQ(menu->entryCount(), 2) << c.what;
        EXPECT_FALSE(menu->entryEnabled(1)) << c.what;
        EXPECT_FALSE(menu->entryEnabled(2)) << c.what;
        share.answer();
        ASSERT_EQ(menu->entryCount(), c.entries.size()) << c.what;
        for (int e = 1; e <= menu->entryCount(); ++e) {
            EXPECT_EQ(menu->entryText(e), c.entries[e - 1]) << c.what;
            EXPECT_EQ(menu->entryEnabled(e), c.enabled) << c.what;
        }
        EXPECT_EQ(menu->height(), 30 * static_cast<int>(c.entries.size()) + 4) << c.what;
        window->setShareLookup(nullptr);
    }
}

TEST_F(MainWindowTest, AnAnswerForAnEarlierOpeningLeavesTheMenuAlone) {
    FixedShare share;
    share.kind = ShareEntryKind::Folder;
    share.held = true;
    window->setShareLookup(&share);
    useList(ListOfTasks::numbered(3, "Finished"));
    window->show();
    click(find("img_ListViewLine_1"), QPoint(40, 12), Qt::RightButton);
    ShareLookup::Done first = std::exchange(share.pending, nullptr);
    click(find("img_ListViewLine_2"), QPoint(40, 12), Qt::RightButton);
    ASSERT_TRUE(first);
    first(ShareEntryKind::Folder);  // the first opening's answer arrives late
    EXPECT_EQ(window->tableView()->entryCount(), 2);
    share.kind = ShareEntryKind::File;
    share.answer();
    EXPECT_TRUE(window->tableView()->entryEnabled(2));
    window->setShareLookup(nullptr);
}

TEST_F(MainWindowTest, MenuEntriesStartViewInTheirMode) {
    FixedShare share;
    window->setShareLookup(&share);
    useList(ListOfTasks::numbered(2, "Finished"));
    window->show();
    for (int entry : {2, 1}) {
        click(find("img_ListViewLine_1"), QPoint(40, 12), Qt::RightButton);
        window->tableView()->choose(entry);
        EXPECT_EQ(viewer.folder, entry == 1);
        EXPECT_FALSE(window->tableView()->isVisible());
    }
    EXPECT_EQ(viewer.views, 2);
    // Right-click on an empty line opens nothing.
    click(find("img_ListViewLine_4"), QPoint(40, 12), Qt::RightButton);
    EXPECT_FALSE(window->tableView()->isVisible());
}

TEST_F(MainWindowTest, TrayMenuAndExitWithoutANotificationArea) {
    ui::MainTray* tray = window->tray();
    ASSERT_NE(tray->action("Show_TrayPopup_Main"), nullptr);
    EXPECT_TRUE(tray->action("Exit_TrayPopup_Main")->isVisible());
    EXPECT_FALSE(tray->action("Samba_TrayPopup_Main")->isVisible());
    EXPECT_FALSE(tray->action("Veyra_TrayPopup_Main")->isVisible());
    useList(ListOfTasks::numbered(2));
    window->rowsChanged();
    EXPECT_TRUE(tray->toolTip().contains("Down 4.0 KB/s, Up 2.0 KB/s"));
    window->show();
    tray->action("Exit_TrayPopup_Main")->trigger();
    EXPECT_TRUE(window->closeRequested());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, DroppedFilesArriveInOrder) {
    QSignalSpy dropped(window.get(), &ui::MainWindow::filesDropped);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/a.torrent"), QUrl("https://example.invalid/x"),
                  QUrl::fromLocalFile("/tmp/b c.nzb"), QUrl::fromLocalFile("/tmp/readme.txt")});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    ASSERT_EQ(dropped.size(), 1);
    EXPECT_EQ(dropped.first().first().toStringList(),
              (QStringList{"/tmp/a.torrent", "/tmp/b c.nzb", "/tmp/readme.txt"}));
}

TEST_F(MainWindowTest, BusyOverlayAnimatesAndGivesUp) {
    struct Case {
        int ticksBeforeEnd;  // -1: the detection never ends
        int ticksToClose;
        bool gaveUp;
    };
    const Case cases[] = {{0, 1, false}, {3, 4, false}, {-1, 61, true}};
    for (const Case& c : cases) {
        auto timer = std::make_unique<ManualTimer>(1000);
        ManualTimer* t = timer.get();
        auto* overlay = new ui::BusyOverlay(window.get(), std::move(timer));
        QSignalSpy gaveUp(overlay, &ui::BusyOverlay::gaveUp);
        QPointer<ui::BusyOverlay> alive(overlay);
        overlay->show();
        EXPECT_FALSE(window->isEnabled());
        int ticks = 0;
        while (alive && t->enabled() && ticks < 100) {
            if (ticks == c.ticksBeforeEnd)
                overlay->setRunning(false);
            t->fire();
            ++ticks;
            if (alive && alive->isVisible() && ticks == 2) {
                EXPECT_EQ(alive->label()->text(), "connecting...");
            }
        }
        EXPECT_EQ(ticks, c.ticksToClose);
        EXPECT_EQ(gaveUp.size(), c.gaveUp ? 1 : 0);
        EXPECT_TRUE(window->isEnabled());
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(alive.isNull());
    }
}

}  // namespace
}  // namespace fv::test

namespace fv::test {
namespace {

TEST_F(MainWindowTest, TrayClickMinimizesOrRestores) {
    struct Case {
        const char* what;
        std::function<void(QWidget&)> before;
        bool minimizedAfter;
        bool visibleAfter;
    };
    const Case cases[] = {
        {"shown", [](QWidget& w) { w.show(); }, true, true},
        {"minimized", [](QWidget& w) { w.showMinimized(); }, false, true},
        {"hidden", [](QWidget& w) { w.hide(); }, false, true},
    };
    for (const Case& c : cases) {
        SetUp();
        c.before(*window);
        window->toggleFromTray();
        EXPECT_EQ(window->isMinimized(), c.minimizedAfter) << c.what;
        EXPECT_EQ(window->isVisible(), c.visibleAfter) << c.what;
    }
}

// The tray icon as the desktop drives it: its activation signal (a StatusNotifier host's
// Activate, an XEmbed tray's left click) restores a minimized window, the menu's reasons do
// not, and "Show" brings back a hidden one.
TEST_F(MainWindowTest, TrayIconActivationRestoresTheWindow) {
    ui::MainTray* tray = window->tray();
    QSystemTrayIcon* icon = tray->icon();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->objectName(), "TrayIcon_Main");
    EXPECT_FALSE(icon->icon().isNull()) << "the theme's icon or the skin's logo";
    EXPECT_EQ(icon->contextMenu(), tray->menu());
    EXPECT_TRUE(icon->toolTip().startsWith("The New Ferrovane"));

    window->showMinimized();
    ASSERT_TRUE(window->isMinimized());
    emit icon->activated(QSystemTrayIcon::Context);
    EXPECT_TRUE(window->isMinimized()) << "the menu's own click leaves the window";
    emit icon->activated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());

    window->hide();
    tray->action("Show_TrayPopup_Main")->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMinimized());
}

// Where the icon is installed in the theme, the tray and the window carry it by name, so a
// StatusNotifier host asks the theme for its own size instead of getting pixmaps.
TEST(MainTrayIcon, TheInstalledThemeIconIsUsedByName) {
    ScratchDir themes;
    const QString apps = themes.file("hicolor/48x48/apps");
    ASSERT_TRUE(QDir().mkpath(apps));
    QFile index(themes.file("hicolor/index.theme"));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write(
        "[Icon Theme]\nName=Hicolor\nDirectories=48x48/apps\n\n"
        "[48x48/apps]\nSize=48\nType=Fixed\n");
    index.close();
    QPixmap square(48, 48);
    square.fill(Qt::blue);
    ASSERT_TRUE(square.save(apps + "/com.ferrovane.Ferrovane.png"));

    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QString themeName = QIcon::themeName();
    EXPECT_TRUE(ui::MainTray::appIcon().name().isEmpty()) << "not installed: the skin's logo";
    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName("hicolor");
    const QIcon installed = ui::MainTray::appIcon();
    // The theme is read when the icon is drawn, so before the paths go back.
    EXPECT_EQ(installed.name(), "com.ferrovane.Ferrovane");
    EXPECT_EQ(installed.pixmap(48, 48).toImage().pixelColor(24, 24), QColor(Qt::blue));
    QIcon::setThemeSearchPaths(searchPaths);
    QIcon::setThemeName(themeName);
}

TEST_F(MainWindowTest, BackgroundResetsButtonsAndHidesTheMenu) {
    FixedShare share;
    window->setShareLookup(&share);
    useList(ListOfTasks::numbered(2));
    window->show();
    auto* b = find<ui::ImageButton>("BtnFVPageResume_Main");
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(b, &enter);
    ASSERT_EQ(b->property("picture").toString(), "over");
    send(window.get(), QEvent::MouseMove, QPoint(5, 200), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(b->property("picture").toString(), "normal");

    click(find("img_ListViewLine_1"), QPoint(40, 12), Qt::RightButton);
    ASSERT_TRUE(window->tableView()->isVisible());
    send(window.get(), QEvent::MouseButtonPress, QPoint(300, 20), Qt::LeftButton, Qt::LeftButton);
    send(window.get(), QEvent::MouseButtonRelease, QPoint(300, 20), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(window->tableView()->isVisible());
    window->setShareLookup(nullptr);
}

}  // namespace
}  // namespace fv::test

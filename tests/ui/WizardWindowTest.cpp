// The first start without a settings file, through the real window: the wizard's pages, its
// agreement, the account, the detection under the busy overlay against three simulated
// routers on loopback addresses (one of them slow), Finish writing the settings file, and
// Skip leaving none. The window must keep painting throughout.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "LoopbackPort.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "UiThreadStallMeter.h"
#include "ui/ImageButton.h"
#include "ui/main/RunningClient.h"

namespace fv::test {
namespace {

using routersim::Listener;

class WizardWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        previousDataDir_ = qgetenv("FV_DATA_DIR");
        qputenv("FV_DATA_DIR", dir.path().toUtf8());
    }
    void TearDown() override {
        if (client) {
            client->finish();
            client.reset();
        }
        sims.clear();
        qputenv("FV_DATA_DIR", previousDataDir_);
    }
    void startRouter(const char* address, const char* name, std::uint8_t macByte, const char* ddns,
                     const char* wan, bool installed = true, std::uint16_t webPort = 0) {
        routersim::SimulatorConfig c;
        c.webPort = webPort;
        c.facts.serviceInstalled = installed;
        c.bindAddress = address;
        c.authPort = authPort;
        c.discoveryPort = discoveryPort;
        c.facts.deviceName = name;
        c.facts.mac[5] = macByte;
        c.facts.ddnsName = ddns;
        c.facts.wanAddress = wan;
        auto sim = std::make_unique<routersim::Simulator>(c);
        std::string error;
        ASSERT_TRUE(sim->start(&error)) << error;
        sims.push_back(std::move(sim));
    }
    void launch() {
        ClientCore::Options o;
        o.discovery.bindAddress = "127.0.0.1";
        o.discovery.bindPort = 0;
        o.discovery.limitedBroadcast = "127.0.0.2";
        o.discovery.targetPort = discoveryPort;
        o.discovery.listAdapters = [] {
            return std::vector<AdapterAddress>{{"test", "127.0.0.3", "255.255.255.255"},
                                               {"test", "127.0.0.4", "255.255.255.255"}};
        };
        client = std::make_unique<ui::RunningClient>(StartupEnvironment::system(),
                                                     QStringList{"ferrovane"}, std::move(o));
        ASSERT_TRUE(client->start());
        client->window().show();
    }
    // The search as the program makes it: the limited broadcast and every adapter's subnet
    // broadcast on port 9999.
    void launchOnTheNetwork() {
        ClientCore::Options o;
        o.discovery = SearchEndpoints{};
        client = std::make_unique<ui::RunningClient>(StartupEnvironment::system(),
                                                     QStringList{"ferrovane"}, std::move(o));
        ASSERT_TRUE(client->start());
        client->window().show();
    }
    template <typename T = QWidget>
    T* find(const QString& name) const {
        T* w = client->window().findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QString pageShowing() const {
        auto* pages = find<QStackedWidget>("PageControl_Setup");
        return pages && pages->currentWidget() ? pages->currentWidget()->objectName() : QString();
    }
    void click(const QString& name) {
        QWidget* w = find(name);
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    }
    void type(const QString& name, const QString& text) {
        auto* edit = find<QLineEdit>(name);
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    bool visibleCaption(const QString& name) const {
        QWidget* w = find(name);
        return w && w->isVisible();
    }

    std::uint16_t authPort = freeLoopbackPort(SOCK_STREAM);
    std::uint16_t discoveryPort = freeLoopbackPort(SOCK_DGRAM);
    ScratchDir dir;
    std::vector<std::unique_ptr<routersim::Simulator>> sims;
    std::unique_ptr<ui::RunningClient> client;

  private:
    QByteArray previousDataDir_;
};

TEST_F(WizardWindow, FirstStartFindsTheRouterAndFinishSavesTheConnection) {
    startRouter("127.0.0.2", "KR-SLOW", 1, "slow.example.org", "203.0.113.45");
    startRouter("127.0.0.3", "KR-HOME", 2, "", "203.0.113.46");
    startRouter("127.0.0.4", "KR-BEHIND", 3, "", "192.168.5.2");
    routersim::Faults slow;
    slow.delayMs = 1200;
    slow.onlyTarget = "update_applist";
    sims[0]->faults(Listener::Auth).set(slow);
    launch();

    ASSERT_TRUE(QTest::qWaitFor([&] { return pageShowing() == "tabSheetSetupWizard0"; }, 5000));
    EXPECT_TRUE(visibleCaption("lab_Setup_Next_Text"));
    EXPECT_FALSE(find("panel_Setup_OK")->isEnabled()) << "Next waits for the agreement";
    EXPECT_FALSE(find("panel_Setup_tabSheetBitTorrent")->isVisible());
    click("panel_Setup_OK");
    EXPECT_EQ(pageShowing(), "tabSheetSetupWizard0");

    click("ChkBox_SetupWizard0");
    ASSERT_TRUE(find("panel_Setup_OK")->isEnabled());
    click("panel_Setup_OK");
    ASSERT_EQ(pageShowing(), "tabSheetSetupWizard2");

    type("EditFVUs_SetupWizard2", "admin");
    type("EditFVPs_SetupWizard2", "admin");
    click("RadioBtnAdvanced_SetupWizard2");
    ASSERT_TRUE(find("panel_SetupWizard2_Advanced")->isVisible());
    auto* method = find<QComboBox>("ComboBox_AuthMethod_SetupWizard2");
    ASSERT_NE(method, nullptr);
    method->setFocus();
    QTest::keyClick(method, Qt::Key_Down);  // "https", as a user picks it
    ASSERT_EQ(method->currentText(), "https");
    EXPECT_EQ(find<QLineEdit>("Edit_AuthPort_SetupWizard2")->text(), "8443");
    type("Edit_AuthPort_SetupWizard2", QString::number(authPort));

    UiThreadStallMeter meter(100);
    click("panel_Setup_OK");  // Next: the detection under the busy overlay
    ASSERT_TRUE(QTest::qWaitFor([&] { return client->wiring().busyOverlay() != nullptr; }, 2000));
    EXPECT_FALSE(client->window().isEnabled()) << "the window takes no input meanwhile";
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return pageShowing() == "tabSheetSetupWizard3" && !client->wiring().busyOverlay(); },
        30000))
        << pageShowing().toStdString();
    // A probe, a library call or the connection test's wait on this thread would hold it for a
    // second or more.
    EXPECT_LE(meter.longestMs(), 100) << "the UI thread stalled: " << meter.longestHoldSample();
    EXPECT_TRUE(client->window().isEnabled());

    // The public router without a DDNS name got one; the slow one has its own name and the
    // one behind another router none.
    EXPECT_FALSE(sims[1]->profile().get().ddnsHost.empty());
    EXPECT_TRUE(sims[2]->profile().get().ddnsHost.empty());
    EXPECT_TRUE(visibleCaption("lab_Setup_Go_Text"));
    EXPECT_FALSE(QFile::exists(dir.file("FVSetup.xml")));

    click("panel_Setup_OK");  // Finish
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(dir.file("FVSetup.xml")); }, 3000));
    const ConnectionProfile conn = client->core().records().connection();
    EXPECT_EQ(conn.ServerAddress, "127.0.0.4") << "the first entry of the found routers";
    EXPECT_EQ(conn.UserName, "admin");
    EXPECT_FALSE(find("panel_Setup")->isVisible()) << "back to the task list";
    EXPECT_FALSE(find("panel_Setup_tabSheetBitTorrent")->isHidden()) << "the tabs are back";
    QWidget* online = find("Img_Connected_Main");
    ASSERT_NE(online, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return online->isVisible(); }, 5000))
        << "the task list goes online with the found router";
}

// Nothing answers the search: the address page takes a typed address, and Finish saves it.
// The lists still hold a router an earlier search found, which this search empties: neither
// the list nor the completion of the typed text may bring that router back, and the port the
// page shows is the one saved though the search emptied the connection page's.
TEST_F(WizardWindow, WithNoRouterFinishOnTheAddressPageSavesTheTypedAddress) {
    launch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pageShowing() == "tabSheetSetupWizard0"; }, 5000));
    FormState& form = client->core().setupForm();
    form.setItems("ComboBoxLocalIP_SetupWizard1", {"127.0.0.1 (KR-GONE)"});
    form.setItems("ComboBoxFVPort_SetupWizard1", {"9999"});
    form.setItems("ComboBoxLocalIP_Setup", {"127.0.0.1 (KR-GONE)"});
    form.setItems("ComboBoxFVPort_Setup", {"9999"});
    click("ChkBox_SetupWizard0");
    click("panel_Setup_OK");
    type("EditFVUs_SetupWizard2", "admin");
    type("EditFVPs_SetupWizard2", "secret");
    click("panel_Setup_OK");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return pageShowing() == "tabSheetSetupWizard1" && !client->wiring().busyOverlay(); },
        15000));
    EXPECT_TRUE(visibleCaption("lab_Setup_Go_Text"));
    auto* list = find<QComboBox>("ComboBoxLocalIP_SetupWizard1");
    ASSERT_NE(list, nullptr);
    list->lineEdit()->selectAll();
    EXPECT_EQ(list->count(), 0) << "the search emptied the list";
    QTest::keyClicks(list->lineEdit(), "127.0.0.1");
    ASSERT_EQ(find<QLineEdit>("EditFVPort_SetupWizard1")->text(), "8081") << "the port shown";

    click("panel_Setup_OK");  // Finish
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(dir.file("FVSetup.xml")); }, 3000));
    const ConnectionProfile conn = client->core().records().connection();
    EXPECT_EQ(conn.ServerAddress, "127.0.0.1");
    EXPECT_EQ(conn.ServerPort, "8081") << "the port the address page showed";
    EXPECT_EQ(conn.UserName, "admin");
    QFile saved(dir.file("FVSetup.xml"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QString xml =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(saved.readAll().constData()));
    EXPECT_TRUE(xml.contains("<FVAddressLocal>127.0.0.1</FVAddressLocal>")) << xml.toStdString();
    EXPECT_TRUE(xml.contains("<Port>8081</Port>")) << xml.toStdString();
    EXPECT_FALSE(find("panel_Setup")->isVisible()) << "back to the task list";
}

// Real broadcasts go out here, so this runs only inside the test network that
// tests/netns/wizard_netns.sh builds from network namespaces, with its two routers: KR-PUBLIC
// (192.0.2.10, a public WAN address, no DDNS name yet) and KR-BEHIND (198.51.100.20, behind
// another router). The script checks afterwards which of them got a DDNS name.
TEST_F(WizardWindow, InATestNetworkTheFirstStartFindsBothRoutersAndGoesOnline) {
    if (qgetenv("FV_WIZARD_NETNS") != "1")
        GTEST_SKIP() << "runs inside the namespace network of tests/netns/wizard_netns.sh";
    QFile own(QStringLiteral("/proc/self/ns/net")), init(QStringLiteral("/proc/1/ns/net"));
    ASSERT_NE(QFile::symLinkTarget(own.fileName()), QFile::symLinkTarget(init.fileName()))
        << "never broadcast on the machine's own network";
    launchOnTheNetwork();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pageShowing() == "tabSheetSetupWizard0"; }, 5000));
    click("ChkBox_SetupWizard0");
    click("panel_Setup_OK");
    type("EditFVUs_SetupWizard2", "admin");
    type("EditFVPs_SetupWizard2", "admin");
    click("panel_Setup_OK");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return pageShowing() == "tabSheetSetupWizard3" && !client->wiring().busyOverlay(); },
        30000))
        << pageShowing().toStdString();

    const QStringList found = client->core().setupForm().items("ComboBoxLocalIP_Setup");
    EXPECT_TRUE(found.contains("192.0.2.10 (KR-PUBLIC)")) << found.join(", ").toStdString();
    EXPECT_TRUE(found.contains("198.51.100.20 (KR-BEHIND)")) << found.join(", ").toStdString();
    click("panel_Setup_OK");  // Finish
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(dir.file("FVSetup.xml")); }, 3000));
    ASSERT_FALSE(found.isEmpty());
    EXPECT_EQ(client->core().records().connection().ServerAddress,
              found.first().section(' ', 0, 0));
    QWidget* online = find("Img_Connected_Main");
    ASSERT_NE(online, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return online->isVisible(); }, 8000));
}

TEST_F(WizardWindow, SkipRightAfterTheStartLeavesNoSettingsFile) {
    launch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pageShowing() == "tabSheetSetupWizard0"; }, 5000));
    click("panel_Setup_Skip");
    EXPECT_EQ(pageShowing(), "tabSheetSetupWizard0") << "Skip waits for the agreement too";
    click("ChkBox_SetupWizard0");
    click("panel_Setup_Skip");
    EXPECT_FALSE(find("panel_Setup")->isVisible());
    QTest::qWait(200);
    EXPECT_FALSE(QFile::exists(dir.file("FVSetup.xml")));
}

// The address page's test: the probe and service test against the typed address, which either
// moves on to the account page or says why nothing answered there.
TEST_F(WizardWindow, TheAddressPageTestsTheTypedAddress) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "the address test probes the router's standard web port 80, which only "
                        "root may open";
    startRouter("127.0.0.2", "KR-READY", 1, "", "203.0.113.45", true, 80);
    startRouter("127.0.0.3", "KR-EMPTY", 2, "", "203.0.113.46", false, 80);
    launch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pageShowing() == "tabSheetSetupWizard0"; }, 5000));
    click("ChkBox_SetupWizard0");
    click("panel_Setup_OK");
    client->wiring().wizard().previous();  // the address page, as its Previous leads back
    ASSERT_EQ(pageShowing(), "tabSheetSetupWizard1");
    auto* list = find<QComboBox>("ComboBoxLocalIP_SetupWizard1");
    ASSERT_NE(list, nullptr);

    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), "127.0.0.3");
    click("panel_Setup_OK");
    QLabel* notFound = find<QLabel>("Lab_SetupWizard1_Detect2_Dec0");
    ASSERT_TRUE(QTest::qWaitFor([&] { return notFound->isVisible(); }, 8000));
    EXPECT_EQ(notFound->text(),
              "Server is not found, Ferrovane is maybe not installed on the server.");
    EXPECT_EQ(pageShowing(), "tabSheetSetupWizard1");
    EXPECT_TRUE(find("Lab_SetupWizard1_Dec2")->isVisible());

    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), "127.0.0.2");
    click("panel_Setup_OK");
    ASSERT_TRUE(QTest::qWaitFor([&] { return pageShowing() == "tabSheetSetupWizard2"; }, 8000));
    EXPECT_TRUE(visibleCaption("lab_Setup_Previous_Text"));
    EXPECT_EQ(find<QLabel>("Lab_SetupWizard1_Detect_Dec0")->text(), "Server found");
    click("panel_Setup_Apply");  // Previous
    EXPECT_EQ(pageShowing(), "tabSheetSetupWizard1");
}

}  // namespace
}  // namespace fv::test

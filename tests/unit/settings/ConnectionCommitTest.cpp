#include "settings/ConnectionCommit.h"

#include "TestEnvironment.h"
#include "platform/FormState.h"
#include "router/SettingsRecords.h"
#include "settings/SetupDocument.h"
#include "settings/SetupFieldRules.h"

#include <gtest/gtest.h>
#include <QFile>

namespace fv {
namespace {

TEST(ConnectionCommitRules, LocalAddressIsCutBeforeTheDeviceName) {
    const struct {
        const char* text;
        const char* address;
    } cases[] = {
        {"192.168.1.1 (FV-Router)", "192.168.1.1"},
        {"192.168.1.1(FV-Router)", "192.168.1.1"},  // no blank: the address stays whole
        {"10.0.0.2  (two blanks)", "10.0.0.2"},
        {"10.0.0.3", "10.0.0.3"},
        {"router.lan", "router.lan"},
        {"(name only)", ""},
        {"", ""},
        {"1.2.3.4 (a) (b)", "1.2.3.4"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConnectionCommit::localAddress(c.text), c.address) << c.text;
}

TEST(ConnectionCommitRules, RefreshPeriodInMilliseconds) {
    const struct {
        const char* seconds;
        int32_t ms;
    } cases[] = {
        {"5", 5000},  {"30", 30000}, {"180", 180000}, {"", 10000},
        {"x", 10000}, {"0", 10000},  {"-4", 10000},   {"99999999999999", 2147483000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConnectionCommit::refreshIntervalMs(c.seconds), c.ms) << c.seconds;
}

void writeFile(const QString& path, const QByteArray& inner) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("<?xml version=\"1.0\"?><root>" + inner + "</root>");
}

class Commit : public ::testing::Test {
  protected:
    void SetUp() override { rules.installWithInitialValues(); }
    test::ScratchDir dir;
    FormState fields;
    SetupFieldRules rules{fields, SetupFormKind::SetupPages};
    SettingsRecords records;
    SetupDocument doc{fields, records, SetupFormKind::SetupPages, dir.file("FVSetup.xml")};
};

TEST_F(Commit, FieldsFillTheRecordByMode) {
    const QString suffix = QLatin1String(ConnectionCommit::kMakerDdnsSuffix);
    ASSERT_TRUE(suffix.startsWith('.'));
    const struct {
        bool remote;
        int choice;
        const char* local;
        QString address;
    } cases[] = {
        {false, 0, "192.168.1.1 (FV)", "192.168.1.1"},
        {false, 1, "192.168.1.7", "192.168.1.7"},
        {true, 0, "", "myfv" + suffix},
        {true, 1, "", "fv.example.org"},
    };
    for (const auto& c : cases) {
        fields.setItems("ComboBoxLocalIP_Setup", {c.local});
        fields.setItemIndex("ComboBoxLocalIP_Setup", 0);
        fields.setText("EditDDNSKova_Setup", "myfv");
        fields.setText("EditOthersIP_Setup", "fv.example.org");
        fields.setChecked(c.remote ? "RadioBtnRemote_Setup" : "RadioBtnLocal_Setup", true);
        fields.setItemIndex("RaGpDDNSAddress_Setup", c.choice);
        doc.commitConnectionFields();
        EXPECT_EQ(records.connection().ServerAddress, c.address);
        EXPECT_EQ(records.connection().IsRemote, c.remote);
    }
}

TEST_F(Commit, FieldsFillAccountPortRefreshAndAuthentication) {
    fields.setText("EditFVPort2_Setup", "9000");
    fields.setText("EditFVUs_Setup", "bob");
    fields.setText("EditFVPs_Setup", "pw");
    fields.setText("EditAufresh_Setup", "");
    fields.setItemIndex("ComboBox_AuthMethod_Setup", 1);
    fields.setChecked("ChkBox_ChkVerAtStart_About", true);
    records.editConnection([](ConnectionProfile& c) { c.SessionTokenHeader = "Cookie: x"; });
    doc.commitConnectionFields();
    const ConnectionProfile c = records.connection();
    EXPECT_EQ(c.ServerPort, "9000");
    EXPECT_EQ(c.UserName, "bob");
    EXPECT_EQ(c.Password, "pw");
    EXPECT_EQ(c.RefreshIntervalMs, 10000);
    EXPECT_EQ(c.AuthMethod, 1);
    EXPECT_EQ(c.AuthPort, "8443");
    EXPECT_TRUE(c.CheckVersionAtStart);
    EXPECT_EQ(c.SessionTokenHeader, "Cookie: x");
}

TEST_F(Commit, AtStartWithoutFileUsesTheStartValues) {
    records.editConnection([](ConnectionProfile& c) {
        c.AuthPort = "untouched";
        c.RouterName = "kept";
    });
    doc.commitConnectionAtStartup();
    const ConnectionProfile c = records.connection();
    EXPECT_FALSE(c.IsRemote);
    EXPECT_EQ(c.ServerAddress, "");
    EXPECT_EQ(c.ServerPort, "8081");
    EXPECT_EQ(c.UserName, "admin");
    EXPECT_EQ(c.Password, "admin");
    EXPECT_EQ(c.RefreshIntervalMs, 10000);
    EXPECT_EQ(c.AuthPort, "untouched");
    EXPECT_EQ(c.RouterName, "kept");
}

TEST_F(Commit, AtStartFromTheFile) {
    const QString suffix = QLatin1String(ConnectionCommit::kMakerDdnsSuffix);
    const struct {
        const char* name;
        const char* inner;
        QString address;
        const char* port;
        const char* user;
        const char* password;
        int32_t refreshMs;
        bool remote;
    } cases[] = {
        {"local with device name",
         "<ConColumn><FVAddressLocal>192.168.1.20 (FV)</FVAddressLocal><Port>8090</Port>"
         "<Autorefresh>30</Autorefresh></ConColumn>",
         "192.168.1.20", "8090", "admin", "admin", 30000, false},
        {"remote DDNS name",
         "<ConColumn><FVRadioRemote>1</FVRadioRemote><FVRemoteRadioNo>0</FVRemoteRadioNo>"
         "<FVAddressRemote0>myfv</FVAddressRemote0><UserName>bob</UserName></ConColumn>",
         "myfv" + suffix, "8081", "bob", "admin", 10000, true},
        {"remote other address",
         "<ConColumn><FVRadioRemote>1</FVRadioRemote><FVRemoteRadioNo>1</FVRemoteRadioNo>"
         "<FVAddressRemote1>fv.example.org</FVAddressRemote1><Password>pw</Password>"
         "</ConColumn>",
         "fv.example.org", "8081", "admin", "pw", 10000, true},
        {"zero refresh does not spin", "<ConColumn><Autorefresh>0</Autorefresh></ConColumn>", "",
         "8081", "admin", "admin", 10000, false},
        {"empty refresh gets the default", "<ConColumn><Autorefresh></Autorefresh></ConColumn>", "",
         "8081", "admin", "admin", 10000, false},
        {"broken file keeps the start values", "<ConColumn><Port>9", "", "8081", "admin", "admin",
         10000, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FormState f;
        SetupFieldRules r(f, SetupFormKind::SetupPages);
        r.installWithInitialValues();
        SettingsRecords rec;
        SetupDocument d(f, rec, SetupFormKind::SetupPages, dir.file("FVSetup.xml"));
        writeFile(d.path(), c.inner);
        d.loadConnectionColumn();
        d.commitConnectionAtStartup();
        const ConnectionProfile info = rec.connection();
        EXPECT_EQ(info.ServerAddress, c.address);
        EXPECT_EQ(info.ServerPort, c.port);
        EXPECT_EQ(info.UserName, c.user);
        EXPECT_EQ(info.Password, c.password);
        EXPECT_EQ(info.RefreshIntervalMs, c.refreshMs);
        EXPECT_EQ(info.IsRemote, c.remote);
    }
}

TEST_F(Commit, AtStartFillsAGivenStandAloneWindow) {
    writeFile(doc.path(),
              "<ConColumn><Autorefresh>30</Autorefresh><UserName>u</UserName>"
              "<AuthPort>1</AuthPort></ConColumn>");
    FormState window;
    SetupFieldRules windowRules(window, SetupFormKind::StandAlone);
    windowRules.installWithInitialValues();
    doc.commitConnectionAtStartup(&window);
    EXPECT_EQ(window.text("EditAufresh_Setup"), "30");
    EXPECT_EQ(window.text("EditFVUs_Setup"), "u");
    EXPECT_FALSE(window.has("Edit_AuthPort_Setup"));
    EXPECT_EQ(records.connection().RefreshIntervalMs, 30000);
}

}  // namespace
}  // namespace fv

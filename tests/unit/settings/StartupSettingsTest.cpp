#include "settings/StartupSettings.h"

#include "TestEnvironment.h"
#include "platform/FormState.h"
#include "settings/ConnectionCommit.h"
#include "settings/SetupDocument.h"
#include "settings/SetupFieldRules.h"

#include <gtest/gtest.h>
#include <QFile>

namespace fv {
namespace {

void writeFile(const QString& path, const QByteArray& inner) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("<?xml version=\"1.0\"?><root>" + inner + "</root>");
}

struct StartCase {
    const char* name;
    const char* inner;
    QString address;
    const char* port;
    const char* user;
    const char* password;
    int32_t refreshMs;
    bool remote;
};

const QString kSuffix = QLatin1String(ConnectionCommit::kMakerDdnsSuffix);

const StartCase kCases[] = {
    {"no column", "<BTColumn/>", "", "8081", "admin", "admin", 10000, false},
    {"local with device name",
     "<ConColumn><FVAddressLocal>192.168.1.20 (FV)</FVAddressLocal><Port>8090</Port>"
     "<Autorefresh>30</Autorefresh></ConColumn>",
     "192.168.1.20", "8090", "admin", "admin", 30000, false},
    {"remote DDNS name",
     "<ConColumn><FVRadioRemote>1</FVRadioRemote><FVAddressRemote0>myfv</FVAddressRemote0>"
     "<UserName>bob</UserName></ConColumn>",
     "myfv" + kSuffix, "8081", "bob", "admin", 10000, true},
    {"remote without a name keeps the placeholder",
     "<ConColumn><FVRadioRemote>1</FVRadioRemote></ConColumn>", "DDNSName" + kSuffix, "8081",
     "admin", "admin", 10000, true},
    {"remote other address",
     "<ConColumn><FVRadioRemote>1</FVRadioRemote><FVRemoteRadioNo>1</FVRemoteRadioNo>"
     "<Password>pw</Password></ConColumn>",
     "www.example.com", "8081", "admin", "pw", 10000, true},
    {"remote then local",
     "<ConColumn><FVRadioRemote>1</FVRadioRemote>"
     "<FVRadioRemote>0</FVRadioRemote><FVAddressLocal>10.0.0.9</FVAddressLocal></ConColumn>",
     "10.0.0.9", "8081", "admin", "admin", 10000, false},
    {"garbage port gets the default", "<ConColumn><Port>abc</Port></ConColumn>", "", "8081",
     "admin", "admin", 10000, false},
    {"port above the maximum loses digits", "<ConColumn><Port>99999</Port></ConColumn>", "", "9999",
     "admin", "admin", 10000, false},
    {"port with a leading zero", "<ConColumn><Port>08082</Port></ConColumn>", "", "8082", "admin",
     "admin", 10000, false},
    {"short refresh is kept", "<ConColumn><Autorefresh>3</Autorefresh></ConColumn>", "", "8081",
     "admin", "admin", 3000, false},
    {"refresh above 180 loses digits", "<ConColumn><Autorefresh>500</Autorefresh></ConColumn>", "",
     "8081", "admin", "admin", 50000, false},
    {"zero refresh does not spin", "<ConColumn><Autorefresh>0</Autorefresh></ConColumn>", "",
     "8081", "admin", "admin", 10000, false},
    {"empty account stays empty",
     "<ConColumn><UserName></UserName><Password></Password></ConColumn>", "", "8081", "", "", 10000,
     false},
    {"broken file keeps the start values", "<ConColumn><Port>9", "", "8081", "admin", "admin",
     10000, false},
};

void expectCase(const ConnectionProfile& info, const StartCase& c) {
    EXPECT_EQ(info.ServerAddress, c.address);
    EXPECT_EQ(info.ServerPort, c.port);
    EXPECT_EQ(info.UserName, c.user);
    EXPECT_EQ(info.Password, c.password);
    EXPECT_EQ(info.RefreshIntervalMs, c.refreshMs);
    EXPECT_EQ(info.IsRemote, c.remote);
}

TEST(StartupSettings, FillsTheConnectionRecordWithoutAForm) {
    test::ScratchDir dir;
    const QString path = dir.file("FVSetup.xml");
    for (const StartCase& c : kCases) {
        SCOPED_TRACE(c.name);
        writeFile(path, c.inner);
        expectCase(StartupSettings::load(path).record, c);
    }
}

// The window's way (file into the setup pages, then the start-up commit) and the form-free
// way must agree on every file.
TEST(StartupSettings, AgreesWithTheSetupPagesAtStart) {
    test::ScratchDir dir;
    const QString path = dir.file("FVSetup.xml");
    for (const StartCase& c : kCases) {
        SCOPED_TRACE(c.name);
        writeFile(path, c.inner);
        FormState fields;
        SetupFieldRules rules(fields, SetupFormKind::SetupPages);
        rules.installWithInitialValues();
        SettingsRecords records;
        SetupDocument doc(fields, records, SetupFormKind::SetupPages, path);
        doc.loadConnectionColumn();
        doc.commitConnectionAtStartup();
        expectCase(records.connection(), c);
    }
}

TEST(StartupSettings, ReportsWhatItFoundAndKeepsTheColumns) {
    test::ScratchDir dir;
    const QString path = dir.file("FVSetup.xml");
    const StartupSettings missing = StartupSettings::load(path);
    EXPECT_EQ(missing.status, SettingsFile::Status::Missing);
    EXPECT_EQ(missing.record.ServerPort, "8081");
    EXPECT_EQ(missing.record.UserName, "admin");

    writeFile(path, "<ConColumn><Port>9");
    EXPECT_EQ(StartupSettings::load(path).status, SettingsFile::Status::Damaged);

    writeFile(path,
              "<NZBColumn><USENETServer>news</USENETServer></NZBColumn>"
              "<BTColumn><MaxPeer>61</MaxPeer></BTColumn>"
              "<ConColumn><WebDavHttpsPort>443</WebDavHttpsPort><AuthMethod>1</AuthMethod>"
              "</ConColumn>");
    const StartupSettings read = StartupSettings::load(path);
    EXPECT_EQ(read.status, SettingsFile::Status::Read);
    EXPECT_EQ(read.nzb.server, "news");
    EXPECT_EQ(read.bitTorrent.maxPeers, "61");
    EXPECT_EQ(read.connection.authMethod, 1);
    EXPECT_EQ(read.record.WebDavHttpsPort, "443");
    EXPECT_EQ(read.record.WebDavHttpPort, "");
}

TEST(SettingsFileColumns, SavingAColumnKeepsTheOthersAndPutsItLast) {
    test::ScratchDir dir;
    const QString path = dir.file("FVSetup.xml");
    writeFile(path, "<BTColumn><MaxPeer>61</MaxPeer></BTColumn><Extra>kept</Extra>");
    SettingsFile file(path);
    ASSERT_EQ(file.load(), SettingsFile::Status::Read);
    file.put(ConnectionSettings{.port = "9000"}, SetupFormKind::SetupPages);
    QString error;
    ASSERT_TRUE(file.save(&error)) << error.toStdString();

    SettingsFile again(path);
    ASSERT_EQ(again.load(), SettingsFile::Status::Read);
    EXPECT_EQ(again.columns(), (QStringList{"BTColumn", "Extra", "ConColumn"}));
    EXPECT_EQ(again.bitTorrent().maxPeers, "61");
    EXPECT_EQ(again.connection().port, "9000");
}

}  // namespace
}  // namespace fv

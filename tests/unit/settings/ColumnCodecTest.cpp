#include "settings/BitTorrentSettings.h"
#include "settings/ConnectionSettings.h"
#include "settings/NzbSettings.h"

#include "TestEnvironment.h"
#include "platform/DebugLog.h"

#include <gtest/gtest.h>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <functional>

namespace fv {
namespace {

QByteArray utf8Doc(const char* inner) {
    return QByteArray("<?xml version=\"1.0\"?>\n<root>") + inner + "</root>\n";
}

struct ConnectionCase {
    const char* name;
    const char* inner;
    std::function<void(const ConnectionSettings&)> check;
};

TEST(ConnectionColumn, ReadsEachElementByItsRule) {
    using C = ConnectionSettings;
    const ConnectionCase cases[] = {
        {"remote 1", "<ConColumn><FVRadioRemote>1</FVRadioRemote></ConColumn>",
         [](const C& c) { EXPECT_EQ(c.remote, true); }},
        {"remote 0", "<ConColumn><FVRadioRemote>0</FVRadioRemote></ConColumn>",
         [](const C& c) { EXPECT_EQ(c.remote, false); }},
        {"remote 2 is no value", "<ConColumn><FVRadioRemote>2</FVRadioRemote></ConColumn>",
         [](const C& c) { EXPECT_FALSE(c.remote.has_value()); }},
        {"remote 1 then 2 stays remote",
         "<ConColumn><FVRadioRemote>1</FVRadioRemote><FVRadioRemote>2</FVRadioRemote>"
         "</ConColumn>",
         [](const C& c) { EXPECT_EQ(c.remote, true); }},
        {"choice 1 then 2 keeps 1",
         "<ConColumn><FVRemoteRadioNo>1</FVRemoteRadioNo><FVRemoteRadioNo>2</FVRemoteRadioNo>"
         "</ConColumn>",
         [](const C& c) { EXPECT_EQ(c.remoteChoice, 1); }},
        {"choice x is no value", "<ConColumn><FVRemoteRadioNo>x</FVRemoteRadioNo></ConColumn>",
         [](const C& c) { EXPECT_FALSE(c.remoteChoice.has_value()); }},
        {"check boxes: 0 clears, other text sets",
         "<ConColumn><AssBt>x</AssBt><AssNZB>0</AssNZB><UpdateAtBegin></UpdateAtBegin>"
         "</ConColumn>",
         [](const C& c) {
             EXPECT_EQ(c.associateBt, true);
             EXPECT_EQ(c.associateNzb, false);
             EXPECT_EQ(c.checkVersionAtStart, true);
         }},
        {"auth method alone brings its port", "<ConColumn><AuthMethod>1</AuthMethod></ConColumn>",
         [](const C& c) {
             EXPECT_EQ(c.authMethod, 1);
             EXPECT_EQ(c.authPort, "8443");
         }},
        {"auth port after the method wins",
         "<ConColumn><AuthMethod>1</AuthMethod><AuthPort>9443</AuthPort></ConColumn>",
         [](const C& c) {
             EXPECT_EQ(c.authMethod, 1);
             EXPECT_EQ(c.authPort, "9443");
         }},
        {"a later method of other text selects http and its port",
         "<ConColumn><AuthMethod>1</AuthMethod><AuthPort>9443</AuthPort>"
         "<AuthMethod>https</AuthMethod></ConColumn>",
         [](const C& c) {
             EXPECT_EQ(c.authMethod, 0);
             EXPECT_EQ(c.authPort, "80");
         }},
        {"texts are taken as they are",
         "<ConColumn><Port>abc</Port><UserName> a b </UserName><Password></Password>"
         "<FVAddressLocal>192.168.1.20 (FV)</FVAddressLocal><Autorefresh>007</Autorefresh>"
         "<WebDavHttpPort>8082</WebDavHttpPort></ConColumn>",
         [](const C& c) {
             EXPECT_EQ(c.port, "abc");
             EXPECT_EQ(c.userName, " a b ");
             EXPECT_EQ(c.password, "");
             EXPECT_EQ(c.localAddress, "192.168.1.20 (FV)");
             EXPECT_EQ(c.refreshSeconds, "007");
             EXPECT_EQ(c.webDavHttpPort, "8082");
             EXPECT_FALSE(c.webDavHttpsPort.has_value());
         }},
        {"second column wins for what it holds",
         "<ConColumn><Port>1000</Port><UserName>first</UserName></ConColumn>"
         "<BTColumn/><ConColumn><Port>2000</Port></ConColumn>",
         [](const C& c) {
             EXPECT_EQ(c.port, "2000");
             EXPECT_EQ(c.userName, "first");
         }},
        {"unknown and mis-cased elements ignored",
         "<ConColumn><port>1</port><Colour>red</Colour><UserName>bob</UserName></ConColumn>"
         "<conColumn><UserName>eve</UserName></conColumn><BTColumn><Port>9</Port></BTColumn>",
         [](const C& c) { EXPECT_EQ(c, (C{.userName = "bob"})); }},
        {"truncated file is an empty record", "<ConColumn><Port>9",
         [](const C& c) { EXPECT_EQ(c, C{}); }},
    };
    for (const ConnectionCase& c : cases) {
        SCOPED_TRACE(c.name);
        c.check(ConnectionSettings::fromXml(utf8Doc(c.inner)));
    }
}

TEST(ConnectionColumn, DamagedFilesReadAsAnEmptyRecord) {
    const QByteArray cases[] = {
        "",
        "<?xml version=\"1.0\"?>",
        QByteArray("\xff\xfe\x00\x00\x01\x02garbage", 13),
        "<root><ConColumn><Port>1</Port></ConColumn></root><root/>",
        "<other><ConColumn><Port>1</Port></ConColumn></other>",
    };
    for (const QByteArray& bytes : cases)
        EXPECT_EQ(ConnectionSettings::fromXml(bytes), ConnectionSettings{})
            << bytes.toHex().toStdString();
}

TEST(ConnectionColumn, ReadsInAnyCommonEncoding) {
    const QString text = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"%1\"?>\n"
        "<root><ConColumn><UserName>Jürgen 名前</UserName></ConColumn></root>\n");
    const struct {
        QStringConverter::Encoding encoding;
        const char* declared;
        bool bom;
    } cases[] = {
        {QStringConverter::Utf8, "UTF-8", false},    {QStringConverter::Utf8, "UTF-8", true},
        {QStringConverter::Utf16LE, "UTF-16", true}, {QStringConverter::Utf16LE, "UTF-16", false},
        {QStringConverter::Utf16BE, "UTF-16", true}, {QStringConverter::Utf16BE, "UTF-16", false},
    };
    for (const auto& c : cases) {
        QStringEncoder encoder(c.encoding, c.bom ? QStringConverter::Flag::WriteBom
                                                 : QStringConverter::Flag::Stateless);
        const QByteArray bytes = encoder.encode(text.arg(c.declared));
        EXPECT_EQ(ConnectionSettings::fromXml(bytes).userName, QStringLiteral("Jürgen 名前"))
            << c.declared << " bom " << c.bom << " encoding " << int(c.encoding);
    }
}

TEST(BitTorrentColumn, ReadsStrictBoxesAndBoundedChoices) {
    using B = BitTorrentSettings;
    const struct {
        const char* inner;
        B expected;
    } cases[] = {
        {"<BTColumn><BTDefaultPortChkBox>0</BTDefaultPortChkBox><MaxDLSpChkBox>1"
         "</MaxDLSpChkBox><MaxULSpChkBox>yes</MaxULSpChkBox></BTColumn>",
         B{.defaultPort = false, .unlimitedDownload = true}},
        {"<BTColumn><MaxDLSpChkBox>0</MaxDLSpChkBox><MaxDLSpChkBox>x</MaxDLSpChkBox></BTColumn>",
         B{.unlimitedDownload = false}},
        {"<BTColumn><BTEncryComboBox>2</BTEncryComboBox></BTColumn>", B{.encryption = 2}},
        {"<BTColumn><BTEncryComboBox>7</BTEncryComboBox></BTColumn>", B{}},
        {"<BTColumn><BTEncryComboBox>-1</BTEncryComboBox></BTColumn>", B{}},
        {"<BTColumn><DHT>0</DHT><PEX>no</PEX><MaxPeer>0070</MaxPeer></BTColumn>",
         B{.maxPeers = "0070", .dht = false, .pex = true}},
        {"<ConColumn><Port>1234</Port></ConColumn>", B{}},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(BitTorrentSettings::fromXml(utf8Doc(c.inner)) == c.expected) << c.inner;
}

TEST(NzbColumn, ReadsTextsAndRegistersThePasswordsAsSecrets) {
    const NzbSettings n = NzbSettings::fromXml(
        utf8Doc("<NZBColumn><USENETServer>news.example.net</USENETServer>"
                "<USENETPs>nntp-pw-1</USENETPs><USENETConfPs>nntp-pw-2</USENETConfPs>"
                "</NZBColumn>"));
    EXPECT_EQ(n, (NzbSettings{.server = "news.example.net",
                              .password = "nntp-pw-1",
                              .confirmPassword = "nntp-pw-2"}));
    LogCapture log;
    DebugLog::write("nntp-pw-1 nntp-pw-2");
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].find("nntp-pw"), std::string::npos);
}

template <class Record>
QStringList memberElements() {
    QStringList out;
    for (const auto& f : Record::fields())
        out << QString::fromLatin1(f.element);
    return out;
}

QStringList tableElements(SetupColumnKind kind) {
    QStringList out;
    for (const auto& e : SetupColumn::elements(kind))
        out << QString::fromLatin1(e.element);
    return out;
}

// A record member missing for an element would silently write it empty.
TEST(SettingsRecords, EveryElementOfTheColumnHasItsMember) {
    EXPECT_EQ(memberElements<ConnectionSettings>(), tableElements(SetupColumnKind::Connection));
    EXPECT_EQ(memberElements<BitTorrentSettings>(), tableElements(SetupColumnKind::BitTorrent));
    EXPECT_EQ(memberElements<NzbSettings>(), tableElements(SetupColumnKind::Nzb));
}

ConnectionSettings fullConnection() {
    return ConnectionSettings{.remote = true,
                              .remoteChoice = 1,
                              .ddnsName = "myfv",
                              .otherAddress = "fv.example.org",
                              .localAddress = "192.168.1.20 (FV)",
                              .port = "9000",
                              .userName = "Jürgen <&> \"x\"",
                              .password = "p&ss<w>rd",
                              .associateBt = false,
                              .associateNzb = true,
                              .refreshSeconds = "45",
                              .authMethod = 1,
                              .authPort = "9443",
                              .checkVersionAtStart = true,
                              .webDavHttpPort = "8082",
                              .webDavHttpsPort = "443"};
}

TEST(SettingsRecords, RoundTripThroughTheFileForm) {
    const ConnectionSettings c = fullConnection();
    EXPECT_EQ(ConnectionSettings::fromXml(ConnectionSettings::toXml(c)), c);
    const BitTorrentSettings b{.defaultPort = false,
                               .incomingPort = "6881",
                               .unlimitedDownload = false,
                               .maxDownload = "250",
                               .unlimitedUpload = true,
                               .maxUpload = "100",
                               .encryption = 2,
                               .maxPeers = "80",
                               .maxConnections = "240",
                               .dht = false,
                               .pex = true};
    EXPECT_TRUE(BitTorrentSettings::fromXml(BitTorrentSettings::toXml(b)) == b);
    const NzbSettings n{.server = "news.example.net",
                        .port = "563",
                        .userName = "u",
                        .password = "   ",
                        .confirmPassword = "   ",
                        .maxDownload = "100",
                        .connections = "4"};
    EXPECT_EQ(NzbSettings::fromXml(NzbSettings::toXml(n)), n);
}

TEST(SettingsRecords, StandAloneFormDropsTheElementsItDoesNotHave) {
    ConnectionSettings expected = fullConnection();
    expected.authMethod.reset();
    expected.authPort.reset();
    expected.checkVersionAtStart.reset();
    expected.webDavHttpPort.reset();
    expected.webDavHttpsPort.reset();
    const QByteArray bytes = ConnectionSettings::toXml(fullConnection(), SetupFormKind::StandAlone);
    EXPECT_EQ(ConnectionSettings::fromXml(bytes), expected);
}

QString decoded(const QByteArray& bytes) {
    EXPECT_EQ(bytes.left(2), QByteArray("\xff\xfe", 2));
    QStringDecoder decoder(QStringConverter::Utf16LE);
    const QString text = decoder.decode(bytes.mid(2));
    EXPECT_FALSE(decoder.hasError());
    return text;
}

TEST(SettingsRecords, WrittenFormIsUtf16WithValuesMissingWrittenEmpty) {
    const QString expected = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
        "<root>\n"
        "  <NZBColumn>\n"
        "    <USENETServer>a&amp;b</USENETServer>\n"
        "    <USENETPort></USENETPort>\n"
        "    <USENETUs></USENETUs>\n"
        "    <USENETPs></USENETPs>\n"
        "    <USENETConfPs></USENETConfPs>\n"
        "    <NZBMaxDL></NZBMaxDL>\n"
        "    <NZBConNum>4</NZBConNum>\n"
        "  </NZBColumn>\n"
        "</root>\n");
    EXPECT_EQ(
        decoded(NzbSettings::toXml(NzbSettings{.server = "a&b", .connections = "4"})).toStdString(),
        expected.toStdString());
    const QString flags = decoded(BitTorrentSettings::toXml(BitTorrentSettings{.dht = true}));
    EXPECT_TRUE(flags.contains("<BTDefaultPortChkBox>0</BTDefaultPortChkBox>"));
    EXPECT_TRUE(flags.contains("<BTEncryComboBox>0</BTEncryComboBox>"));
    EXPECT_TRUE(flags.contains("<DHT>1</DHT>"));
}

TEST(SettingsRecords, CharactersXmlCannotCarryAreDropped) {
    const ConnectionSettings c{.userName = QStringLiteral("user 😀"),
                               .password = QString("pa") + QChar(1) + QChar(0xFFFF) + "ss]]>&<"};
    const ConnectionSettings back = ConnectionSettings::fromXml(ConnectionSettings::toXml(c));
    EXPECT_EQ(back.password, "pass]]>&<");
    EXPECT_EQ(back.userName, QStringLiteral("user 😀"));
}

}  // namespace
}  // namespace fv

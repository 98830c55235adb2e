#include "settings/SetupDocument.h"

#include "TestEnvironment.h"
#include "platform/AppPaths.h"
#include "platform/DebugLog.h"
#include "platform/FormState.h"
#include "router/SettingsRecords.h"
#include "settings/ConnectionCommit.h"
#include "settings/ConnectionSettings.h"
#include "settings/SettingsFile.h"
#include "settings/SetupFieldRules.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <functional>
#include <pugixml.hpp>

namespace fv {
namespace {

QByteArray utf8Doc(const char* inner) {
    return QByteArray("<?xml version=\"1.0\"?>\n<root>") + inner + "</root>\n";
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Names of the elements under "root" of a file, in document order.
QStringList columnsOf(const QString& path) {
    pugi::xml_document doc;
    const QByteArray bytes = readFile(path);
    if (!doc.load_buffer(bytes.constData(), bytes.size()))
        return {"<unparsable>"};
    QStringList out;
    for (pugi::xml_node n : doc.child("root").children())
        out << QString::fromUtf8(n.name());
    return out;
}

// A second client start: fresh fields with their initial values, reading the same file.
struct FreshReader {
    explicit FreshReader(const QString& path)
        : doc(fields, records, SetupFormKind::SetupPages, path) {
        rules.installWithInitialValues();
    }
    FormState fields;
    SetupFieldRules rules{fields, SetupFormKind::SetupPages};
    SettingsRecords records;
    SetupDocument doc;
};

class SetupFile : public ::testing::Test {
  protected:
    void SetUp() override { rules.installWithInitialValues(); }
    QString path() const { return dir.file("FVSetup.xml"); }

    test::ScratchDir dir;
    FormState fields;
    SetupFieldRules rules{fields, SetupFormKind::SetupPages};
    SettingsRecords records;
    SetupDocument doc{fields, records, SetupFormKind::SetupPages, dir.file("FVSetup.xml")};
};

struct LoadCase {
    const char* name;
    const char* inner;
    bool bitTorrent;  // read with loadBitTorrentColumn instead of loadConnectionColumn
    std::function<void(const FormState&, const SettingsRecords&)> check;
};

TEST_F(SetupFile, ReadingAppliesEachElementByItsRule) {
    const LoadCase cases[] = {
        {"missing UserName leaves the account", "<ConColumn><Port>9000</Port></ConColumn>", false,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_EQ(f.text("EditFVUs_Setup"), "");
             EXPECT_EQ(f.text("EditFVPort_Setup"), "9000");
             EXPECT_EQ(f.text("EditFVPort2_Setup"), "9000");
         }},
        {"FVRadioRemote 2 changes no mode",
         "<ConColumn><FVRadioRemote>2</FVRadioRemote></ConColumn>", false,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_TRUE(f.checked("RadioBtnLocal_Setup"));
             EXPECT_FALSE(f.checked("RadioBtnRemote_Setup"));
         }},
        {"FVRadioRemote 1 then 2 stays remote",
         "<ConColumn><FVRadioRemote>1</FVRadioRemote><FVRadioRemote>2</FVRadioRemote>"
         "</ConColumn>",
         false,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_TRUE(f.checked("RadioBtnRemote_Setup"));
             EXPECT_FALSE(f.checked("RadioBtnLocal_Setup"));
             EXPECT_TRUE(f.enabled("EditFVPort_Setup"));
         }},
        {"FVRemoteRadioNo outside 0..1 ignored",
         "<ConColumn><FVRemoteRadioNo>1</FVRemoteRadioNo><FVRemoteRadioNo>2</FVRemoteRadioNo>"
         "</ConColumn>",
         false,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_EQ(f.itemIndex("RaGpDDNSAddress_Setup"), 1);
         }},
        {"BTEncryComboBox 7 ignored", "<BTColumn><BTEncryComboBox>7</BTEncryComboBox></BTColumn>",
         true,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_EQ(f.itemIndex("ComboBoxBTEncry_Setup"), 1);
         }},
        {"BTEncryComboBox x ignored", "<BTColumn><BTEncryComboBox>x</BTEncryComboBox></BTColumn>",
         true,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_EQ(f.itemIndex("ComboBoxBTEncry_Setup"), 1);
         }},
        {"BTEncryComboBox 2 selects", "<BTColumn><BTEncryComboBox>2</BTEncryComboBox></BTColumn>",
         true,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_EQ(f.itemIndex("ComboBoxBTEncry_Setup"), 2);
             EXPECT_EQ(f.text("ComboBoxBTEncry_Setup"), "Encryption Required");
         }},
        {"local address becomes the only entry",
         "<ConColumn><FVAddressLocal>192.168.1.20 (FV)</FVAddressLocal></ConColumn>", false,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_EQ(f.items("ComboBoxLocalIP_Setup"), QStringList{"192.168.1.20 (FV)"});
             EXPECT_EQ(f.itemIndex("ComboBoxLocalIP_Setup"), 0);
             EXPECT_EQ(f.text("ComboBoxLocalIP_Setup"), "192.168.1.20 (FV)");
             EXPECT_EQ(f.text("EditFVPort2_Setup"), "8081");
         }},
        {"second ConColumn wins for what it holds",
         "<ConColumn><Port>1000</Port><UserName>first</UserName></ConColumn>"
         "<BTColumn/><ConColumn><Port>2000</Port></ConColumn>",
         false,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_EQ(f.text("EditFVPort_Setup"), "2000");
             EXPECT_EQ(f.text("EditFVUs_Setup"), "first");
         }},
        {"default port box before the port",
         "<BTColumn><BTDefaultPortChkBox>1</BTDefaultPortChkBox><BTInPort>6881</BTInPort>"
         "</BTColumn>",
         true,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_EQ(f.text("EditInPort_Setup"), "6881");
             EXPECT_FALSE(f.enabled("EditInPort_Setup"));
         }},
        {"own port",
         "<BTColumn><BTDefaultPortChkBox>0</BTDefaultPortChkBox>"
         "<BTInPort>6881</BTInPort><MaxDLSpChkBox>0</MaxDLSpChkBox>"
         "<MaxDLSp>250</MaxDLSp><MaxULSpChkBox>yes</MaxULSpChkBox>"
         "<DHT>0</DHT><PEX>no</PEX></BTColumn>",
         true,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_TRUE(f.enabled("EditInPort_Setup"));
             EXPECT_EQ(f.text("EditInPort_Setup"), "6881");
             EXPECT_TRUE(f.visible("EditBTMaxDL_Setup"));
             EXPECT_EQ(f.text("EditBTMaxDL_Setup"), "250");
             EXPECT_TRUE(f.checked("ChkBoxBTULSp_Setup"));  // "yes" is no strict flag
             EXPECT_FALSE(f.checked("ChkBoxDHT_Setup"));
             EXPECT_TRUE(f.checked("ChkBoxPEX_Setup"));  // anything but "0" sets
         }},
        {"check boxes: 0 clears, other text sets",
         "<ConColumn><AssBt>x</AssBt><AssNZB>0</AssNZB><UpdateAtBegin>yes</UpdateAtBegin>"
         "</ConColumn>",
         false,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_TRUE(f.checked("ChkBoxAssBt_Setup"));
             EXPECT_FALSE(f.checked("ChkBoxAssNZB_Setup"));
             EXPECT_TRUE(f.checked("ChkBox_ChkVerAtStart_About"));
         }},
        {"AuthMethod other text selects http, stored port kept",
         "<ConColumn><AuthMethod>1</AuthMethod><AuthPort>9443</AuthPort>"
         "<AuthMethod>https</AuthMethod></ConColumn>",
         false,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_EQ(f.itemIndex("ComboBox_AuthMethod_Setup"), 0);
             EXPECT_EQ(f.text("Edit_AuthPort_Setup"), "80");
         }},
        {"AuthPort after AuthMethod wins",
         "<ConColumn><AuthMethod>1</AuthMethod><AuthPort>9443</AuthPort></ConColumn>", false,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_EQ(f.itemIndex("ComboBox_AuthMethod_Setup"), 1);
             EXPECT_EQ(f.text("Edit_AuthPort_Setup"), "9443");
         }},
        {"unknown and mis-cased elements ignored",
         "<ConColumn><port>1</port><Colour>red</Colour><UserName>bob</UserName></ConColumn>"
         "<conColumn><UserName>eve</UserName></conColumn>",
         false,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_EQ(f.text("EditFVPort_Setup"), "8081");
             EXPECT_EQ(f.text("EditFVUs_Setup"), "bob");
         }},
        {"refresh period restored", "<ConColumn><Autorefresh>30</Autorefresh></ConColumn>", false,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_EQ(f.text("EditAufresh_Setup"), "30");
         }},
        {"garbage port repaired like a left field", "<ConColumn><Port>abc</Port></ConColumn>",
         false,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_EQ(f.text("EditFVPort_Setup"), "8081");
             EXPECT_EQ(f.text("EditFVPort2_Setup"), "8081");
         }},
        {"WebDAV ports go to the record",
         "<ConColumn><WebDavHttpPort>8082</WebDavHttpPort>"
         "<WebDavHttpsPort>443</WebDavHttpsPort></ConColumn>",
         false,
         [](const FormState&, const SettingsRecords& r) {
             EXPECT_EQ(r.connection().WebDavHttpPort, "8082");
             EXPECT_EQ(r.connection().WebDavHttpsPort, "443");
         }},
        {"BT reader ignores the connection column",
         "<ConColumn><Port>1234</Port></ConColumn><BTColumn><MaxPeer>0070</MaxPeer></BTColumn>",
         true,
         [](const FormState& f, const SettingsRecords&) {
             EXPECT_EQ(f.text("EditFVPort_Setup"), "8081");
             EXPECT_EQ(f.text("EditMaxPeer_Setup"), "70");
         }},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        FormState f;
        SetupFieldRules r(f, SetupFormKind::SetupPages);
        r.installWithInitialValues();
        SettingsRecords rec;
        SetupDocument d(f, rec, SetupFormKind::SetupPages, path());
        writeFile(path(), utf8Doc(c.inner));
        EXPECT_TRUE(c.bitTorrent ? d.loadBitTorrentColumn() : d.loadConnectionColumn());
        c.check(f, rec);
    }
}

TEST_F(SetupFile, SavingAColumnKeepsTheOthersAndPutsItLast) {
    writeFile(path(), utf8Doc("<BTColumn><MaxPeer>61</MaxPeer></BTColumn>"));
    doc.openDocument();
    ASSERT_TRUE(doc.saveConnectionColumn());
    EXPECT_EQ(columnsOf(path()), (QStringList{"BTColumn", "ConColumn"}));
    ASSERT_TRUE(doc.saveTransferColumn(2));
    ASSERT_TRUE(doc.saveTransferColumn(1));
    EXPECT_EQ(columnsOf(path()), (QStringList{"ConColumn", "NZBColumn", "BTColumn"}));
    EXPECT_FALSE(doc.saveTransferColumn(3));
}

TEST_F(SetupFile, ColumnsAreWrittenInTableOrder) {
    doc.openDocument();
    ASSERT_TRUE(doc.saveConnectionColumn());
    ASSERT_TRUE(doc.saveTransferColumn(1));
    ASSERT_TRUE(doc.saveTransferColumn(2));
    pugi::xml_document xml;
    const QByteArray bytes = readFile(path());
    ASSERT_TRUE(xml.load_buffer(bytes.constData(), bytes.size()));
    const struct {
        const char* column;
        QStringList elements;
    } expected[] = {
        {"ConColumn",
         {"FVRadioRemote", "FVRemoteRadioNo", "FVAddressRemote0", "FVAddressRemote1",
          "FVAddressLocal", "Port", "UserName", "Password", "AssBt", "AssNZB", "Autorefresh",
          "AuthMethod", "AuthPort", "UpdateAtBegin", "WebDavHttpPort", "WebDavHttpsPort"}},
        {"BTColumn",
         {"BTDefaultPortChkBox", "BTInPort", "MaxDLSpChkBox", "MaxDLSp", "MaxULSpChkBox", "MaxULSp",
          "BTEncryComboBox", "MaxPeer", "MaxConnect", "DHT", "PEX"}},
        {"NZBColumn",
         {"USENETServer", "USENETPort", "USENETUs", "USENETPs", "USENETConfPs", "NZBMaxDL",
          "NZBConNum"}},
    };
    for (const auto& e : expected) {
        QStringList names;
        for (pugi::xml_node n : xml.child("root").child(e.column).children())
            names << QString::fromUtf8(n.name());
        EXPECT_EQ(names, e.elements) << e.column;
    }
    const pugi::xml_node con = xml.child("root").child("ConColumn");
    EXPECT_STREQ(con.child("FVRadioRemote").text().get(), "0");
    EXPECT_STREQ(con.child("AssBt").text().get(), "1");
    EXPECT_STREQ(con.child("AuthMethod").text().get(), "0");
    EXPECT_STREQ(xml.child("root").child("BTColumn").child("BTEncryComboBox").text().get(), "1");
}

struct FieldValue {
    const char* field;
    const char* text;
};

TEST_F(SetupFile, WhatIsSavedReadsBackIntoFreshFields) {
    const FieldValue values[] = {
        {"EditDDNSKova_Setup", "myfv"},
        {"EditOthersIP_Setup", "fv.example.org"},
        {"EditFVPort_Setup", "9000"},
        {"EditFVUs_Setup", "Jürgen <&> \"x\""},
        {"EditFVPs_Setup", "p&ss<w>rd"},
        {"EditAufresh_Setup", "45"},
        {"Edit_AuthPort_Setup", "8443"},
        {"EditMaxPeer_Setup", "80"},
        {"EditUSENETServer_Setup", "news.example.net"},
    };
    fields.setChecked("RadioBtnRemote_Setup", true);
    fields.setItemIndex("RaGpDDNSAddress_Setup", 1);
    fields.setItemIndex("ComboBox_AuthMethod_Setup", 1);
    fields.setChecked("ChkBoxDefaultPort_Setup", false);
    fields.setText("EditInPort_Setup", "6881");
    fields.setChecked("ChkBoxAssNZB_Setup", false);
    for (const FieldValue& v : values)
        fields.setText(v.field, QString::fromUtf8(v.text));
    records.editConnection([](ConnectionProfile& c) { c.WebDavHttpPort = "8082"; });
    doc.openDocument();
    ASSERT_TRUE(doc.saveConnectionColumn());
    ASSERT_TRUE(doc.saveTransferColumn(1));
    ASSERT_TRUE(doc.saveTransferColumn(2));

    FreshReader fresh(path());
    FormState& again = fresh.fields;
    const SettingsRecords& againRecords = fresh.records;
    SetupDocument& reader = fresh.doc;
    ASSERT_TRUE(reader.loadConnectionColumn());
    ASSERT_TRUE(reader.loadBitTorrentColumn());
    ASSERT_TRUE(reader.loadNzbColumn());
    for (const FieldValue& v : values)
        EXPECT_EQ(again.text(v.field), QString::fromUtf8(v.text)) << v.field;
    EXPECT_TRUE(again.checked("RadioBtnRemote_Setup"));
    EXPECT_EQ(again.itemIndex("RaGpDDNSAddress_Setup"), 1);
    EXPECT_EQ(again.itemIndex("ComboBox_AuthMethod_Setup"), 1);
    EXPECT_FALSE(again.checked("ChkBoxDefaultPort_Setup"));
    EXPECT_EQ(again.text("EditInPort_Setup"), "6881");
    EXPECT_FALSE(again.checked("ChkBoxAssNZB_Setup"));
    EXPECT_EQ(againRecords.connection().WebDavHttpPort, "8082");
}

// A password (or any other value) made of blanks is a value, not an empty element.
TEST_F(SetupFile, BlankValuesReadBackAsTheyWereSaved) {
    fields.setText("EditFVPs_Setup", "   ");
    fields.setText("EditFVUs_Setup", " a b ");
    doc.openDocument();
    ASSERT_TRUE(doc.saveConnectionColumn());

    FreshReader again(path());
    ASSERT_TRUE(again.doc.loadConnectionColumn());
    EXPECT_EQ(again.fields.text("EditFVPs_Setup"), "   ");
    EXPECT_EQ(again.fields.text("EditFVUs_Setup"), " a b ");
    again.doc.commitConnectionAtStartup();
    EXPECT_EQ(again.records.connection().Password, "   ");
}

struct BrokenCase {
    const char* name;
    QByteArray bytes;
};

TEST_F(SetupFile, BrokenFileReadsLikeAnEmptyDocumentAndIsReplacedOnSave) {
    const BrokenCase cases[] = {
        {"truncated", "<?xml version=\"1.0\"?><root><ConColumn><Port>9"},
        {"empty", ""},
        {"declaration only", "<?xml version=\"1.0\"?>"},
        {"binary", QByteArray("\xff\xfe\x00\x00\x01\x02garbage", 13)},
        {"two roots", "<root/><root/>"},
    };
    for (const BrokenCase& c : cases) {
        SCOPED_TRACE(c.name);
        fields.setText("EditFVUs_Setup", "kept");
        writeFile(path(), c.bytes);
        LogCapture log;
        EXPECT_FALSE(doc.loadConnectionColumn());
        EXPECT_TRUE(log.contains("Load Setup XML Document from file failed!"));
        EXPECT_FALSE(doc.loadBitTorrentColumn());
        EXPECT_TRUE(log.contains("Load BT Setup XML Document from file failed!"));
        EXPECT_EQ(fields.text("EditFVUs_Setup"), "kept");
        ASSERT_TRUE(doc.saveTransferColumn(1));
        EXPECT_EQ(columnsOf(path()), QStringList{"BTColumn"});
    }
}

TEST_F(SetupFile, DeeplyNestedOrOversizedFilesDoNotHurt) {
    QByteArray deep = "<root><ConColumn><UserName>deep</UserName>";
    deep += QByteArray("<a>").repeated(300000) + QByteArray("</a>").repeated(300000);
    deep += "</ConColumn></root>";
    writeFile(path(), deep);
    EXPECT_TRUE(doc.loadConnectionColumn());
    EXPECT_EQ(fields.text("EditFVUs_Setup"), "deep");

    QByteArray huge = "<root><ConColumn><UserName>huge</UserName></ConColumn>";
    huge += QByteArray(8 << 20, ' ') + "</root>";
    writeFile(path(), huge);
    LogCapture log;
    EXPECT_FALSE(doc.loadConnectionColumn());
    EXPECT_TRUE(log.contains("Load Setup XML Document from file failed!"));
    EXPECT_EQ(fields.text("EditFVUs_Setup"), "deep");
}

TEST_F(SetupFile, MissingFileLeavesFieldsAndSaysSo) {
    const struct {
        std::function<bool(SetupDocument&)> load;
        const char* line;
    } cases[] = {
        {[](SetupDocument& d) { return d.loadConnectionColumn(); }, "Load Setup XML file failed!"},
        {[](SetupDocument& d) { return d.loadBitTorrentColumn(); },
         "Load BT Setup XML file failed!"},
    };
    for (const auto& c : cases) {
        LogCapture log;
        EXPECT_FALSE(doc.fileExists());
        EXPECT_FALSE(c.load(doc));
        EXPECT_EQ(log.lines(), std::vector<std::string>{c.line});
        EXPECT_EQ(fields.text("EditFVPort_Setup"), "8081");
    }
}

QByteArray encoded(const QString& text, QStringConverter::Encoding encoding, bool bom) {
    QStringEncoder encoder(
        encoding, bom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

TEST_F(SetupFile, HandWrittenFilesLoadInAnyCommonEncoding) {
    const QString utf16Text = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
        "<root><ConColumn><UserName>Jürgen 名前</UserName></ConColumn></root>\n");
    const QString utf8Text = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<root><ConColumn><UserName>Jürgen 名前</UserName></ConColumn></root>\n");
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"UTF-8", encoded(utf8Text, QStringConverter::Utf8, false)},
        {"UTF-8 BOM", encoded(utf8Text, QStringConverter::Utf8, true)},
        {"UTF-16LE BOM", encoded(utf16Text, QStringConverter::Utf16LE, true)},
        {"UTF-16LE", encoded(utf16Text, QStringConverter::Utf16LE, false)},
        {"UTF-16BE BOM", encoded(utf16Text, QStringConverter::Utf16BE, true)},
        {"UTF-16BE", encoded(utf16Text, QStringConverter::Utf16BE, false)},
    };
    for (const auto& c : cases) {
        fields.setText("EditFVUs_Setup", "");
        writeFile(path(), c.bytes);
        EXPECT_TRUE(doc.loadConnectionColumn()) << c.name;
        EXPECT_EQ(fields.text("EditFVUs_Setup"), QStringLiteral("Jürgen 名前")) << c.name;
    }
}

TEST_F(SetupFile, BytesThatAreNotUtf8StillLoadAfterTheFileIsSaved) {
    // A name made only of such bytes was written empty in the UTF-16 file, which then no
    // longer loaded: every setting was lost at the next start.
    const QByteArray bytes(
        "<root><Conr \xb0=\"1\"/><ConColumn><Port>2</Port>"
        "<UserName>J\xfcrgen</UserName></ConColumn><\x9f/><Othe\xf2/></root>");
    SettingsFile file(path());
    ASSERT_TRUE(file.loadBytes(bytes));
    const ConnectionSettings read = file.connection();
    SettingsFile saved(path());
    ASSERT_TRUE(saved.loadBytes(file.serialize()));
    EXPECT_EQ(saved.columns(), file.columns());
    EXPECT_EQ(saved.connection(), read);
    EXPECT_EQ(read.port, QStringLiteral("2"));
    EXPECT_EQ(read.userName, QStringLiteral("J\uFFFDrgen"));
}

TEST_F(SetupFile, WrittenFileIsUtf16WithItsDeclaration) {
    writeFile(path(), utf8Doc("<ConColumn><UserName>a</UserName></ConColumn>"));
    doc.openDocument();
    ASSERT_TRUE(doc.saveConnectionColumn());
    const QByteArray bytes = readFile(path());
    ASSERT_GE(bytes.size(), 2);
    EXPECT_EQ(bytes.left(2), QByteArray("\xff\xfe", 2));
    QStringDecoder decoder(QStringConverter::Utf16LE);
    const QString text = decoder.decode(bytes.mid(2));
    EXPECT_FALSE(decoder.hasError());
    EXPECT_TRUE(text.startsWith("<?xml version=\"1.0\" encoding=\"UTF-16\"?>"))
        << text.left(60).toStdString();
    EXPECT_TRUE(text.contains("<root>"));
}

TEST_F(SetupFile, WrittenFileIsValidXmlEvenWithControlCharactersInValues) {
    const QString xmllint = QStandardPaths::findExecutable("xmllint");
    if (xmllint.isEmpty())
        GTEST_SKIP() << "xmllint is not installed";
    fields.setText("EditFVPs_Setup", QString("pa") + QChar(1) + QChar(0xFFFF) + "ss]]>&<");
    fields.setText("EditFVUs_Setup", QStringLiteral("user 😀"));
    doc.openDocument();
    ASSERT_TRUE(doc.saveConnectionColumn());
    ASSERT_TRUE(doc.saveTransferColumn(1));
    QProcess lint;
    lint.start(xmllint, {"--noout", path()});
    ASSERT_TRUE(lint.waitForFinished(10000));
    EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().toStdString();

    FormState again;
    SetupFieldRules againRules(again, SetupFormKind::SetupPages);
    againRules.installWithInitialValues();
    SetupDocument reader(again, records, SetupFormKind::SetupPages, path());
    ASSERT_TRUE(reader.loadConnectionColumn());
    EXPECT_EQ(again.text("EditFVPs_Setup"), "pass]]>&<");
    EXPECT_EQ(again.text("EditFVUs_Setup"), QStringLiteral("user 😀"));
}

TEST_F(SetupFile, SaveReplacesTheFileWholeAndPrivately) {
    writeFile(path(), utf8Doc("<ConColumn><UserName>old</UserName></ConColumn>"));
    ::chmod(path().toLocal8Bit().constData(), 0644);
    // A second name for the old file: an in-place rewrite would change what it shows.
    const QString oldLink = dir.file("old-link.xml");
    ASSERT_EQ(::link(path().toLocal8Bit().constData(), oldLink.toLocal8Bit().constData()), 0);
    doc.openDocument();
    fields.setText("EditFVUs_Setup", "new");
    ASSERT_TRUE(doc.saveConnectionColumn());

    EXPECT_TRUE(readFile(oldLink).contains("<UserName>old</UserName>"));
    struct stat st {};
    ASSERT_EQ(::stat(path().toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    FormState again;
    SetupFieldRules againRules(again, SetupFormKind::SetupPages);
    againRules.installWithInitialValues();
    SetupDocument reader(again, records, SetupFormKind::SetupPages, path());
    ASSERT_TRUE(reader.loadConnectionColumn());
    EXPECT_EQ(again.text("EditFVUs_Setup"), "new");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "no temporary file left behind";
}

TEST_F(SetupFile, FailedWriteReturnsFalseAndLogsWithoutTheSecret) {
    fields.setText("EditFVPs_Setup", "hunter22");
    SetupDocument unwritable(fields, records, SetupFormKind::SetupPages,
                             dir.file("no-such-folder/FVSetup.xml"));
    LogCapture log;
    EXPECT_FALSE(unwritable.saveConnectionColumn());
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].rfind("Save Setup XML file failed! - E.Message = ", 0), 0u)
        << log.lines()[0];
    EXPECT_FALSE(log.contains("hunter22"));
}

TEST_F(SetupFile, LoadedPasswordsNeverReachTheLog) {
    writeFile(path(), utf8Doc("<ConColumn><Password>s3cr3t-pw</Password></ConColumn>"
                              "<NZBColumn><USENETPs>nntp-pw</USENETPs></NZBColumn>"));
    ASSERT_TRUE(doc.loadConnectionColumn());
    ASSERT_TRUE(doc.loadNzbColumn());
    LogCapture log;
    DebugLog::write("login with s3cr3t-pw and nntp-pw");
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].find("s3cr3t-pw"), std::string::npos);
    EXPECT_EQ(log.lines()[0].find("nntp-pw"), std::string::npos);
}

TEST_F(SetupFile, SettingsFilePathIsTheDataFoldersFile) {
    EXPECT_EQ(SetupDocument::defaultPath(), AppPaths::dataFolder() + "FVSetup.xml");
}

TEST_F(SetupFile, StandAloneConnectionColumnDropsTheElementsItDoesNotHave) {
    writeFile(path(),
              utf8Doc("<ConColumn><AuthMethod>1</AuthMethod><WebDavHttpPort>1</WebDavHttpPort>"
                      "<Autorefresh>30</Autorefresh><FVAddressLocal>10.0.0.9</FVAddressLocal>"
                      "</ConColumn>"));
    FormState window;
    SetupFieldRules windowRules(window, SetupFormKind::StandAlone);
    windowRules.installWithInitialValues();
    SetupDocument standAlone(window, records, SetupFormKind::StandAlone, path());
    standAlone.openDocument();
    EXPECT_EQ(window.text("EditAufresh_Setup"), "30");
    EXPECT_EQ(window.text("EditLocalIP_Setup"), "10.0.0.9");
    EXPECT_FALSE(window.has("ComboBox_AuthMethod_Setup"));
    ASSERT_TRUE(standAlone.saveConnectionColumn());
    pugi::xml_document xml;
    const QByteArray bytes = readFile(path());
    ASSERT_TRUE(xml.load_buffer(bytes.constData(), bytes.size()));
    const pugi::xml_node con = xml.child("root").child("ConColumn");
    EXPECT_TRUE(con.last_child().name() == std::string("Autorefresh"));
    for (const char* gone :
         {"AuthMethod", "AuthPort", "UpdateAtBegin", "WebDavHttpPort", "WebDavHttpsPort"})
        EXPECT_FALSE(con.child(gone)) << gone;
    EXPECT_STREQ(con.child("FVAddressLocal").text().get(), "10.0.0.9");
}

}  // namespace
}  // namespace fv

#include "settings/SetupDocument.h"

#include "platform/AppPaths.h"
#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "platform/FormState.h"
#include "router/SettingsRecords.h"
#include "settings/ConnectionCommit.h"
#include "settings/SetupFieldRules.h"

#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <pugixml.hpp>

namespace fv {

namespace {

// A settings file is a few kilobytes; anything far larger is damaged or hostile.
constexpr qint64 kMaxFileBytes = 4 << 20;

class ByteWriter : public pugi::xml_writer {
  public:
    explicit ByteWriter(QByteArray& out) : out_(out) {}
    void write(const void* data, size_t size) override {
        out_.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
    }

  private:
    QByteArray& out_;
};

void setDeclaration(pugi::xml_document& doc) {
    // The file is always written as UTF-16, so the declaration must say so whatever the
    // file that was read declared.
    for (pugi::xml_node n = doc.first_child(); n;) {
        const pugi::xml_node next = n.next_sibling();
        if (n.type() == pugi::node_declaration)
            doc.remove_child(n);
        n = next;
    }
    pugi::xml_node decl = doc.prepend_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-16";
}

pugi::xml_node rootOf(const pugi::xml_document& doc) {
    for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling()) {
        if (n.type() == pugi::node_element && std::strcmp(n.name(), "root") == 0)
            return n;
    }
    return {};
}

}  // namespace

SetupDocument::SetupDocument(FormState& fields, SettingsRecords& records, SetupFormKind formKind,
                             QString path)
    : fields_(fields), records_(records), formKind_(formKind), path_(std::move(path)) {
    startNewDocument();
}

SetupDocument::~SetupDocument() = default;

QString SetupDocument::SettingsFilePath() {
    return AppPaths::setupFilePath();
}

bool SetupDocument::IsSetupFilePresent() const {
    return QFileInfo(path_).isFile();
}

bool SetupDocument::LoadSetupXML() {
    return loadColumn(SetupColumnKind::Connection, "Load Setup XML file failed!",
                      "Load Setup XML Document from file failed!");
}

bool SetupDocument::LoadBTSetupXML() {
    return loadColumn(SetupColumnKind::BitTorrent, "Load BT Setup XML file failed!",
                      "Load BT Setup XML Document from file failed!");
}

bool SetupDocument::LoadNZBSetupXML() {
    return loadColumn(SetupColumnKind::Nzb, "Load NZB Setup XML file failed!",
                      "Load NZB Setup XML Document from file failed!");
}

bool SetupDocument::loadColumn(SetupColumnKind kind, const char* missingLine,
                               const char* emptyLine) {
    if (!IsSetupFilePresent()) {
        DebugLog::write(missingLine);
        return false;
    }
    auto loaded = std::make_unique<pugi::xml_document>();
    if (!loadFileInto(*loaded)) {
        // Handled like an empty document: the fields keep their values and the next save
        // replaces the damaged file.
        DebugLog::write(emptyLine);
        startNewDocument();
        return false;
    }
    doc_ = std::move(loaded);
    applyColumnFrom(*doc_, kind, fields_, formKind_, &records_);
    return true;
}

bool SetupDocument::loadFileInto(pugi::xml_document& doc) const {
    QByteArray bytes;
    if (!AtomicFile::read(path_, &bytes, kMaxFileBytes))
        return false;
    const pugi::xml_parse_result result = doc.load_buffer(
        bytes.constData(), static_cast<size_t>(bytes.size()),
        pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single,
        pugi::encoding_auto);
    // pugixml tolerates several top-level elements; a well-formed document has exactly one.
    int elements = 0;
    for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling())
        elements += n.type() == pugi::node_element ? 1 : 0;
    if (!result || elements != 1) {
        doc.reset();
        return false;
    }
    return true;
}

void SetupDocument::applyColumnFrom(const pugi::xml_document& doc, SetupColumnKind kind,
                                    FormState& form, SetupFormKind formKind,
                                    SettingsRecords* records) {
    const char* columnName = SetupColumn::name(kind);
    for (pugi::xml_node top = doc.first_child(); top; top = top.next_sibling()) {
        if (top.type() != pugi::node_element || std::strcmp(top.name(), "root") != 0)
            continue;
        for (pugi::xml_node column = top.first_child(); column; column = column.next_sibling()) {
            if (column.type() == pugi::node_element && std::strcmp(column.name(), columnName) == 0)
                SetupColumn::apply(column, kind, formKind, form, records);
        }
    }
}

void SetupDocument::startNewDocument() {
    doc_ = std::make_unique<pugi::xml_document>();
    setDeclaration(*doc_);
    doc_->append_child("root");
}

void SetupDocument::OpenSetupDocument() {
    if (IsSetupFilePresent())
        LoadSetupXML();
    else
        startNewDocument();
}

bool SetupDocument::SaveConnectionColumn() {
    return saveColumn(SetupColumnKind::Connection);
}

bool SetupDocument::SaveToSetupXML(int kind) {
    if (kind == 1)
        return saveColumn(SetupColumnKind::BitTorrent);
    if (kind == 2)
        return saveColumn(SetupColumnKind::Nzb);
    DebugLog::write(QStringLiteral("SaveToSetupXML: unknown kind %1").arg(kind));
    return false;
}

bool SetupDocument::saveColumn(SetupColumnKind kind) {
    pugi::xml_node root = rootOf(*doc_);
    if (!root) {
        // Nothing of a document without "root" could be read back; start it anew.
        startNewDocument();
        root = rootOf(*doc_);
    }
    const char* columnName = SetupColumn::name(kind);
    if (pugi::xml_node old = root.child(columnName))
        root.remove_child(old);
    SetupColumn::write(root.append_child(columnName), kind, formKind_, fields_, records_);

    QString error;
    if (!AtomicFile::write(path_, serialize(), &error)) {
        DebugLog::write(QStringLiteral("Save Setup XML file failed! - E.Message = ") + error);
        return false;
    }
    return true;
}

QByteArray SetupDocument::serialize() const {
    setDeclaration(*doc_);
    QByteArray out;
    ByteWriter writer(out);
    doc_->save(writer, "  ", pugi::format_default | pugi::format_write_bom,
               pugi::encoding_utf16_le);
    return out;
}

void SetupDocument::CommitConnectionFields() {
    const FormState& f = fields_;
    const bool pages = formKind_ == SetupFormKind::SetupPages;
    const bool remote = ConnectionCommit::isRemote(f);
    const QString address = ConnectionCommit::serverAddress(
        f, f.text(pages ? "ComboBoxLocalIP_Setup" : "EditLocalIP_Setup"));
    const QString password = f.text("EditFVPs_Setup");
    if (!password.isEmpty())
        DebugLog::addSecret(password.toStdString());
    records_.editConnection([&](_SETUPFORM_INFO& c) {
        c.IsRemote = remote;
        c.ServerAddress = address;
        c.ServerPort = f.text("EditFVPort_Setup");
        c.UserName = f.text("EditFVUs_Setup");
        c.Password = password;
        c.RefreshIntervalMs = ConnectionCommit::refreshIntervalMs(f.text("EditAufresh_Setup"));
        if (pages) {
            c.AuthMethod = std::max(0, f.itemIndex("ComboBox_AuthMethod_Setup"));
            c.AuthPort = f.text("Edit_AuthPort_Setup");
            c.CheckVersionAtStart = f.checked("ChkBox_ChkVerAtStart_About");
        }
    });
}

void SetupDocument::CommitConnectionAtStart(FormState* standAloneFields) {
    FormState privateFields;
    std::unique_ptr<SetupFieldRules> privateRules;
    FormState* start = standAloneFields;
    if (!start) {
        start = &privateFields;
        privateRules = std::make_unique<SetupFieldRules>(privateFields, SetupFormKind::StandAlone);
        privateRules->installWithInitialValues();
    }
    // The file once more, into the start values; the in-memory document stays as it is.
    pugi::xml_document doc;
    if (IsSetupFilePresent() && loadFileInto(doc))
        applyColumnFrom(doc, SetupColumnKind::Connection, *start, SetupFormKind::StandAlone,
                        nullptr);

    const bool remote = ConnectionCommit::isRemote(*start);
    const QString address =
        ConnectionCommit::serverAddress(*start, fields_.text("ComboBoxLocalIP_Setup"));
    const QString password = start->text("EditFVPs_Setup");
    if (!password.isEmpty())
        DebugLog::addSecret(password.toStdString());
    records_.editConnection([&](_SETUPFORM_INFO& c) {
        c.IsRemote = remote;
        c.ServerAddress = address;
        c.ServerPort = start->text("EditFVPort_Setup");
        c.UserName = start->text("EditFVUs_Setup");
        c.Password = password;
        c.RefreshIntervalMs = ConnectionCommit::refreshIntervalMs(start->text("EditAufresh_Setup"));
    });
}

}  // namespace fv

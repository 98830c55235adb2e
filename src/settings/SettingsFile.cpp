#include "settings/SettingsFile.h"

#include "platform/AtomicFile.h"
#include "settings/BitTorrentSettings.h"
#include "settings/ColumnCodec.h"
#include "settings/ConnectionSettings.h"
#include "settings/NzbSettings.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <cstring>
#include <optional>
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

bool isElement(const pugi::xml_node& n, const char* name) {
    return n.type() == pugi::node_element && std::strcmp(n.name(), name) == 0;
}

pugi::xml_node rootOf(const pugi::xml_document& doc) {
    for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling()) {
        if (isElement(n, "root"))
            return n;
    }
    return {};
}

// A text as UTF-8 with every invalid sequence replaced by U+FFFD; null when it already is.
std::optional<QByteArray> repairedUtf8(const char* text) {
    const QByteArrayView bytes(text, static_cast<qsizetype>(std::strlen(text)));
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    if (!decoder.hasError())
        return std::nullopt;
    return decoded.toUtf8();
}

// pugixml keeps the bytes of a UTF-8 file as they are, even where they are not UTF-8, but
// drops such bytes when it writes UTF-16. A name made only of them would be written empty
// and the saved file would no longer load (losing every setting at the next start), so
// they are replaced at load, as QString would read them anyway.
void repairUtf8(pugi::xml_node& n) {
    if (const auto name = repairedUtf8(n.name()))
        n.set_name(name->constData());
    if (const auto value = repairedUtf8(n.value()))
        n.set_value(value->constData());
    for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
        if (const auto name = repairedUtf8(a.name()))
            a.set_name(name->constData());
        if (const auto value = repairedUtf8(a.value()))
            a.set_value(value->constData());
    }
}

// In document order without recursion: a hostile file may nest very deeply.
void repairUtf8(pugi::xml_document& doc) {
    pugi::xml_node n = doc.first_child();
    while (n) {
        repairUtf8(n);
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n && n != doc && !n.next_sibling())
            n = n.parent();
        if (!n || n == doc)
            break;
        n = n.next_sibling();
    }
}

bool parse(const QByteArray& bytes, pugi::xml_document& doc) {
    const pugi::xml_parse_result result = doc.load_buffer(
        bytes.constData(), static_cast<size_t>(bytes.size()),
        pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single,
        pugi::encoding_auto);
    // pugixml tolerates several top-level elements; a well-formed document has exactly one.
    int elements = 0;
    for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling())
        elements += n.type() == pugi::node_element ? 1 : 0;
    if (!result || elements != 1)
        return false;
    repairUtf8(doc);
    return true;
}

}  // namespace

SettingsFile::SettingsFile(QString path) : path_(std::move(path)) {
    startNew();
}

SettingsFile::~SettingsFile() = default;

bool SettingsFile::exists() const {
    return QFileInfo(path_).isFile();
}

SettingsFile::Status SettingsFile::load() {
    if (!exists())
        return Status::Missing;
    QByteArray bytes;
    if (!AtomicFile::read(path_, &bytes, kMaxFileBytes) || !loadBytes(bytes)) {
        startNew();
        return Status::Damaged;
    }
    return Status::Read;
}

bool SettingsFile::loadBytes(const QByteArray& bytes) {
    auto loaded = std::make_unique<pugi::xml_document>();
    if (!parse(bytes, *loaded))
        return false;
    doc_ = std::move(loaded);
    return true;
}

void SettingsFile::startNew() {
    doc_ = std::make_unique<pugi::xml_document>();
    setDeclaration(*doc_);
    doc_->append_child("root");
}

QStringList SettingsFile::columns() const {
    QStringList out;
    for (pugi::xml_node n = rootOf(*doc_).first_child(); n; n = n.next_sibling()) {
        if (n.type() == pugi::node_element)
            out << QString::fromUtf8(n.name());
    }
    return out;
}

template <class Record>
Record SettingsFile::column() const {
    Record record;
    const char* name = SetupColumn::name(Record::kKind);
    for (pugi::xml_node top = doc_->first_child(); top; top = top.next_sibling()) {
        if (!isElement(top, "root"))
            continue;
        for (pugi::xml_node column = top.first_child(); column; column = column.next_sibling()) {
            if (isElement(column, name))
                ColumnCodec<Record>::read(column, record);
        }
    }
    return record;
}

ConnectionSettings SettingsFile::connection() const {
    return column<ConnectionSettings>();
}

BitTorrentSettings SettingsFile::bitTorrent() const {
    return column<BitTorrentSettings>();
}

NzbSettings SettingsFile::nzb() const {
    return column<NzbSettings>();
}

template <class Record>
void SettingsFile::putColumn(const Record& record, SetupFormKind formKind) {
    pugi::xml_node root = rootOf(*doc_);
    if (!root) {
        // Nothing of a document without "root" could be read back; start it anew.
        startNew();
        root = rootOf(*doc_);
    }
    const char* name = SetupColumn::name(Record::kKind);
    if (pugi::xml_node old = root.child(name))
        root.remove_child(old);
    ColumnCodec<Record>::write(root.append_child(name), record, formKind);
}

void SettingsFile::put(const ConnectionSettings& record, SetupFormKind formKind) {
    putColumn(record, formKind);
}

void SettingsFile::put(const BitTorrentSettings& record, SetupFormKind formKind) {
    putColumn(record, formKind);
}

void SettingsFile::put(const NzbSettings& record, SetupFormKind formKind) {
    putColumn(record, formKind);
}

bool SettingsFile::save(QString* error) const {
    return AtomicFile::write(path_, serialize(), error);
}

QByteArray SettingsFile::serialize() const {
    setDeclaration(*doc_);
    QByteArray out;
    ByteWriter writer(out);
    doc_->save(writer, "  ", pugi::format_default | pugi::format_write_bom,
               pugi::encoding_utf16_le);
    return out;
}

}  // namespace fv

// The settings file FVSetup.xml as a document of records: loading it gives the three
// columns' records and the columns it holds in their order; putting a record replaces its
// column and moves it last; saving writes the whole document atomically. Everything else in
// the file (other columns, unknown elements) is kept as it was read.
//
// File form: UTF-16 (little endian, with byte-order mark) under the declaration version
// "1.0" encoding "UTF-16"; element "root" with the columns "ConColumn", "BTColumn" and
// "NZBColumn" in the order they were last written. Any encoding pugixml detects (UTF-8,
// UTF-16 LE/BE with or without byte-order mark) reads.
#pragma once

#include "settings/SetupFormKind.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

namespace pugi {
class xml_document;
}

namespace fv {

struct BitTorrentSettings;
struct ConnectionSettings;
struct NzbSettings;

class SettingsFile {
  public:
    enum class Status { Missing, Damaged, Read };

    explicit SettingsFile(QString path);
    ~SettingsFile();
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    const QString& path() const { return path_; }
    bool exists() const;

    // Missing: the document stays as it was. Damaged (unreadable, no single top element, far
    // too large): the document starts anew, so the next save replaces the damaged file.
    Status load();
    // The same from bytes already read; false for bytes that hold no document.
    bool loadBytes(const QByteArray& bytes);
    // An empty "root" under the declaration.
    void startNew();

    // Names of the elements under "root", in document order.
    QStringList columns() const;
    // A column's values; every column of that name counts, later values winning.
    ConnectionSettings connection() const;
    BitTorrentSettings bitTorrent() const;
    NzbSettings nzb() const;

    // Replaces the column (its first occurrence) with the record, as the last column.
    void put(const ConnectionSettings& record, SetupFormKind formKind);
    void put(const BitTorrentSettings& record, SetupFormKind formKind);
    void put(const NzbSettings& record, SetupFormKind formKind);

    // Writes the document atomically; false with the reason when the file was kept.
    bool save(QString* error) const;
    // The document as it is written.
    QByteArray serialize() const;

  private:
    template <class Record>
    Record column() const;
    template <class Record>
    void putColumn(const Record& record, SetupFormKind formKind);

    QString path_;
    std::unique_ptr<pugi::xml_document> doc_;
};

}  // namespace fv

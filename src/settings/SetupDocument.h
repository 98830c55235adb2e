// The settings file FVSetup.xml and its in-memory document. One instance belongs to the
// window that owns the setup fields (the main window; the stand-alone window has its own).
// It reads the file's columns into the fields, writes them back, and fills the connection
// record from the fields. UI thread only; the records have their own mutex.
//
// File form: UTF-16 (little endian, with byte-order mark) under the declaration version
// "1.0" encoding "UTF-16"; element "root" with the columns "ConColumn", "BTColumn" and
// "NZBColumn" in the order they were last written. Any encoding pugixml detects (UTF-8,
// UTF-16 LE/BE with or without byte-order mark) reads.
//
// Choices made here:
// - "Autorefresh" is put back into the refresh field when the connection column is read:
//   the column is written from that field, so not restoring it would silently replace a
//   stored period with the field's initial "5" on the next save.
// - "NZBColumn" reads back through LoadNZBSetupXML(), for the caller that finds the
//   router's NZB settings unreadable, the same way the BitTorrent column does.
// - A failed write returns false, keeps the previous file whole and logs
//   "Save Setup XML file failed! - E.Message = " with the reason; nothing is shown here.
#pragma once

#include "settings/SetupColumn.h"
#include "settings/SetupFormKind.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace pugi {
class xml_document;
}

namespace fv {

class FormState;
class SettingsRecords;

class SetupDocument {
  public:
    // fields: the setup fields of formKind; path: the settings file (SettingsFilePath()).
    SetupDocument(FormState& fields, SettingsRecords& records,
                  SetupFormKind formKind = SetupFormKind::SetupPages,
                  QString path = SettingsFilePath());
    ~SetupDocument();
    SetupDocument(const SetupDocument&) = delete;
    SetupDocument& operator=(const SetupDocument&) = delete;

    static QString SettingsFilePath();
    const QString& path() const { return path_; }

    bool IsSetupFilePresent() const;

    // Read one column of the file into the fields; false when the file is missing or holds
    // no document (then a fresh document with an empty "root" replaces the in-memory one).
    bool LoadSetupXML();
    bool LoadBTSetupXML();
    bool LoadNZBSetupXML();

    // Reads the file (and its connection column) when it exists, else starts a new document.
    void OpenSetupDocument();

    // Replace one column of the document and write the whole document to the file.
    bool SaveConnectionColumn();
    bool SaveToSetupXML(int kind);  // 1 "BTColumn", 2 "NZBColumn"

    // The connection record from the connection fields.
    void CommitConnectionFields();

    // The connection record at program start, from the settings file, through a second set
    // of connection values with the stand-alone window's initial values. standAloneFields,
    // when given, is that window's FormState (its rules installed); otherwise a private one
    // is used. The local address comes from this document's local-address list.
    void CommitConnectionAtStart(FormState* standAloneFields = nullptr);

    // The document as it would be written (for tests and diagnostics).
    QByteArray serialize() const;

  private:
    bool loadColumn(SetupColumnKind kind, const char* missingLine, const char* emptyLine);
    bool loadFileInto(pugi::xml_document& doc) const;
    void startNewDocument();
    void applyColumnFrom(const pugi::xml_document& doc, SetupColumnKind kind, FormState& form,
                         SetupFormKind formKind, SettingsRecords* records);
    bool saveColumn(SetupColumnKind kind);

    FormState& fields_;
    SettingsRecords& records_;
    SetupFormKind formKind_;
    QString path_;
    std::unique_ptr<pugi::xml_document> doc_;
};

}  // namespace fv

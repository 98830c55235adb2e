// The settings file FVSetup.xml as the setup fields see it. One instance belongs to the
// window that owns the setup fields (the main window; the stand-alone window has its own).
// It reads the file's columns (SettingsFile) into records and shows them in the fields
// (SetupFormBinding), reads records back from the fields to write them, and fills the
// connection record. UI thread only; the records have their own mutex.
//
// Choices made here:
// - "Autorefresh" is put back into the refresh field when the connection column is read:
//   the column is written from that field, so not restoring it would silently replace a
//   stored period with the field's initial "5" on the next save.
// - "NZBColumn" reads back through loadNzbColumn(), for the caller that finds the
//   router's NZB settings unreadable, the same way the BitTorrent column does.
// - A failed write returns false, keeps the previous file whole and logs
//   "Save Setup XML file failed! - E.Message = " with the reason; nothing is shown here.
#pragma once

#include "settings/SettingsFile.h"
#include "settings/SetupColumn.h"
#include "settings/SetupFormKind.h"

#include <QByteArray>
#include <QString>

namespace fv {

class FormState;
class SettingsRecords;

class SetupDocument {
  public:
    // fields: the setup fields of formKind; path: the settings file (defaultPath()).
    SetupDocument(FormState& fields, SettingsRecords& records,
                  SetupFormKind formKind = SetupFormKind::SetupPages, QString path = defaultPath());
    ~SetupDocument();
    SetupDocument(const SetupDocument&) = delete;
    SetupDocument& operator=(const SetupDocument&) = delete;

    static QString defaultPath();
    const QString& path() const { return path_; }

    bool fileExists() const;

    // Read one column of the file into the fields; false when the file is missing or holds
    // no document (then a fresh document with an empty "root" replaces the in-memory one).
    bool loadConnectionColumn();
    bool loadBitTorrentColumn();
    bool loadNzbColumn();

    // Reads the file (and its connection column) when it exists, else starts a new document.
    void openDocument();

    // Replace one column of the document and write the whole document to the file.
    bool saveConnectionColumn();
    bool saveTransferColumn(int kind);  // 1 "BTColumn", 2 "NZBColumn"

    // The connection record from the connection fields.
    void commitConnectionFields();

    // The connection record at program start, from the settings file read once more (the
    // in-memory document stays), by ConnectionCommit::fillAtStart. standAloneFields, when
    // given, is the stand-alone window's FormState (its rules installed); the stored
    // connection column is shown there as well. The local address comes from this
    // document's local-address list.
    void commitConnectionAtStartup(FormState* standAloneFields = nullptr);

    // The document as it would be written (for tests and diagnostics).
    QByteArray serialize() const;

  private:
    bool loadColumn(SetupColumnKind kind, const char* missingLine, const char* emptyLine);
    void showColumn(SetupColumnKind kind);
    bool saveColumn(SetupColumnKind kind);

    FormState& fields_;
    SettingsRecords& records_;
    SetupFormKind formKind_;
    QString path_;
    SettingsFile file_;
};

}  // namespace fv

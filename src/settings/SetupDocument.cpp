#include "settings/SetupDocument.h"

#include "platform/AppPaths.h"
#include "platform/DebugLog.h"
#include "platform/FormState.h"
#include "router/SettingsRecords.h"
#include "settings/BitTorrentSettings.h"
#include "settings/ConnectionCommit.h"
#include "settings/ConnectionSettings.h"
#include "settings/NzbSettings.h"
#include "settings/SetupFormBinding.h"

#include <algorithm>

namespace fv {

SetupDocument::SetupDocument(FormState& fields, SettingsRecords& records, SetupFormKind formKind,
                             QString path)
    : fields_(fields), records_(records), formKind_(formKind), path_(path), file_(path) {}

SetupDocument::~SetupDocument() = default;

QString SetupDocument::defaultPath() {
    return AppPaths::setupFilePath();
}

bool SetupDocument::fileExists() const {
    return file_.exists();
}

bool SetupDocument::loadConnectionColumn() {
    return loadColumn(SetupColumnKind::Connection, "Load Setup XML file failed!",
                      "Load Setup XML Document from file failed!");
}

bool SetupDocument::loadBitTorrentColumn() {
    return loadColumn(SetupColumnKind::BitTorrent, "Load BT Setup XML file failed!",
                      "Load BT Setup XML Document from file failed!");
}

bool SetupDocument::loadNzbColumn() {
    return loadColumn(SetupColumnKind::Nzb, "Load NZB Setup XML file failed!",
                      "Load NZB Setup XML Document from file failed!");
}

bool SetupDocument::loadColumn(SetupColumnKind kind, const char* missingLine,
                               const char* emptyLine) {
    switch (file_.load()) {
        case SettingsFile::Status::Missing:
            DebugLog::write(missingLine);
            return false;
        case SettingsFile::Status::Damaged:
            // Handled like an empty document: the fields keep their values and the next save
            // replaces the damaged file.
            DebugLog::write(emptyLine);
            return false;
        case SettingsFile::Status::Read:
            break;
    }
    showColumn(kind);
    return true;
}

void SetupDocument::showColumn(SetupColumnKind kind) {
    switch (kind) {
        case SetupColumnKind::Connection:
            SetupFormBinding::show(file_.connection(), fields_, formKind_, &records_);
            break;
        case SetupColumnKind::BitTorrent:
            SetupFormBinding::show(file_.bitTorrent(), fields_, formKind_);
            break;
        case SetupColumnKind::Nzb:
            SetupFormBinding::show(file_.nzb(), fields_, formKind_);
            break;
    }
}

void SetupDocument::openDocument() {
    if (fileExists())
        loadConnectionColumn();
    else
        file_.startNew();
}

bool SetupDocument::saveConnectionColumn() {
    return saveColumn(SetupColumnKind::Connection);
}

bool SetupDocument::saveTransferColumn(int kind) {
    if (kind == 1)
        return saveColumn(SetupColumnKind::BitTorrent);
    if (kind == 2)
        return saveColumn(SetupColumnKind::Nzb);
    DebugLog::write(QStringLiteral("SaveToSetupXML: unknown kind %1").arg(kind));
    return false;
}

bool SetupDocument::saveColumn(SetupColumnKind kind) {
    switch (kind) {
        case SetupColumnKind::Connection:
            file_.put(SetupFormBinding::connection(fields_, formKind_, records_.connection()),
                      formKind_);
            break;
        case SetupColumnKind::BitTorrent:
            file_.put(SetupFormBinding::bitTorrent(fields_, formKind_), formKind_);
            break;
        case SetupColumnKind::Nzb:
            file_.put(SetupFormBinding::nzb(fields_, formKind_), formKind_);
            break;
    }
    QString error;
    if (!file_.save(&error)) {
        DebugLog::write(QStringLiteral("Save Setup XML file failed! - E.Message = ") + error);
        return false;
    }
    return true;
}

QByteArray SetupDocument::serialize() const {
    return file_.serialize();
}

void SetupDocument::commitConnectionFields() {
    const FormState& f = fields_;
    const bool pages = formKind_ == SetupFormKind::SetupPages;
    const bool remote = ConnectionCommit::isRemote(f);
    const QString address = ConnectionCommit::serverAddress(
        f, f.text(pages ? "ComboBoxLocalIP_Setup" : "EditLocalIP_Setup"));
    const QString password = f.text("EditFVPs_Setup");
    if (!password.isEmpty())
        DebugLog::addSecret(password.toStdString());
    records_.editConnection([&](ConnectionProfile& c) {
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

void SetupDocument::commitConnectionAtStartup(FormState* standAloneFields) {
    // The file once more; the in-memory document stays as it is.
    SettingsFile again(path_);
    const ConnectionSettings stored =
        again.load() == SettingsFile::Status::Read ? again.connection() : ConnectionSettings{};
    if (standAloneFields)
        SetupFormBinding::show(stored, *standAloneFields, SetupFormKind::StandAlone, nullptr);
    const QString localList = fields_.text("ComboBoxLocalIP_Setup");
    records_.editConnection(
        [&](ConnectionProfile& c) { ConnectionCommit::fillAtStart(c, stored, localList); });
    const QString password = records_.connection().Password;
    if (!password.isEmpty())
        DebugLog::addSecret(password.toStdString());
}

}  // namespace fv

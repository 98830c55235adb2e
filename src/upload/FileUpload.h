// The transfer worker: uploads one queued file to the router as a multipart POST from a
// temporary copy, turns the reply into BtResult and, for an accepted torrent, sends the file
// choice with a GET. A "Timeout" reply is repeated once after 4 s.
//
// Runs on a worker thread started through the client's runner; touches nothing of the
// window.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "router/RouterContext.h"
#include "router/SettingsRecords.h"
#include "upload/UploadTransfer.h"

namespace fv {

class FileUpload {
  public:
    struct Options {
        QString tempFolder;                 // where temporary copies go; private to the user
        std::function<void(int ms)> sleep;  // the 4 s wait before the repetition
        std::function<unsigned()> random;   // source of temporary names
    };

    FileUpload(const RouterContext& ctx, ConnectionProfile conn, Options options);

    // Runs transferFile(FullPath, Checked, true) and returns BtResult.
    int execute(const UploadTransfer& info);

    int transferFile(const QString& path, const QString& checked, bool allowRetry);
    void sendFileChoice(const QString& tempPath, const QString& checked);

    // "<n>.torrent" (n < 100000), or "<n>.nzb" (n < 1000) when the extension is .nzb in any
    // case.
    static QString tempCopyName(const QString& sourcePath, unsigned random);
    static bool isNzb(const QString& path);

    static Options defaultOptions();

  private:
    QString makeTempCopy(const QString& path);

    RouterContext ctx_;
    ConnectionProfile conn_;
    Options options_;
    QString lastTempName_;
};

}  // namespace fv

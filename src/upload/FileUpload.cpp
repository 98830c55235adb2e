#include "upload/FileUpload.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>

#include "platform/AppPaths.h"
#include "platform/DebugLog.h"
#include "platform/MultipartBody.h"
#include "router/StandardRequest.h"
#include "upload/BtAnswer.h"
#include "upload/UrlEscapePath.h"

namespace fv {
namespace {

constexpr qint64 kMaxUploadBytes = 64 << 20;

std::string trimmedUtf8(const QString& text, size_t maxBytes) {
    std::string bytes = text.toUtf8().toStdString();
    if (bytes.size() > maxBytes)
        bytes.resize(maxBytes);
    const char* blanks = " \t\r\n";
    const size_t first = bytes.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return bytes.substr(first, bytes.find_last_not_of(blanks) - first + 1);
}

// Removes the temporary copy on every way out of an attempt.
class TempCopy {
  public:
    explicit TempCopy(QString path) : path_(std::move(path)) {}
    ~TempCopy() {
        if (!path_.isEmpty() && QFile::exists(path_))
            QFile::remove(path_);
    }
    TempCopy(const TempCopy&) = delete;
    TempCopy& operator=(const TempCopy&) = delete;

  private:
    QString path_;
};

}  // namespace

FileUpload::FileUpload(const RouterContext& ctx, ConnectionProfile conn, Options options)
    : ctx_(ctx), conn_(std::move(conn)), options_(std::move(options)) {
    if (!options_.tempFolder.isEmpty() && !options_.tempFolder.endsWith('/'))
        options_.tempFolder += '/';
}

bool FileUpload::isNzb(const QString& path) {
    return QFileInfo(path).suffix().toLower() == "nzb";
}

QString FileUpload::tempCopyName(const QString& sourcePath, unsigned random) {
    if (isNzb(sourcePath))
        return QString::number(random % 1000) + ".nzb";
    return QString::number(random % 100000) + ".torrent";
}

QString FileUpload::makeTempCopy(const QString& path) {
    QString name = tempCopyName(path, options_.random());
    // A repeated attempt gets a name of its own, even if the draw repeats.
    for (int i = 0; name == lastTempName_ && i < 8; ++i)
        name = tempCopyName(path, options_.random());
    lastTempName_ = name;
    const QString temp = options_.tempFolder + name;
    if (QFile::exists(temp))
        QFile::remove(temp);
    if (!QFile::copy(path, temp))
        DebugLog::write("TarnsferBT-copy fail::" + path);
    return temp;
}

int FileUpload::execute(const UploadTransfer& info) {
    return transferFile(info.FullPath, info.Checked, true);
}

int FileUpload::transferFile(const QString& path, const QString& checked, bool allowRetry) {
    int result = kNoAnswer;
    // Told apart before any copy is made, so the user reads what is wrong with the file
    // instead of a connection failure.
    const QFileInfo source(path);
    if (!source.isFile() || !source.isReadable()) {
        DebugLog::write("TarnsferBT-FileStream fail::" + path + " cannot be read");
        return kUnreadable;
    }
    if (source.size() > kMaxUploadBytes) {
        DebugLog::write("TarnsferBT-FileStream fail::file too large");
        return kTooLarge;
    }
    const QString tempPath = makeTempCopy(path);
    TempCopy cleanup(tempPath);
    QFile copy(tempPath);
    if (!copy.open(QIODevice::ReadOnly) || copy.size() > kMaxUploadBytes) {
        DebugLog::write("TarnsferBT-FileStream fail::" +
                        (copy.isOpen() ? QStringLiteral("file too large") : copy.errorString()));
        DebugLog::write("TarnsferBT()-end");
        return copy.isOpen() ? kTooLarge : result;
    }
    const QByteArray data = copy.readAll();
    copy.close();

    MultipartBody body;
    body.addFile("filename", QFileInfo(tempPath).fileName().toStdString(),
                 isNzb(path) ? "application/NZB" : "application/x-bittorrent", data.toStdString(),
                 "binary");
    HttpRequest req = prepareStandardRequest(ctx_, conn_, request_kind::UploadFile);
    req.url += "/ferrovane/fv_uploadbt.cgi";
    req.method = HttpRequest::Method::Post;
    req.setHeader("Content-Encoding", "deflate");
    req.body = body.bytes();
    req.contentType = body.contentType();
    const HttpResponse res = ctx_.transport->perform(req);
    std::string reply = res.body;
    if (!res.ok) {
        DebugLog::write("TarnsferBT - E.Message = " + res.failureText);
        reply += "\r\n" + res.failureText;
    }
    result = classifyUploadAnswer(reply);

    if (result == kBtAckSuccess)
        sendFileChoice(tempPath, checked);
    if (result == kTimeout && allowRetry) {
        DebugLog::write("TarnsferBT - TryOne");
        options_.sleep(4000);
        return transferFile(path, checked, false);  // this attempt's copy goes with cleanup
    }
    DebugLog::write("TarnsferBT()-end");
    return result;
}

void FileUpload::sendFileChoice(const QString& tempPath, const QString& checked) {
    HttpRequest req = prepareStandardRequest(ctx_, conn_, request_kind::UploadQuery);
    req.url +=
        "//ferrovane//fv_uploadbt.cgi?filename=" + urlEscapePath(trimmedUtf8(tempPath, 1023)) +
        "&download_type=" + checked.toStdString() + "&D_type=3" + makeCacheBreaker();
    const HttpResponse res = ctx_.transport->perform(req);
    if (!res.ok)
        DebugLog::write("TarnsferBtSelectHttpGet - http connect fault!; E.Message = " +
                        res.failureText);
    DebugLog::write("TMainForm::TarnsferSelectHttpGet()-end\r\n");
}

FileUpload::Options FileUpload::defaultOptions() {
    Options o;
    o.tempFolder = AppPaths::dataFolder();
    o.sleep = [](int ms) { QThread::msleep(ulong(ms)); };
    o.random = [] { return unsigned(QRandomGenerator::global()->generate()); };
    return o;
}

}  // namespace fv

#include "update/VersionCheck.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QPointer>
#include <QSaveFile>

#include "platform/DebugLog.h"
#include "platform/WorkerThread.h"
#include "update/PackageChecksum.h"

namespace fv {
namespace {

void logFailure(const std::string& text) {
    DebugLog::write(QStringLiteral("TCheckVersionThread::Execute() E.Message = ") +
                    QString::fromStdString(text));
}

UpdateFetch fetchOf(const VersionCheckJob& job, const std::string& url, std::int64_t maxBytes) {
    UpdateFetch f;
    f.url = url;
    f.extraCaFile = job.extraCaFile;
    f.maxBytes = maxBytes;
    f.cancel = job.cancel;
    return f;
}

bool fetchText(const VersionCheckJob& job, const std::string& url, QByteArray* out,
               VersionCheckResult& result) {
    std::string body;
    const TransferOutcome outcome = UpdateTransfer::fetch(fetchOf(job, url, 1 << 20), &body);
    if (!outcome.ok()) {
        logFailure(outcome.failureText);
        result.online = false;
        result.failure = outcome.failure;
        return false;
    }
    *out = QByteArray::fromStdString(body);
    return true;
}

// The package under a temporary name beside its final one, renamed only once it matches.
void fetchPackage(const VersionCheckJob& job, const VersionCheck::Progress& progress,
                  VersionCheckResult& result) {
    QByteArray checksumText;
    if (!fetchText(job, job.checksumUrl, &checksumText, result)) {
        // A server that answers without the file publishes no checksum for it.
        result.package = result.failure == TransferFailure::Status ? PackageOutcome::NoChecksum
                                                                   : PackageOutcome::Failed;
        return;
    }
    const QString fileName = QFileInfo(job.packagePath).fileName();
    const QString expected = publishedSha256(checksumText.toStdString(), fileName);
    if (expected.isEmpty()) {
        logFailure("no checksum published for " + fileName.toStdString());
        result.package = PackageOutcome::NoChecksum;
        return;
    }
    QSaveFile file(job.packagePath);
    if (!file.open(QIODevice::WriteOnly)) {
        logFailure("cannot write " + job.packagePath.toStdString() + ": " +
                   file.errorString().toStdString());
        result.package = PackageOutcome::Failed;
        result.failure = TransferFailure::Sink;
        return;
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const UpdateTransfer::Sink sink = [&](const char* data, std::size_t size) {
        hash.addData(QByteArrayView(data, static_cast<qsizetype>(size)));
        return file.write(data, static_cast<qint64>(size)) == static_cast<qint64>(size);
    };
    const TransferOutcome outcome = UpdateTransfer::stream(
        fetchOf(job, job.packageUrl, VersionCheck::kMaxPackageBytes), sink, progress);
    if (!outcome.ok()) {
        file.cancelWriting();
        logFailure(outcome.failureText);
        result.online = false;
        result.failure = outcome.failure;
        result.package = PackageOutcome::Failed;
        return;
    }
    if (QString::fromLatin1(hash.result().toHex()) != expected) {
        file.cancelWriting();
        logFailure("the checksum of " + fileName.toStdString() + " does not match");
        result.package = PackageOutcome::ChecksumMismatch;
        return;
    }
    if (!file.commit()) {
        logFailure("cannot keep " + job.packagePath.toStdString() + ": " +
                   file.errorString().toStdString());
        result.package = PackageOutcome::Failed;
        result.failure = TransferFailure::Sink;
        return;
    }
    result.package = PackageOutcome::Saved;
}

}  // namespace

VersionCheckResult VersionCheck::run(const VersionCheckJob& job, bool onlineBefore,
                                     const Progress& progress) {
    VersionCheckResult result;
    result.online = onlineBefore;
    if (!job.versionInfoUrl.empty() &&
        fetchText(job, job.versionInfoUrl, &result.versionInfo, result))
        result.online = true;
    if (!job.releaseNoteUrl.empty())
        fetchText(job, job.releaseNoteUrl, &result.releaseNote, result);
    if (!job.packageUrl.empty())
        fetchPackage(job, progress, result);
    return result;
}

void VersionCheck::start(QObject* receiver, VersionCheckJob job, bool onlineBefore,
                         Progress progress, Done done) {
    QPointer<QObject> target(receiver);
    // Progress crosses to the UI thread through the application object, which outlives every
    // window; whether the receiver still exists is asked there, never on the worker. Steps
    // under 64 KiB are not sent, so a large package does not flood the event queue.
    auto last = std::make_shared<std::int64_t>(-1);
    Progress forward = [target, progress = std::move(progress), last](std::int64_t got,
                                                                      std::int64_t total) {
        if (!progress || got == *last)
            return;
        if (*last >= 0 && got != total && got - *last < 64 * 1024)
            return;
        *last = got;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [target, progress, got, total] {
                if (target)
                    progress(got, total);
            },
            Qt::QueuedConnection);
    };
    WorkerThread::run<VersionCheckResult>(
        receiver,
        [job = std::move(job), onlineBefore, forward] { return run(job, onlineBefore, forward); },
        std::move(done));
}

}  // namespace fv

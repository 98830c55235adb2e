// TCheckVersionThread: one run over up to three URLs of the update server, in the order
// version info, release note, package; each empty URL is skipped. The package is saved in
// the Downloads folder only when its SHA-256 matches the checksum published beside it; until
// then it lives under a temporary name that a failure removes.
//
// The run's work is on a worker thread; progress and the result reach the receiver's thread
// through queued calls, dropped when the receiver is gone. The worker reads nothing but its
// job and writes nothing but its result.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "update/UpdateTransfer.h"

namespace fv {

struct VersionCheckJob {
    std::string versionInfoUrl;
    std::string releaseNoteUrl;
    std::string packageUrl;
    std::string checksumUrl;  // with packageUrl
    QString packagePath;      // with packageUrl: where the verified package is kept
    QString extraCaFile;
    std::shared_ptr<std::atomic<bool>> cancel = std::make_shared<std::atomic<bool>>(false);
};

enum class PackageOutcome { NotAsked, Saved, NoChecksum, ChecksumMismatch, Failed };

struct VersionCheckResult {
    // Cleared by any failed download, set by the version info's success.
    bool online = false;
    QByteArray versionInfo;
    QByteArray releaseNote;
    PackageOutcome package = PackageOutcome::NotAsked;
    // The last failure's kind (Untrusted tells a refused certificate from a missing network).
    TransferFailure failure = TransferFailure::None;
};

class VersionCheck {
  public:
    using Progress = std::function<void(std::int64_t received, std::int64_t expected)>;
    using Done = std::function<void(VersionCheckResult)>;

    static constexpr std::int64_t kMaxPackageBytes = std::int64_t(512) << 20;

    // onlineBefore: the flag as the window holds it (a run without the version info keeps
    // it unless a download fails).
    static void start(QObject* receiver, VersionCheckJob job, bool onlineBefore, Progress progress,
                      Done done);

    // The run itself, on the calling thread (the worker's body; fvctl calls it directly).
    static VersionCheckResult run(const VersionCheckJob& job, bool onlineBefore,
                                  const Progress& progress);
};

}  // namespace fv

#include "update/UpdateFlow.h"

#include <QDir>

#include "platform/DebugLog.h"
#include "platform/Timer.h"
#include "update/ReleaseNote.h"
#include "update/UpdateControlNames.h"

namespace fv {

namespace n = update_names;

UpdateFlow::UpdateFlow(Context context, Timer& animation, QObject* parent)
    : QObject(parent), context_(std::move(context)), animation_(animation) {
    animation_.setInterval(1000);
    animation_.setHandler([this] { animationTick(); });
    form_.setEnabled(n::UpdateButton, false);
    form_.setVisible(n::UpdateMessage, false);
    form_.setVisible(n::ProgressLabel, false);
    form_.setVisible(n::ProgressBar, false);
}

UpdateFlow::~UpdateFlow() {
    if (cancel_)
        cancel_->store(true);
    animation_.setEnabled(false);
    animation_.setHandler({});
}

void UpdateFlow::setTexts(const MessageTexts& messages, const ClientTexts& client) {
    messages_.update(messages);
    client_ = client;
}

QString UpdateFlow::packagePath() const {
    if (packageName_.isEmpty())
        return {};
    return QDir(context_.downloadFolder).filePath(packageName_);
}

void UpdateFlow::formShow() {
    form_.setText(n::ProgressLabel, messages_[Msg::FormUpdateMag0] + QStringLiteral("..."));
    form_.setText(n::NowVersionValue, context_.currentVersion);
    form_.setText(n::NewVersionValue, QString());
    form_.setText(n::ReleaseNote, QString());
    form_.setEnabled(n::UpdateButton, false);
    counter_ = 0;
    form_.setVisible(n::UpdateMessage, false);
    published_ = {};
    releaseNoteName_.clear();
    packageName_.clear();
    animation_.setEnabled(true);
    VersionCheckJob job;
    job.versionInfoUrl = context_.site.versionInfoUrl();
    stage_ = Stage::Checking;
    startRun(std::move(job));
}

void UpdateFlow::updateClicked() {
    if (stage_ != Stage::Waiting || !form_.enabled(n::UpdateButton) || packageName_.isEmpty())
        return;
    animation_.setEnabled(true);
    form_.setEnabled(n::UpdateButton, false);
    form_.setVisible(n::UpdateMessage, false);
    VersionCheckJob job;
    job.packageUrl = context_.site.fileUrl(packageName_);
    job.checksumUrl = context_.site.checksumUrl(packageName_);
    job.packagePath = packagePath();
    stage_ = Stage::Downloading;
    startRun(std::move(job));
}

void UpdateFlow::closed() {
    if (cancel_)
        cancel_->store(true);
    cancel_.reset();
    ++run_;  // the abandoned run's end is not shown
    animation_.setEnabled(false);
    stage_ = Stage::Idle;
}

void UpdateFlow::startRun(VersionCheckJob job) {
    job.extraCaFile = context_.site.extraCaFile;
    if (cancel_)
        cancel_->store(true);
    cancel_ = job.cancel;
    const int run = ++run_;
    // The run shows the progress controls as it starts.
    form_.setVisible(n::ProgressLabel, true);
    form_.setVisible(n::ProgressBar, true);
    onProgress(0, 0);
    VersionCheck::start(
        this, std::move(job), online_,
        [this, run](std::int64_t got, std::int64_t total) {
            if (run == run_)
                onProgress(got, total);
        },
        [this, run](VersionCheckResult result) {
            if (run == run_)
                runDone(result);
        });
}

void UpdateFlow::onProgress(std::int64_t received, std::int64_t expected) {
    progressMaximum_ = expected;
    progressValue_ = expected > 0 ? std::min(received, expected) : received;
    emit progressChanged(progressValue_, progressMaximum_);
}

void UpdateFlow::runDone(const VersionCheckResult& result) {
    cancel_.reset();
    online_ = result.online;
    switch (stage_) {
        case Stage::Checking:
            versionPass(result);
            break;
        case Stage::Note:
            notePass(result);
            break;
        case Stage::Downloading:
            packagePass(result);
            break;
        default:
            break;
    }
    animation_.setEnabled(false);
    form_.setText(n::ProgressLabel,
                  online_ ? messages_[Msg::FormUpdateMag2] : messages_[Msg::FormUpdateMag5]);
    if (result.failure == TransferFailure::Untrusted)
        showMessage(client_[Ct::UpdateUntrusted]);
    emit runEnded();
}

void UpdateFlow::versionPass(const VersionCheckResult& result) {
    published_ = parseVersionInfo(result.versionInfo.toStdString());
    form_.setText(n::NewVersionValue, published_.dotted);
    stage_ = Stage::Done;
    if (published_.dotted.isEmpty()) {
        if (result.online)
            DebugLog::write("TFormUpdate: the version information names no version");
        return;
    }
    releaseNoteName_ = releaseNoteFileName(published_.compact, context_.simplifiedChinese);
    packageName_ = packageFileName(published_.dotted, context_.architecture);
    VersionCheckJob job;
    job.releaseNoteUrl = context_.site.fileUrl(releaseNoteName_);
    stage_ = Stage::Note;
    startRun(std::move(job));
}

void UpdateFlow::notePass(const VersionCheckResult& result) {
    if (!result.releaseNote.isEmpty()) {
        const ReleaseNote note =
            ReleaseNoteReader::read(result.releaseNote, context_.simplifiedChinese);
        if (!note.problem.isEmpty())
            DebugLog::write(QStringLiteral("TFormUpdate: ") + note.problem);
        form_.setText(n::ReleaseNote, form_.text(n::ReleaseNote) + note.text);
    }
    const bool newer = isNewerVersion(published_.dotted, context_.currentVersion);
    form_.setEnabled(n::UpdateButton, newer);
    showMessage(newer ? messages_[Msg::FormUpdateMag3] : messages_[Msg::FormUpdateMag4]);
    stage_ = newer ? Stage::Waiting : Stage::Done;
}

void UpdateFlow::packagePass(const VersionCheckResult& result) {
    stage_ = Stage::Waiting;
    switch (result.package) {
        case PackageOutcome::Saved: {
            const QString path = packagePath();
            const bool opened = context_.openPackage && context_.openPackage(path);
            showMessage(
                (opened ? client_[Ct::UpdatePackageSaved] : client_[Ct::UpdatePackageNotOpened])
                    .arg(path));
            stage_ = Stage::Done;
            return;
        }
        case PackageOutcome::ChecksumMismatch:
            showMessage(client_[Ct::UpdateChecksumMismatch]);
            break;
        case PackageOutcome::NoChecksum:
            showMessage(client_[Ct::UpdateNoChecksum]);
            break;
        default:
            showMessage(client_[Ct::UpdateDownloadFailed]);
            break;
    }
    // The user may try again.
    form_.setEnabled(n::UpdateButton, true);
}

void UpdateFlow::showMessage(const QString& text) {
    form_.setText(n::UpdateMessage, text);
    form_.setVisible(n::UpdateMessage, true);
}

void UpdateFlow::animationTick() {
    static const char* const kDots[] = {".", "...", "........"};
    const QString message = stage_ == Stage::Downloading ? messages_[Msg::FormUpdateMag1]
                                                         : messages_[Msg::FormUpdateMag0];
    form_.setText(n::ProgressLabel, message + QLatin1String(kDots[counter_ % 3]));
    ++counter_;
}

}  // namespace fv

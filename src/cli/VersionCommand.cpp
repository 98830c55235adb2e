#include "cli/VersionCommand.h"

#include "cli/CliExit.h"
#include "platform/VersionInfo.h"
#include "update/UpdateSite.h"
#include "update/VersionCheck.h"
#include "update/VersionText.h"

namespace fv::cli {

void VersionCommand::configure(QCommandLineParser& parser) const {
    parser.addOption(QCommandLineOption(QStringLiteral("check"),
                                        QStringLiteral("Asks the update server whether a newer "
                                                       "version is published.")));
}

int VersionCommand::execute(const QCommandLineParser& parser, CliOutput& io) {
    const QString current = VersionInfo::programVersion();
    io.line(QStringLiteral("fvctl ") + current);
    if (!parser.isSet(QStringLiteral("check")))
        return kExitOk;
    const UpdateSite site = UpdateSite::configured();
    VersionCheckJob job;
    job.versionInfoUrl = site.versionInfoUrl();
    job.extraCaFile = site.extraCaFile;
    const VersionCheckResult result = VersionCheck::run(job, false, {});
    if (result.failure == TransferFailure::Untrusted) {
        io.error(io.client()[Ct::UpdateUntrusted]);
        return kExitOffline;
    }
    const PublishedVersion published = parseVersionInfo(result.versionInfo.toStdString());
    if (!result.online || published.dotted.isEmpty()) {
        io.error(io.texts()[Msg::FormUpdateMag5]);
        return kExitOffline;
    }
    if (isNewerVersion(published.dotted, current))
        io.line(io.client()[Ct::FvctlVersionNewer].arg(published.dotted));
    else
        io.line(io.texts()[Msg::FormUpdateMag4]);
    return kExitOk;
}

}  // namespace fv::cli

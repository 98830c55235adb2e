#include "app/StartupVersionCheck.h"

#include "update/VersionCheck.h"
#include "update/VersionText.h"

namespace fv {

void StartupVersionCheck::startVersionCheck() {
    const UpdateSite site = context_.site();
    VersionCheckJob job;
    job.versionInfoUrl = site.versionInfoUrl();
    job.extraCaFile = site.extraCaFile;
    VersionCheck::start(this, std::move(job), false, {}, [this](VersionCheckResult result) {
        const QString published = parseVersionInfo(result.versionInfo.toStdString()).dotted;
        const QString shown = context_.shownVersion ? context_.shownVersion() : QString();
        const bool open = !published.isEmpty() && !shown.isEmpty() &&
                          isNewerVersion(published, shown) && context_.openUpdateWindow;
        if (open)
            context_.openUpdateWindow();
        emit checked(open);
    });
}

}  // namespace fv

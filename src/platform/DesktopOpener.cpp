#include "platform/DesktopOpener.h"

#include <QProcess>

#include "platform/DebugLog.h"

namespace fv {

bool DesktopOpener::openWithDesktop(const QString& url) {
    // QDesktopServices does the same on a Linux desktop but needs a GUI application, which
    // fvctl is not; xdg-open serves both.
    const bool started = QProcess::startDetached(QStringLiteral("xdg-open"), {url});
    if (!started)
        DebugLog::write(QStringLiteral("DesktopOpener: xdg-open did not start for ") + url);
    return started;
}

}  // namespace fv

#include "app/DisplayCheck.h"

namespace fv {

DisplayCheck::Session DisplayCheck::current() {
    return {qEnvironmentVariable("QT_QPA_PLATFORM"), qEnvironmentVariable("DISPLAY"),
            qEnvironmentVariable("WAYLAND_DISPLAY")};
}

bool DisplayCheck::usable(const Session& session) {
    // An explicit platform (offscreen, vnc, xcb with its own display) is the user's choice.
    return !session.qpaPlatform.trimmed().isEmpty() || !session.display.trimmed().isEmpty() ||
           !session.waylandDisplay.trimmed().isEmpty();
}

QString DisplayCheck::hint(const QString& program) {
    return QStringLiteral(
               "%1: no graphical display found (DISPLAY and WAYLAND_DISPLAY are not set).\n"
               "Run it inside a desktop session, or under a virtual display:\n"
               "    xvfb-run -a %1 [file.torrent]\n"
               "or choose a Qt platform explicitly, e.g. QT_QPA_PLATFORM=offscreen %1\n")
        .arg(program);
}

}  // namespace fv

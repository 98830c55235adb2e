// Whether a graphical session is reachable before the GUI framework is started, so a start
// without one explains itself instead of aborting inside the framework.
#pragma once

#include <QString>

namespace fv {

class DisplayCheck {
  public:
    struct Session {
        QString qpaPlatform;     // QT_QPA_PLATFORM
        QString display;         // DISPLAY
        QString waylandDisplay;  // WAYLAND_DISPLAY
    };

    static Session current();
    static bool usable(const Session& session);
    // What to print when it is not.
    static QString hint(const QString& program);
};

}  // namespace fv

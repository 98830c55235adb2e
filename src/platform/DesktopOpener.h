// Replaces the shell's "open" of a path or URL: the desktop's default handler (xdg-open)
// opens smb:// in the file manager or player, which mounts the share itself, and https:// in
// the browser. Only the URL is passed; it never carries an account.
#pragma once

#include <QString>
#include <functional>

namespace fv {

class DesktopOpener {
  public:
    using Open = std::function<void(const QString& url)>;

    // Starts the handler detached; false when it could not be started.
    static bool openWithDesktop(const QString& url);
};

}  // namespace fv

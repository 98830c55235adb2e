// Lock files left behind by a process killed at the wrong moment. QLockFile creates the file
// and then writes its holder into it; a kill in between leaves a file whose holder cannot be
// read, which QLockFile never takes for stale when its stale time is 0 (and only after that
// time otherwise), so every later sender would wait forever.
#pragma once

#include <QString>

namespace fv {

class LockFiles {
  public:
    // Long enough for a live process to write the holder it has just created the file for.
    static constexpr int kUnreadableAfterMs = 2000;

    // Removes the lock file at path when its holder cannot be read and it is older than
    // olderThanMs; true when it removed one.
    static bool removeUnreadable(const QString& path, int olderThanMs = kUnreadableAfterMs);
};

}  // namespace fv

// Lock files left behind by a process killed at the wrong moment. QLockFile creates the file
// and then writes its holder into it; a kill in between leaves a file whose holder cannot be
// read, which QLockFile never takes for stale when its stale time is 0 (and only after that
// time otherwise), so every later sender would wait forever.
#pragma once

#include <QLockFile>
#include <QString>

namespace fv {

class LockFiles {
  public:
    // Long enough for a live process to write the holder it has just created the file for.
    static constexpr int kUnreadableAfterMs = 2000;

    // Removes the lock file at path when its holder cannot be read and it is older than
    // olderThanMs; true when it removed one.
    static bool removeUnreadable(const QString& path, int olderThanMs = kUnreadableAfterMs);

    // Takes lock (made for path), waiting up to waitMs (< 0: as long as it takes). Lock files
    // without a readable holder, the lock's own and the one QLockFile takes to remove a stale
    // lock, are removed as they grow old enough while it waits, so a writer killed while it
    // took the lock holds the next one up for about kUnreadableAfterMs, not for good.
    static bool take(QLockFile& lock, const QString& path, int waitMs);

    // Waits while the lock file at path exists without a readable holder, until it is old
    // enough to remove; returns at once when there is none or it names its holder. For a
    // caller that tries a lock without waiting, yet may wait a moment for a dead writer's.
    static void outwaitUnreadable(const QString& path);
};

}  // namespace fv

// The exit codes of fvctl. Scripts test them, so their numbers never change once published.
#pragma once

#include <QString>

#include "i18n/ClientTexts.h"

namespace fv::cli {

enum ExitCode : int {
    kExitOk = 0,
    kExitUsage = 1,         // unknown command, wrong arguments
    kExitBadInput = 2,      // unknown task ID, unreadable torrent, no file chosen
    kExitOffline = 3,       // the router did not answer (an added file stays queued)
    kExitRefused = 4,       // the router refused the connection
    kExitRejected = 5,      // the router rejected the account
    kExitBusy = 6,          // another user is logged in to the router
    kExitExists = 7,        // the router already has the task
    kExitFull = 8,          // the router's task list or disk is full
    kExitUploadFailed = 9,  // the router could not take the file
    kExitLocalFiles = 10,   // no settings file, or the queue file cannot be written
    kExitSenderBusy = 11,   // another process (the window) is sending; the file stays queued
    kExitNotOpened = 12,    // View found nothing to open (no such file on the share, no link)
    kExitPortHeld = 13,     // another program holds the discovery port 9999
};

// The table printed by "fvctl --help" and quoted in the README.
const char* exitCodeHelp();
// The same in the user's language.
QString exitCodeHelp(const ClientTexts& texts);

}  // namespace fv::cli

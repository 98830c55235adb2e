// Replaces the original's "net use" with the password on a command line followed by a file
// test on a UNC path: here libsmbclient signs in with the account handed over in memory (an
// authentication callback), so no password ever reaches a process's arguments, environment
// or log, and answers what an smb:// URL names.
//
// Blocking; callable from any worker thread. Calls are serialised because libsmbclient keeps
// process-wide state (its configuration and debug settings) behind every context.
#pragma once

#include <QString>

namespace fv {

struct SmbAccount {
    QString user;
    QString password;
};

enum class SmbEntry {
    File,
    Folder,
    Missing,      // the share answered: no such file or folder
    Denied,       // the account was refused (or may not read the entry)
    Unreachable,  // no SMB server answered at all (or the library could not start)
};

class SmbShare {
  public:
    static constexpr int kTimeoutMs = 5000;

    // url: smb://host[:port]/share/path, percent-encoded.
    static SmbEntry stat(const QString& url, const SmbAccount& account, int timeoutMs = kTimeoutMs);
};

}  // namespace fv

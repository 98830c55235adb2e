// Where View opens a task in local mode: the original's UNC paths under the router's local
// host name, as smb:// URLs. For a DownloadFolder of \Download2\Complete and a task abc:
// finished + play smb://host/Download2/Complete/abc, finished + open folder
// smb://host/Download2/Complete, unfinished smb://host/Download2/InComplete, and with no
// DownloadFolder known yet the router's share list smb://ServerAddress.
#pragma once

#include <QString>

namespace fv {

struct LocalViewInput {
    QString downloadFolder;  // backslash-separated, as the general read gives it
    QString taskName;
    QString localHost;  // "host" or "host:port"
    QString serverAddress;
    bool finished = false;
    bool opensFolder = false;
};

struct ShareTarget {
    QString url;
    // The share list: opened without an existence check.
    bool shareList = false;

    // Only these two exact statuses count as finished.
    static bool isFinished(const QString& status);
    static ShareTarget local(const LocalViewInput& input);
    // The finished task's own entry, as the task menu checks it.
    static QString taskEntry(const QString& localHost, const QString& downloadFolder,
                             const QString& taskName);
    // host ("host" or "host:port") and a backslash path ("\a\b") as a percent-encoded URL.
    static QString smbUrl(const QString& host, const QString& backslashPath);
};

}  // namespace fv

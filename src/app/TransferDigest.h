// What the tray shows about the tasks: the summed download and upload speed for its tooltip,
// and the tasks that just turned "Finished" or "Seeding" for a notification.
#pragma once

#include <QString>
#include <QStringList>
#include <map>

#include "app/TaskRowSource.h"

namespace fv {

class TransferDigest {
  public:
    // A speed text such as "12.5 KBps", "1.2MBps" or "300 Bps" in KB/s; 0 when unreadable.
    static double speedKBps(const QString& text);
    struct Totals {
        double down = 0;
        double up = 0;
    };
    // The summed download and upload speed of all rows, in KB/s.
    static Totals totalsKBps(const TaskRowSource& rows);
    // "Down 12.5 KB/s, Up 3.0 KB/s" over all rows.
    static QString speedSummary(const TaskRowSource& rows);

    // Compares with the statuses seen last time and returns the names of tasks that turned
    // "Finished" or "Seeding". Tasks seen for the first time never count: a client started
    // after a download ended must not announce it again.
    QStringList newlyFinished(const TaskRowSource& rows);

  private:
    std::map<QString, QString> lastStatus_;  // by lower-cased task identifier
};

}  // namespace fv

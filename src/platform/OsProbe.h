// Operating-system probe. The original classified the Windows version into a process-wide
// code (1..14, 0 for unknown) that list ordering and the selection window read. Every
// system this client runs on is "unknown" in that table, so the code here is always 0 and
// the XP-family flag always false; the log lines still carry what this system reports.
#pragma once

#include <QString>
#include <QStringList>

namespace fv {

// What the system told us, in the shape of the original's version record.
struct OsFacts {
    bool readable = false;     // false when the system could not be asked at all
    unsigned platformId = 0;   // no Windows platform family applies here
    unsigned buildNumber = 0;  // third number of the kernel release, 0 when absent
    unsigned majorVersion = 0;
    unsigned minorVersion = 0;
    QString servicePack;  // the kernel's version string stands in for the service-pack text
    QString machine;      // hardware name, e.g. "x86_64"
};

struct OsProbeResult {
    bool ok = false;  // false: the caller ends the process with exit code 1
    int code = 0;
    bool xpFamily = false;
    bool is64Bit = false;
    QStringList logLines;  // in the order they are written
};

class OsProbe {
  public:
    // Asks this system (uname) and writes the log lines once; later calls return the same
    // result without logging again.
    static const OsProbeResult& probe();

    // The process-wide values other layers read; probe() must have run.
    static int code();
    static bool isXpFamily();

    // Pure parts, for tests.
    static OsFacts factsFromUname(const char* release, const char* version, const char* machine);
    static OsProbeResult evaluate(const OsFacts& facts);
    static bool is64BitMachine(const QString& machine);
};

}  // namespace fv

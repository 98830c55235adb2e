#include "platform/OsProbe.h"

#include <sys/utsname.h>

#include <QRegularExpression>
#include <mutex>

#include "platform/DebugLog.h"

namespace fv {

OsFacts OsProbe::factsFromUname(const char* release, const char* version, const char* machine) {
    OsFacts facts;
    facts.readable = true;
    // "6.1.0-18-amd64" gives 6, 1 and 0; anything that does not start with numbers gives 0s.
    static const QRegularExpression numbers(
        QStringLiteral("^(\\d{1,9})(?:\\.(\\d{1,9}))?(?:\\.(\\d{1,9}))?"));
    const auto match = numbers.match(QString::fromUtf8(release ? release : ""));
    if (match.hasMatch()) {
        facts.majorVersion = match.captured(1).toUInt();
        facts.minorVersion = match.captured(2).toUInt();
        facts.buildNumber = match.captured(3).toUInt();
    }
    facts.servicePack = QString::fromUtf8(version ? version : "");
    facts.machine = QString::fromUtf8(machine ? machine : "");
    return facts;
}

bool OsProbe::is64BitMachine(const QString& machine) {
    static const QStringList kinds = {"x86_64",  "amd64", "aarch64", "arm64",  "ppc64",
                                      "ppc64le", "s390x", "riscv64", "mips64", "loongarch64",
                                      "sparc64", "ia64",  "alpha"};
    return kinds.contains(machine, Qt::CaseInsensitive);
}

OsProbeResult OsProbe::evaluate(const OsFacts& facts) {
    OsProbeResult result;
    if (!facts.readable) {
        result.logLines << QStringLiteral(
            "(FormMain)Fails for GetVersionEx( (OSVERSIONINFO *)&info )");
        return result;
    }
    result.ok = true;
    result.logLines << QStringLiteral("osVersionInfo.dwPlatFormID : %1").arg(facts.platformId)
                    << QStringLiteral("osVersionInfo.dwBuildNumber : %1").arg(facts.buildNumber)
                    << QStringLiteral("osVersionInfo.dwMajorVersion: %1").arg(facts.majorVersion)
                    << QStringLiteral("osVersionInfo.dwMinorVersion: %1").arg(facts.minorVersion)
                    << QStringLiteral("osVersionInfo.szCSDVersion: ") + facts.servicePack;
    // No Windows platform family matches, so the table's "unknown platform" row applies.
    result.code = 0;
    result.xpFamily = false;
    result.logLines << QStringLiteral("OSVersion = Unknown");
    // The original only asked about 64 bits for known Windows codes and so reported every
    // unknown system as 32-bit; here the machine name answers truthfully.
    result.is64Bit = is64BitMachine(facts.machine);
    result.logLines << QStringLiteral("check if 64 bit")
                    << (result.is64Bit ? QStringLiteral("OS is x64-bit")
                                       : QStringLiteral("OS is x32-bit"));
    return result;
}

const OsProbeResult& OsProbe::probe() {
    static OsProbeResult result;
    static std::once_flag once;
    std::call_once(once, [] {
        struct utsname name {};
        const OsFacts facts = uname(&name) == 0
                                  ? factsFromUname(name.release, name.version, name.machine)
                                  : OsFacts{};
        result = evaluate(facts);
        for (const QString& line : result.logLines)
            DebugLog::write(line);
    });
    return result;
}

int OsProbe::code() {
    return probe().code;
}

bool OsProbe::isXpFamily() {
    return probe().xpFamily;
}

}  // namespace fv

#include "app/ProgramEntry.h"

#include "app/StartupArguments.h"
#include "platform/DebugLog.h"
#include "platform/SingleInstance.h"

namespace fv {

ProgramEntry::Result ProgramEntry::run(SingleInstance& instance, const QStringList& arguments) {
    Result result;
    if (instance.start() == SingleInstance::Role::First) {
        result.runClient = true;
        return result;
    }
    const SingleInstance::Outcome outcome =
        instance.handToRunning(StartupArguments::firstArgument(arguments));
    if (!outcome.error.isEmpty()) {
        result.message = outcome.error;
        result.exitCode = 1;
        DebugLog::write(QStringLiteral("ProgramEntry: ") + outcome.error);
    }
    return result;
}

}  // namespace fv

#include "app/RouterLocalHost.h"

namespace fv {

QString RouterLocalHost::configured() {
    return qEnvironmentVariable(kVariable).trimmed();
}

QString RouterLocalHost::effective(const QString& configured, const QString& serverAddress) {
    const QString host = configured.trimmed();
    return host.isEmpty() ? serverAddress.trimmed() : host;
}

}  // namespace fv

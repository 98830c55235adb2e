#include "settings/ConnectionCommit.h"

#include "platform/FormState.h"
#include "settings/NumericFieldRule.h"

#include <algorithm>

namespace fv {

QString ConnectionCommit::localAddress(const QString& listText) {
    const qsizetype bracket = listText.indexOf(QLatin1Char('('));
    if (bracket < 0)
        return listText;
    qsizetype end = bracket;
    while (end > 0 && listText.at(end - 1).isSpace())
        --end;
    return listText.left(end);
}

int32_t ConnectionCommit::refreshIntervalMs(const QString& secondsText) {
    constexpr qint64 kFallbackSeconds = 10;
    constexpr qint64 kMaxSeconds = INT32_MAX / 1000;
    const auto seconds = NumericFieldRule::parse(secondsText);
    const qint64 s =
        (!seconds || *seconds <= 0) ? kFallbackSeconds : std::min<qint64>(*seconds, kMaxSeconds);
    return static_cast<int32_t>(s * 1000);
}

bool ConnectionCommit::isRemote(const FormState& fields) {
    return fields.checked("RadioBtnRemote_Setup") && !fields.checked("RadioBtnLocal_Setup");
}

QString ConnectionCommit::serverAddress(const FormState& fields, const QString& localListText) {
    if (!isRemote(fields))
        return localAddress(localListText);
    if (fields.itemIndex("RaGpDDNSAddress_Setup") == 1)
        return fields.text("EditOthersIP_Setup");
    return fields.text("EditDDNSKova_Setup") + QLatin1String(kMakerDdnsSuffix);
}

}  // namespace fv

#include "settings/ConnectionCommit.h"

#include "platform/FormState.h"
#include "router/SettingsRecords.h"
#include "settings/ConnectionSettings.h"
#include "settings/NumericFieldRule.h"
#include "settings/SetupFieldDefaults.h"

#include <algorithm>

namespace fv {

namespace {

// A stored numeric text as its field ends up: the numeric rule settles it, and a field left
// empty gets what leaving it gives.
QString settledNumber(const std::optional<QString>& stored, qint64 maximum,
                      const QString& initial) {
    if (!stored)
        return initial;
    const QString settled = NumericFieldRule::settle(*stored, maximum);
    return settled.isEmpty() ? initial : settled;
}

}  // namespace

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
    return serverAddress(isRemote(fields), fields.itemIndex("RaGpDDNSAddress_Setup"),
                         fields.text("EditDDNSKova_Setup"), fields.text("EditOthersIP_Setup"),
                         localListText);
}

QString ConnectionCommit::serverAddress(bool remote, int choice, const QString& ddnsName,
                                        const QString& otherAddress, const QString& localListText) {
    if (!remote)
        return localAddress(localListText);
    if (choice == 1)
        return otherAddress;
    return ddnsName + QLatin1String(kMakerDdnsSuffix);
}

void ConnectionCommit::fillAtStart(ConnectionProfile& c, const ConnectionSettings& stored,
                                   const QString& localListText) {
    using D = SetupFieldDefaults;
    const QString account = QString::fromLatin1(D::kFactoryAccount);
    // The port and the refresh field share their initial value with the value an emptied
    // field gets on leaving it ("8081" and "10").
    const QString port = settledNumber(stored.port, 65535, D::kServicePort);
    const QString refresh = settledNumber(stored.refreshSeconds, 180, QStringLiteral("10"));
    const bool remote = stored.remote.value_or(false);
    c.IsRemote = remote;
    c.ServerAddress = serverAddress(
        remote, stored.remoteChoice.value_or(0), stored.ddnsName.value_or(D::kDdnsNamePlaceholder),
        stored.otherAddress.value_or(D::kOtherAddressPlaceholder), localListText);
    c.ServerPort = port;
    c.UserName = stored.userName.value_or(account);
    c.Password = stored.password.value_or(account);
    c.RefreshIntervalMs = refreshIntervalMs(refresh);
}

}  // namespace fv

// The connection column of the settings file ("ConColumn") as plain values. A member without
// a value means the file held no usable value for it, so whatever shows the record keeps its
// own value there (the reading rules decide what is usable; see SetupColumn::Rule).
#pragma once

#include "settings/ColumnField.h"
#include "settings/SetupFormKind.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace fv {

struct ConnectionSettings {
    static constexpr SetupColumnKind kKind = SetupColumnKind::Connection;

    std::optional<bool> remote{};               // FVRadioRemote
    std::optional<int> remoteChoice{};          // FVRemoteRadioNo: 0 DDNS name, 1 other address
    std::optional<QString> ddnsName{};          // FVAddressRemote0
    std::optional<QString> otherAddress{};      // FVAddressRemote1
    std::optional<QString> localAddress{};      // FVAddressLocal
    std::optional<QString> port{};              // Port
    std::optional<QString> userName{};          // UserName
    std::optional<QString> password{};          // Password
    std::optional<bool> associateBt{};          // AssBt
    std::optional<bool> associateNzb{};         // AssNZB
    std::optional<QString> refreshSeconds{};    // Autorefresh
    std::optional<int> authMethod{};            // AuthMethod: 0 http, 1 https
    std::optional<QString> authPort{};          // AuthPort
    std::optional<bool> checkVersionAtStart{};  // UpdateAtBegin
    std::optional<QString> webDavHttpPort{};    // WebDavHttpPort
    std::optional<QString> webDavHttpsPort{};   // WebDavHttpsPort

    bool operator==(const ConnectionSettings&) const = default;

    static const std::vector<ColumnField<ConnectionSettings>>& fields();
    // Choosing a method puts its port into the port field, so a stored method read after the
    // stored port decides the port, as it did when the file was read into the fields.
    static void afterRead(ConnectionSettings& record, const SetupColumn::Element& element);

    // The column of a whole settings file (an unreadable file reads as an empty record).
    static ConnectionSettings fromXml(const QByteArray& fileBytes);
    // A settings file holding only this column, in the form the client writes.
    static QByteArray toXml(const ConnectionSettings& record,
                            SetupFormKind formKind = SetupFormKind::SetupPages);
};

}  // namespace fv

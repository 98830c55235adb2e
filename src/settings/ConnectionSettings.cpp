#include "settings/ConnectionSettings.h"

#include "settings/SettingsFile.h"
#include "settings/SetupFieldDefaults.h"

namespace fv {

using C = ConnectionSettings;

const std::vector<ColumnField<C>>& ConnectionSettings::fields() {
    static const std::vector<ColumnField<C>> table = {
        {"FVRadioRemote", &C::remote},
        {"FVRemoteRadioNo", &C::remoteChoice},
        {"FVAddressRemote0", &C::ddnsName},
        {"FVAddressRemote1", &C::otherAddress},
        {"FVAddressLocal", &C::localAddress},
        {"Port", &C::port},
        {"UserName", &C::userName},
        {"Password", &C::password},
        {"AssBt", &C::associateBt},
        {"AssNZB", &C::associateNzb},
        {"Autorefresh", &C::refreshSeconds},
        {"AuthMethod", &C::authMethod},
        {"AuthPort", &C::authPort},
        {"UpdateAtBegin", &C::checkVersionAtStart},
        {"WebDavHttpPort", &C::webDavHttpPort},
        {"WebDavHttpsPort", &C::webDavHttpsPort},
    };
    return table;
}

void ConnectionSettings::afterRead(ConnectionSettings& record,
                                   const SetupColumn::Element& element) {
    if (element.rule == SetupColumn::Rule::AuthMethod && record.authMethod)
        record.authPort = SetupFieldDefaults::authPortFor(*record.authMethod);
}

ConnectionSettings ConnectionSettings::fromXml(const QByteArray& fileBytes) {
    SettingsFile file{QString()};
    file.loadBytes(fileBytes);
    return file.connection();
}

QByteArray ConnectionSettings::toXml(const ConnectionSettings& record, SetupFormKind formKind) {
    SettingsFile file{QString()};
    file.put(record, formKind);
    return file.serialize();
}

}  // namespace fv

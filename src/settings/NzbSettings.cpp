#include "settings/NzbSettings.h"

#include "settings/SettingsFile.h"

namespace fv {

using N = NzbSettings;

const std::vector<ColumnField<N>>& NzbSettings::fields() {
    static const std::vector<ColumnField<N>> table = {
        {"USENETServer", &N::server},
        {"USENETPort", &N::port},
        {"USENETUs", &N::userName},
        {"USENETPs", &N::password},
        {"USENETConfPs", &N::confirmPassword},
        {"NZBMaxDL", &N::maxDownload},
        {"NZBConNum", &N::connections},
    };
    return table;
}

NzbSettings NzbSettings::fromXml(const QByteArray& fileBytes) {
    SettingsFile file{QString()};
    file.loadBytes(fileBytes);
    return file.nzb();
}

QByteArray NzbSettings::toXml(const NzbSettings& record, SetupFormKind formKind) {
    SettingsFile file{QString()};
    file.put(record, formKind);
    return file.serialize();
}

}  // namespace fv

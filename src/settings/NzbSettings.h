// The NZB column of the settings file ("NZBColumn") as plain values; a member without a value
// means the file held no usable value for it.
#pragma once

#include "settings/ColumnField.h"
#include "settings/SetupFormKind.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace fv {

struct NzbSettings {
    static constexpr SetupColumnKind kKind = SetupColumnKind::Nzb;

    std::optional<QString> server{};           // USENETServer
    std::optional<QString> port{};             // USENETPort
    std::optional<QString> userName{};         // USENETUs
    std::optional<QString> password{};         // USENETPs
    std::optional<QString> confirmPassword{};  // USENETConfPs
    std::optional<QString> maxDownload{};      // NZBMaxDL
    std::optional<QString> connections{};      // NZBConNum

    bool operator==(const NzbSettings&) const = default;

    static const std::vector<ColumnField<NzbSettings>>& fields();

    static NzbSettings fromXml(const QByteArray& fileBytes);
    static QByteArray toXml(const NzbSettings& record,
                            SetupFormKind formKind = SetupFormKind::SetupPages);
};

}  // namespace fv

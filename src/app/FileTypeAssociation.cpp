#include "app/FileTypeAssociation.h"

#include "platform/DebugLog.h"
#include "settings/SettingsFile.h"

namespace fv {
namespace {

QString outcomeText(FileTypeDefaults::Outcome outcome, const QString& error) {
    using O = FileTypeDefaults::Outcome;
    switch (outcome) {
        case O::Unchanged:
            return QStringLiteral("unchanged");
        case O::MadeDefault:
            return QStringLiteral("made default");
        case O::GaveUp:
            return QStringLiteral("gave up");
        case O::NotInstalled:
            return QStringLiteral("not installed (no desktop entry), left alone");
        case O::Failed:
            break;
    }
    return QStringLiteral("failed: ") + error;
}

}  // namespace

std::vector<FileTypeAssociation::Step> FileTypeAssociation::follow(const ConnectionSettings& stored,
                                                                   FileTypeDefaults& defaults) {
    const std::pair<const std::optional<bool>*, const char*> options[] = {
        {&stored.associateBt, FileTypeDefaults::kTorrentType},
        {&stored.associateNzb, FileTypeDefaults::kNzbType},
    };
    std::vector<Step> steps;
    for (const auto& [option, type] : options) {
        if (!option->has_value())
            continue;
        QString error;
        const auto outcome = defaults.follow(QLatin1String(type), **option, &error);
        const QString line = QLatin1String(type) + ": " + outcomeText(outcome, error);
        DebugLog::write(QStringLiteral("FileTypeAssociation: ") + line);
        steps.push_back({QLatin1String(type), outcome, line});
    }
    return steps;
}

std::vector<FileTypeAssociation::Step> FileTypeAssociation::followFile(const QString& settingsPath,
                                                                       FileTypeDefaults& defaults) {
    SettingsFile file(settingsPath);
    if (file.load() != SettingsFile::Status::Read)
        return {};
    return follow(file.connection(), defaults);
}

}  // namespace fv

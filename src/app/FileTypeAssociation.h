// The settings file's "AssBt" and "AssNZB" options put into effect: a set option makes the
// client the user's default program for its file type, a cleared one gives that role up. An
// option the file does not hold leaves the type as the user has it.
#pragma once

#include <QString>
#include <vector>

#include "platform/FileTypeDefaults.h"
#include "settings/ConnectionSettings.h"

namespace fv {

class FileTypeAssociation {
  public:
    struct Step {
        QString mimeType;
        FileTypeDefaults::Outcome outcome;
        QString line;  // for the log: the type and what happened, or why it failed
    };
    // One step per type whose option the record holds.
    static std::vector<Step> follow(const ConnectionSettings& stored, FileTypeDefaults& defaults);
    // The same for the settings file at path; nothing when it cannot be read.
    static std::vector<Step> followFile(const QString& settingsPath, FileTypeDefaults& defaults);
};

}  // namespace fv

// The --files argument of "fvctl add": "all", or file IDs of the torrent joined by commas
// ("0,2,5"), and its application to the selection model the window uses.
#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace fv {
class FileSelectionModel;
}

namespace fv::cli {

struct FileChoice {
    bool all = false;
    std::vector<int> ids;  // ascending, without repeats

    // nullopt for anything else than "all" or a list of whole numbers from 0.
    static std::optional<FileChoice> parse(const QString& text);

    // Checks exactly the chosen rows. Returns the IDs the torrent does not have (the model
    // is then left as it was).
    std::vector<int> applyTo(FileSelectionModel& model) const;
};

}  // namespace fv::cli

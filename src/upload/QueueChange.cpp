#include "upload/QueueChange.h"

#include <algorithm>

namespace fv {
namespace {

using Entries = std::vector<UploadQueueEntry>;

// The entry a removal means: the same file in the same state first, then the same file.
Entries::iterator findToRemove(Entries& entries, const UploadQueueEntry& gone) {
    auto it = std::find_if(entries.begin(), entries.end(), [&](const UploadQueueEntry& e) {
        return e.sameFile(gone) && e.Status == gone.Status;
    });
    if (it != entries.end())
        return it;
    return std::find_if(entries.begin(), entries.end(),
                        [&](const UploadQueueEntry& e) { return e.sameFile(gone); });
}

}  // namespace

bool QueueChange::applyTo(Entries& entries) const {
    switch (kind) {
        case Kind::Append:
            entries.push_back(entry);
            entries.back().marked = false;
            return true;
        case Kind::MarkDone:
            // Only the entry that was sent: another file of the same name still has to go.
            for (auto& e : entries) {
                if (e.isWaiting() && e.sameFile(entry)) {
                    e.Status = UploadQueueEntry::kDone;
                    return true;
                }
            }
            return false;
        case Kind::Remove: {
            const auto it = findToRemove(entries, entry);
            if (it == entries.end())
                return false;
            entries.erase(it);
            return true;
        }
        case Kind::ClearDone:
            return std::erase_if(entries, [](const UploadQueueEntry& e) { return e.isDone(); }) > 0;
    }
    return false;
}

}  // namespace fv

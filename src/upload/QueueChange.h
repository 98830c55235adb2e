// One change of the upload queue that the window made and FVTask.xml may not hold yet. The
// queue keeps its changes until the file takes them, so a file that is locked by another
// process or cannot be written loses nothing the user did: every attempt replays the
// changes onto what the file holds at that moment (which also keeps what fvctl wrote).
#pragma once

#include <vector>

#include "upload/UploadQueueEntry.h"

namespace fv {

struct QueueChange {
    enum class Kind {
        Append,    // a file the user added
        MarkDone,  // the router took the first waiting entry of this file
        Remove,    // the user removed this entry
        ClearDone  // the done entries go
    };

    Kind kind = Kind::Append;
    UploadQueueEntry entry;  // unused for ClearDone

    static QueueChange append(UploadQueueEntry e) { return {Kind::Append, std::move(e)}; }
    static QueueChange markDone(UploadQueueEntry e) { return {Kind::MarkDone, std::move(e)}; }
    static QueueChange remove(UploadQueueEntry e) { return {Kind::Remove, std::move(e)}; }
    static QueueChange clearDone() { return {Kind::ClearDone, {}}; }

    // Applies the change to entries; false when it found nothing to change.
    bool applyTo(std::vector<UploadQueueEntry>& entries) const;
};

}  // namespace fv

// What fvctl says about one upload: the router's answer code (0-10) as a short word, the
// window's message for it, whether the entry left the queue, and the exit code.
#pragma once

#include <QString>

#include "i18n/MessageTexts.h"

namespace fv::cli {

struct UploadAnswer {
    QString word;     // "done", "already exists", "full", "failed", "cannot connect", ...
    QString message;  // the window's text for it, empty for "done"
    bool sent = false;
    int exitCode = 0;

    // fileMissing: the queued file is gone, which the transfer reports like a dead router.
    static UploadAnswer of(int btResult, bool fileMissing = false,
                           const MessageTexts& texts = MessageTexts::english());
};

}  // namespace fv::cli

#include "cli/UploadAnswer.h"

#include "cli/CliExit.h"
#include "i18n/MessageTexts.h"
#include "upload/BtAnswer.h"

namespace fv::cli {

UploadAnswer UploadAnswer::of(int btResult, bool fileMissing, const MessageTexts& texts) {
    const QString removeHint = QStringLiteral("delete the entry with \"fvctl queue --remove\"");
    if ((btResult == kNoAnswer || btResult == kUnreadable) && fileMissing)
        return {QStringLiteral("file is missing"), removeHint, false, kExitBadInput};
    switch (btResult) {
        case kBtAckSuccess:
        case kAckSuccess:
            return {QStringLiteral("done"), QString(), true, kExitOk};
        case kBtExist:
            return {QStringLiteral("already exists"), texts[Msg::FormMainMsg10], true, kExitExists};
        case kLightFull:
        case kHeavyFull:
        case kNntpFull:
        case kTotalFull:
        case kDiskFull:
            return {QStringLiteral("full"), texts[Msg::FormMainMsg3], false, kExitFull};
        case kTooLarge:
            return {QStringLiteral("too large to send"), removeHint, false, kExitBadInput};
        case kUnreadable:
            return {QStringLiteral("file cannot be read"), removeHint, false, kExitBadInput};
        case kAckFail:
            return {QStringLiteral("failed"), texts[Msg::FormMainMsg4], false, kExitUploadFailed};
        default:
            return {QStringLiteral("cannot connect"), texts[Msg::FormMainMsg4], false,
                    kExitOffline};
    }
}

}  // namespace fv::cli

// The router's answer words to an upload and their codes (BtResult). The reply is searched
// in this order by case-sensitive containment, so "BT_ACK_SUCESS" wins over "ACK_SUCESS".
#pragma once

#include <string_view>

namespace fv {

enum BtAnswerCode : int {
    kBtAckSuccess = 0,  // torrent accepted; the file choice follows
    kAckSuccess = 1,    // file accepted
    kAckFail = 2,
    kBtExist = 3,
    kLightFull = 4,
    kHeavyFull = 5,
    kNntpFull = 6,
    kTotalFull = 7,
    kDiskFull = 8,
    kTimeout = 9,
    kNoAnswer = 10,
    // Found before anything is sent, so the router never saw the file.
    kTooLarge = 11,    // more than the 64 MB an upload may carry
    kUnreadable = 12,  // the queued file cannot be opened (moved, deleted, no permission)
};

int classifyUploadAnswer(std::string_view reply);

}  // namespace fv

#include "upload/BtAnswer.h"

namespace fv {

int classifyUploadAnswer(std::string_view reply) {
    // Spelled as the router sends them.
    static constexpr std::string_view kWords[] = {
        "BT_ACK_SUCESS", "ACK_SUCESS", "ACK_FAIL",   "BT_EXIST",  "LIGHT_FULL",
        "HEAVY_FULL",    "NNTP_FULL",  "TOTAL_FULL", "DISK_FULL", "Timeout",
    };
    for (int code = 0; code < int(std::size(kWords)); ++code)
        if (reply.find(kWords[code]) != std::string_view::npos)
            return code;
    return kNoAnswer;
}

}  // namespace fv

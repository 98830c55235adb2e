// Fuzzes the utility library's reader of the router's command replies and of the WANCONFIG
// values. Besides memory safety it checks that the answer is one of the four the library
// reports, that values come only with success and hold no line end, and that parsed addresses
// read back as the dotted texts they came from.
#include <arpa/inet.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzSeeds.h"
#include "pelutil/PelReply.h"
#include "pelutil/pelutil.h"

namespace {

using fv_fuzz::check;

fv_fuzz::Seeds seeds() {
    return {
        "HTTP/1.1 200 OK\r\nContent-Length: 57\r\n\r\n"
        "OK 203.0.113.7 255.255.255.0 203.0.113.1 192.0.2.53 192.0.2.54\r\n",
        "HTTP/1.1 200 OK\r\n\r\nOK 3\n",
        "HTTP/1.1 200 OK\r\n\r\nERR unknown command\r\n",
        "HTTP/1.1 401 Unauthorized\r\n\r\n",
        "HTTP/1.0 200 OK\r\n\r\nOK",
        std::string("HTTP/1.1 200 OK\r\n\r\nOK 1.2.3.4\0 5.6.7.8 9.9.9.9 1.1.1.1 2.2.2.2", 62),
        "HTTP/1.1 200 OK\r\n\r\nOK 999.1.1.1 1 2 3 4\r\n",
        // Found by this target: a NUL inside an address word.
        std::string("HTTP/1.1 200 OK\r\n\r\nOK 203.0.113.7\0\0 1.1.1.1 1.1.1.1 1.1.1.1 1.1.1.1\r\n",
                    69),
    };
}

bool isReportedError(int error) {
    return error == PELUTIL_OK || error == PELUTIL_E_NETWORK || error == PELUTIL_E_ACCOUNT ||
           error == PELUTIL_E_REFUSED;
}

std::string dotted(uint32_t address) {
    in_addr a{htonl(address)};
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &a, text, sizeof text);
    return text;
}

}  // namespace

FV_FUZZ_SEED_MODE(seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view reply = fv_fuzz::bytesOf(data, size);
    const fv::pelutil::CommandReply answer = fv::pelutil::interpretReply(reply);
    check(isReportedError(answer.error), "the answer is one the library reports");
    check(answer.error == PELUTIL_OK || answer.values.empty(), "values only with success");
    check(answer.values.find('\n') == std::string::npos, "values are one line");
    check(answer.values.size() <= reply.size(), "values come from the reply");

    uint32_t addresses[5] = {};
    if (fv::pelutil::parseWanConfig(answer.values, addresses)) {
        std::istringstream words(answer.values);
        for (uint32_t address : addresses) {
            std::string word;
            words >> word;
            check(dotted(address) == word, "an address reads back as its dotted text");
        }
    }
    return 0;
}

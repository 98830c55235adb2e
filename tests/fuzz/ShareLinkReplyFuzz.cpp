// Fuzzes the router's share-link reply: the reader that keeps the lines with "<sharelink>"
// and ParserWebDavShareLink. Besides memory safety it checks that the collected text is made
// of the reply's own lines (never longer, never holding a line end), that a link is a part of
// the collected text that holds no closing tag, and that a link is found exactly when an
// opening tag has a closing one after it.
#include <cstdint>
#include <string>

#include "FuzzSeeds.h"
#include "app/ShareLinkReply.h"

namespace {

using fv_fuzz::check;

fv_fuzz::Seeds seeds() {
    return {
        "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\n\r\n<result>\r\n<status>0</status>\r\n"
        "<sharelink>share.cgi?ssid=0011aabb1</sharelink>\r\n</result>\r\n",
        "<sharelink>a</sharelink><sharelink>b</sharelink>\n<sharelink>c",
        "<sharelink>\r\n</sharelink>\r\n",
        std::string("\0<sharelink>\xff\0</sharelink>\r\r\n\n", 30),
        "HTTP/1.1 401 Unauthorized\r\n\r\n<error>401 Unauthorized</error>\r\n",
    };
}

}  // namespace

FV_FUZZ_SEED_MODE(seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view reply = fv_fuzz::bytesOf(data, size);
    const std::string text = fv::collectShareLinkLines(reply);
    check(text.size() <= reply.size(), "the collected text is no longer than the reply");
    check(text.find('\n') == std::string::npos, "no line end survives the reader");
    check(text.empty() || text.find("<sharelink>") != std::string::npos,
          "only lines with the opening tag are kept");

    const std::string link = fv::parseWebDavShareLink(text);
    check(link.find("</sharelink>") == std::string::npos, "a link ends at the first closing tag");
    check(link.empty() || text.find("<sharelink>" + link + "</sharelink>") != std::string::npos,
          "a link stands between a tag pair of the text");
    const size_t open = text.find("<sharelink>");
    const bool closed =
        open != std::string::npos && text.find("</sharelink>", open + 11) != std::string::npos;
    check(closed || link.empty(), "without a closing tag after the opening one there is no link");
    check(fv::parseWebDavShareLink(std::string_view(reply)).size() <= reply.size(),
          "the parser also takes raw bytes");
    return 0;
}

#include "app/ShareLinkReply.h"

#include "platform/DebugLog.h"

namespace fv {
namespace {
constexpr std::string_view kOpen = "<sharelink>";
constexpr std::string_view kClose = "</sharelink>";
}  // namespace

std::string collectShareLinkLines(std::string_view received) {
    std::string collected;
    size_t start = 0;
    while (start < received.size()) {
        size_t end = received.find('\n', start);
        if (end == std::string_view::npos)
            end = received.size();
        std::string_view line = received.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            DebugLog::write("WebDav String length NULL");
        else if (line.find(kOpen) != std::string_view::npos)
            collected.append(line);
        start = end + 1;
    }
    return collected;
}

std::string parseWebDavShareLink(std::string_view text) {
    const size_t open = text.find(kOpen);
    if (open == std::string_view::npos)
        return {};
    const size_t from = open + kOpen.size();
    const size_t close = text.find(kClose, from);
    if (close == std::string_view::npos)
        return {};
    return std::string(text.substr(from, close - from));
}

}  // namespace fv

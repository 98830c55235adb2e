// The router's application list page.
#include "AppListPage.h"

#include "WireText.h"

namespace routersim {

std::string appListPage(const RouterFacts& facts, std::uint16_t servicePort) {
    const bool answering = facts.serviceInstalled && facts.serviceEnabled;
    std::string page =
        "<html>\n<head><title>Applications</title></head>\n<body>\n<script>\n"
        "var apps_array = [\n"
        "[\"mediaserver\",\"1.20\",\"Media Server\",\"yes\",\"yes\"],\n";
    page += "[\"ferrovane\"," + quoteItem(facts.serviceVersion) + ",\"Download Service\"," +
            quoteItem(facts.serviceInstalled ? "yes" : "no") + "," +
            quoteItem(answering ? "yes" : "no") + "]\n";
    page += "];\n";
    // Eighteen characters before the port and two after it: readers cut the port by position.
    page +=
        "apps_http_port = \"" + (answering ? std::to_string(servicePort) : std::string()) + "\";\n";
    page += "</script>\n</body>\n</html>\n";
    return page;
}

}  // namespace routersim

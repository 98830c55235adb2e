// A simulator on loopback with ephemeral ports for one test.
#include "SimFixture.h"

#include "WireText.h"

namespace routersim::test {

std::string escapeBase64(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '+')
            out += "%2B";
        else if (c == '/')
            out += "%2F";
        else if (c == '=')
            out += "%3D";
        else
            out += c;
    }
    return out;
}

std::string statusCode(const ParsedReply& reply) {
    return reply.statusLine.size() >= 12 ? reply.statusLine.substr(9, 3) : std::string();
}

std::vector<std::string> quotedItems(const std::string& text) {
    std::vector<std::string> items;
    std::size_t pos = 0;
    while ((pos = text.find('"', pos)) != std::string::npos) {
        std::string item;
        ++pos;
        while (pos < text.size()) {
            if (text[pos] == '"') {
                if (pos + 1 < text.size() && text[pos + 1] == '"') {
                    item += '"';
                    pos += 2;
                    continue;
                }
                break;
            }
            item += text[pos++];
        }
        ++pos;
        items.push_back(item);
    }
    return items;
}

std::string SimFixture::loginTarget(const std::string& user, const std::string& password) const {
    return "/check.asp?flag=&foilautofill=admin&directurl=&login_username=" + base64Encode(user) +
           "&login_passwd=" + escapeBase64(base64Encode(password));
}

std::string SimFixture::login() {
    const auto reply = fetch(port(), buildRequest("GET", loginTarget(kUser, kPassword)));
    if (reply.headerLines.empty())
        return {};
    const std::string& first = reply.headerLines.front();
    const std::string key = "AuthByPasswd=";
    const auto start = first.find(key);
    const auto end = first.find(';');
    if (start == std::string::npos || end == std::string::npos)
        return {};
    return "Cookie: " + first.substr(start, end - start);
}

}  // namespace routersim::test

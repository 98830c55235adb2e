#include "tasks/ReportItems.h"

namespace fv {
namespace {

bool isBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

}  // namespace

void SplitReportItems(std::string_view text, std::vector<std::string>& items) {
    size_t used = 0;
    const auto next = [&]() -> std::string& {
        if (used == items.size())
            items.emplace_back();
        std::string& item = items[used++];
        item.clear();
        return item;
    };
    // A NUL ends the text, as it ends the framework's character scan.
    text = text.substr(0, text.find('\0'));
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    while (i < n) {
        std::string& item = next();
        if (text[i] == '"') {
            ++i;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        item.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item.push_back(text[i++]);
            }
        } else {
            while (i < n && text[i] != ',' && static_cast<unsigned char>(text[i]) > 32)
                item.push_back(text[i++]);
        }
        while (i < n && isBlank(text[i]))
            ++i;
        if (i < n && text[i] == ',') {
            if (i + 1 == n)
                next();
            ++i;
            while (i < n && isBlank(text[i]))
                ++i;
        }
    }
    items.resize(used);
}

}  // namespace fv

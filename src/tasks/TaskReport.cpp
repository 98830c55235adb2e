#include "tasks/TaskReport.h"

#include "platform/DebugLog.h"
#include "router/CommaText.h"

namespace fv {
namespace {

constexpr size_t kMinItems = 13;

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32)
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32)
        text.remove_suffix(1);
    return text;
}

// Every ",[" dropped in one pass (pairs formed by the removal itself stay, as a plain
// replace-all leaves them).
void removeCommaBracket(std::string_view line, std::string& out) {
    out.clear();
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ',' && i + 1 < line.size() && line[i + 1] == '[') {
            ++i;
            continue;
        }
        out.push_back(line[i]);
    }
}

// Returns false when the line ends the parse.
bool takeLine(std::string_view line, TaskReportTable& table, TaskReport::Scratch& s) {
    removeCommaBracket(line, s.line);
    s.items = splitCommaText(s.line);
    if (s.items.size() < kMinItems)
        return false;
    TaskReportRow* row = table.nextRow();
    if (!row) {
        DebugLog::write("ParseFVPageResult - task table full, further tasks not shown");
        return false;
    }
    row->id = TaskReport::identifierFromItem(s.items[0]);
    row->name = QString::fromUtf8(s.items[1].data(), static_cast<qsizetype>(s.items[1].size()));
    row->fields[0].clear();
    row->fields[1].clear();
    row->fields[2].assign(trimBlanks(s.items[2]));
    for (size_t f = 3; f < kMinItems; ++f)
        row->fields[f].assign(s.items[f]);
    ++table.count;
    return true;
}

}  // namespace

std::string TaskReport::identifierFromItem(std::string_view item0) {
    const size_t quote = item0.find('"');
    if (quote == std::string_view::npos)
        return std::string(item0);
    const size_t start = quote + 1;
    // Up to, not including, the item's last character.
    if (item0.size() < start + 1)
        return {};
    return std::string(item0.substr(start, item0.size() - 1 - start));
}

int TaskReport::parse(std::string_view body, TaskReportTable& table, Scratch& scratch) {
    table.count = 0;
    size_t pos = 0;
    while (pos < body.size()) {
        size_t end = body.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = body.size();
        const std::string_view line = body.substr(pos, end - pos);
        // A line break is "\r\n", "\n" or "\r".
        if (end >= body.size())
            pos = body.size();
        else if (body[end] == '\r' && end + 1 < body.size() && body[end + 1] == '\n')
            pos = end + 2;
        else
            pos = end + 1;
        if (line.empty())
            continue;
        if (!takeLine(line, table, scratch))
            break;
    }
    return table.count;
}

}  // namespace fv

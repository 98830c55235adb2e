// Splits a multipart/form-data body into its parts.
#include "MultipartReader.h"

#include <cctype>

namespace routersim {

namespace {

constexpr std::size_t kMaxParts = 64;

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string boundaryOf(std::string_view contentType) {
    const auto pos = lower(contentType).find("boundary=");
    if (pos == std::string::npos)
        return {};
    auto value = contentType.substr(pos + 9);
    const auto end = value.find(';');
    if (end != std::string_view::npos)
        value = value.substr(0, end);
    while (!value.empty() && value.back() == ' ')
        value.remove_suffix(1);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// The value of key="..." (or key=token) inside a Content-Disposition line.
std::string dispositionValue(std::string_view line, std::string_view key) {
    const std::string lowered = lower(line);
    std::size_t pos = 0;
    while ((pos = lowered.find(std::string(key) + "=", pos)) != std::string::npos) {
        if (pos == 0 || lowered[pos - 1] == ' ' || lowered[pos - 1] == ';')
            break;
        ++pos;
    }
    if (pos == std::string::npos)
        return {};
    auto value = line.substr(pos + key.size() + 1);
    if (!value.empty() && value.front() == '"') {
        const auto close = value.find('"', 1);
        return std::string(value.substr(1, close == std::string_view::npos ? close : close - 1));
    }
    const auto end = value.find(';');
    return std::string(value.substr(0, end));
}

bool readPartHeaders(std::string_view head, FormPart& part) {
    std::size_t pos = 0;
    while (pos < head.size()) {
        auto end = head.find("\r\n", pos);
        if (end == std::string_view::npos)
            end = head.size();
        const auto line = head.substr(pos, end - pos);
        pos = end + 2;
        const auto colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string name = lower(line.substr(0, colon));
        auto value = line.substr(colon + 1);
        while (!value.empty() && value.front() == ' ')
            value.remove_prefix(1);
        if (name == "content-disposition") {
            part.name = dispositionValue(value, "name");
            part.fileName = dispositionValue(value, "filename");
        } else if (name == "content-type") {
            part.contentType = std::string(value);
        }
    }
    return true;
}

}  // namespace

std::optional<std::vector<FormPart>> readMultipart(std::string_view contentTypeHeader,
                                                   std::string_view body) {
    const std::string boundary = boundaryOf(contentTypeHeader);
    if (boundary.empty())
        return std::nullopt;
    const std::string delimiter = "--" + boundary;
    auto pos = body.find(delimiter);
    if (pos == std::string_view::npos)
        return std::nullopt;
    std::vector<FormPart> parts;
    for (;;) {
        pos += delimiter.size();
        if (body.substr(pos, 2) == "--")
            return parts;
        if (body.substr(pos, 2) != "\r\n" || parts.size() >= kMaxParts)
            return std::nullopt;
        pos += 2;
        const auto headEnd = body.find("\r\n\r\n", pos);
        if (headEnd == std::string_view::npos)
            return std::nullopt;
        FormPart part;
        readPartHeaders(body.substr(pos, headEnd - pos), part);
        const auto dataStart = headEnd + 4;
        const auto next = body.find("\r\n" + delimiter, dataStart);
        if (next == std::string_view::npos)
            return std::nullopt;
        part.data = std::string(body.substr(dataStart, next - dataStart));
        parts.push_back(std::move(part));
        pos = next + 2;
    }
}

}  // namespace routersim

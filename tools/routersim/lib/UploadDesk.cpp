// The upload script.
#include "UploadDesk.h"

#include <charconv>

#include "MultipartReader.h"
#include "WireText.h"

namespace routersim {

namespace {

Response word(const std::string& w) {
    return Response::text(w + "\n");
}

std::string baseName(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

const FormPart* filePart(const std::vector<FormPart>& parts) {
    for (const auto& p : parts) {
        if (p.name == "filename")
            return &p;
    }
    return nullptr;
}

}  // namespace

std::string nzbTitle(const std::string& data, const std::string& fallback) {
    const std::string key = "<meta type=\"name\">";
    const auto start = data.find(key);
    if (start != std::string::npos) {
        const auto end = data.find("</meta>", start);
        if (end != std::string::npos && end - start - key.size() > 0)
            return oneLine(data.substr(start + key.size(), end - start - key.size()));
    }
    const auto dot = fallback.rfind('.');
    return fallback.substr(0, dot);
}

std::int64_t nzbSize(const std::string& data) {
    std::int64_t total = 0;
    const std::string key = "bytes=\"";
    for (auto pos = data.find(key); pos != std::string::npos; pos = data.find(key, pos + 1)) {
        std::int64_t n = 0;
        const char* first = data.data() + pos + key.size();
        const auto [ptr, ec] = std::from_chars(first, data.data() + data.size(), n);
        if (ec == std::errc() && n > 0 && total < (INT64_MAX - n))
            total += n;
    }
    return total;
}

Response UploadDesk::upload(const Request& request, const Faults& faults) {
    if (!faults.answerWord.empty())
        return word(faults.answerWord);
    const auto contentType = request.header("Content-Type");
    if (!contentType)
        return word("ACK_FAIL");
    const auto parts = readMultipart(*contentType, request.body);
    const FormPart* part = parts ? filePart(*parts) : nullptr;
    if (!part || part->data.empty())
        return word("ACK_FAIL");
    const std::string uploadName = baseName(part->fileName);
    const bool nzb =
        endsWithNoCase(uploadName, ".nzb") || endsWithNoCase(part->contentType, "/nzb");
    if (nzb)
        return acceptNzb(uploadName, part->data);
    const auto torrent = readTorrent(part->data);
    if (!torrent)
        return word("ACK_FAIL");
    const auto result = board_.addTorrent(*torrent, uploadName);
    return word(result == TaskBoard::UploadResult::Exists ? "BT_EXIST" : "BT_ACK_SUCESS");
}

Response UploadDesk::acceptNzb(const std::string& uploadName, const std::string& data) {
    if (data.find("<nzb") == std::string::npos)
        return word("ACK_FAIL");
    board_.addNzb(nzbTitle(data, uploadName), nzbSize(data), uploadName);
    return word("ACK_SUCESS");
}

Response UploadDesk::select(const Request& request) {
    const Params params = request.params();
    const auto fileName = paramValue(params, "filename");
    const auto selection = paramValue(params, "download_type");
    if (!fileName || !selection)
        return word("ACK_FAIL");
    return word(board_.select(baseName(*fileName), *selection) ? "ACK_SUCESS" : "ACK_FAIL");
}

}  // namespace routersim

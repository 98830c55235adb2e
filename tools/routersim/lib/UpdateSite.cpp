// The maker's update server.
#include "UpdateSite.h"

#include <openssl/evp.h>
#include <zip.h>

#include <cstdio>

namespace routersim {

namespace {

std::string sha256Hex(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr);
    std::string hex;
    char two[3];
    for (unsigned int i = 0; i < length; ++i) {
        std::snprintf(two, sizeof two, "%02x", digest[i]);
        hex += two;
    }
    return hex;
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

std::string zipOneFile(const std::string& name, const std::string& content) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer)
        return {};
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    std::string out;
    if (archive) {
        zip_source_t* file = zip_source_buffer(archive, content.data(), content.size(), 0);
        if (file && zip_file_add(archive, name.c_str(), file, ZIP_FL_ENC_UTF_8) < 0)
            zip_source_free(file);
        if (zip_close(archive) != 0)
            zip_discard(archive);
        else if (zip_source_open(buffer) == 0) {
            zip_source_seek(buffer, 0, SEEK_END);
            const zip_int64_t size = zip_source_tell(buffer);
            zip_source_seek(buffer, 0, SEEK_SET);
            if (size > 0) {
                out.resize(static_cast<std::size_t>(size));
                if (zip_source_read(buffer, out.data(), static_cast<zip_uint64_t>(size)) != size)
                    out.clear();
            }
            zip_source_close(buffer);
        }
    }
    zip_source_free(buffer);
    zip_error_fini(&error);
    return out;
}

void UpdateSite::setVersion(std::string version) {
    std::lock_guard lock(mutex_);
    version_ = std::move(version);
}

std::string UpdateSite::version() const {
    std::lock_guard lock(mutex_);
    return version_;
}

void UpdateSite::setPackageBytes(std::size_t bytes) {
    std::lock_guard lock(mutex_);
    packageBytes_ = bytes;
}

void UpdateSite::setChecksumWrong(bool wrong) {
    std::lock_guard lock(mutex_);
    checksumWrong_ = wrong;
}

void UpdateSite::setNoteAsArchive(bool archive) {
    std::lock_guard lock(mutex_);
    noteAsArchive_ = archive;
}

std::string UpdateSite::compactVersion() const {
    std::lock_guard lock(mutex_);
    std::string compact;
    for (char c : version_) {
        if (c >= '0' && c <= '9')
            compact.push_back(c);
    }
    return compact;
}

std::string UpdateSite::packagePrefix() const {
    return "ferrovane_" + version() + "_";
}

std::string UpdateSite::packageBytes() const {
    std::size_t size;
    {
        std::lock_guard lock(mutex_);
        size = packageBytes_;
    }
    std::string bytes = "!<arch>\ndebian-binary   " + version() + "\n";
    bytes.reserve(size);
    for (std::size_t i = bytes.size(); i < size; ++i)
        bytes.push_back(static_cast<char>('a' + (i * 7) % 26));
    bytes.resize(size);
    return bytes;
}

std::string UpdateSite::noteText(const std::string& language) const {
    const std::string v = version();
    if (language == "CHS")
        return "Ferrovane " + v + "\r\n- 任务列表刷新更快。\r\n- Faster task list refresh.\r\n";
    return "Ferrovane " + v + "\r\n- 任務清單更新更快。\r\n- Faster task list refresh.\r\n";
}

Response UpdateSite::handle(const Request& request, const Faults& /*faults*/) {
    const std::string path = request.routePath();
    const std::string compact = compactVersion();
    if (path == kVersionPath) {
        // Tokens: "FV22", "V1" + compact version, the release date; "#" separates them.
        return Response::text("FV22#V1" + compact + "#2026-12-01\r\n", "application/octet-stream");
    }
    const std::string files = kFilesPath;
    const std::string notePrefix = files + "FV_" + compact;
    for (const char* language : {"CHT", "CHS"}) {
        if (path != notePrefix + "_" + language + "_note.zip")
            continue;
        const std::string text = noteText(language);
        bool archive;
        {
            std::lock_guard lock(mutex_);
            archive = noteAsArchive_;
        }
        return Response::text(archive ? zipOneFile("FV_" + compact + "_note.txt", text) : text,
                              "application/zip");
    }
    const std::string packages = files + packagePrefix();
    if (path.rfind(packages, 0) == 0 && endsWith(path, ".deb.sha256")) {
        const std::string name = path.substr(files.size(), path.size() - files.size() - 7);
        bool wrong;
        {
            std::lock_guard lock(mutex_);
            wrong = checksumWrong_;
        }
        const std::string digest = sha256Hex(wrong ? packageBytes() + "x" : packageBytes());
        return Response::text(digest + "  " + name + "\n");
    }
    if (path.rfind(packages, 0) == 0 && endsWith(path, ".deb"))
        return Response::text(packageBytes(), "application/vnd.debian.binary-package");
    return Response::status("HTTP/1.1 404 Not Found", "<html><body>404 Not Found</body></html>");
}

}  // namespace routersim

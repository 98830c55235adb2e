// Builds a multipart/form-data body byte for byte, so an upload goes out exactly as
// composed (part headers, their order, the file bytes untouched).
//
//     fv::MultipartBody mp;
//     mp.addFile("filename", "12345.torrent", "application/x-bittorrent", bytes, "binary");
//     req.method = fv::HttpRequest::Method::Post;
//     req.body = mp.bytes();
//     req.contentType = mp.contentType();  // "multipart/form-data; boundary=..."
#pragma once

#include <string>
#include <vector>

namespace fv {

class MultipartBody {
  public:
    // boundary empty: a random one that does not occur in any part is chosen by bytes().
    explicit MultipartBody(std::string boundary = {});

    void addField(const std::string& name, const std::string& value);
    // contentType and transferEncoding are left out of the part when empty.
    void addFile(const std::string& name, const std::string& fileName,
                 const std::string& contentType, const std::string& data,
                 const std::string& transferEncoding = {});

    std::string bytes();
    std::string contentType();
    const std::string& boundary();

  private:
    struct Part {
        std::string headers;  // complete header block, each line ending in CRLF
        std::string data;
    };
    void chooseBoundary();

    std::string boundary_;
    std::vector<Part> parts_;
};

}  // namespace fv

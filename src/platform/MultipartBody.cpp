#include "platform/MultipartBody.h"

#include <random>

namespace fv {

MultipartBody::MultipartBody(std::string boundary) : boundary_(std::move(boundary)) {}

void MultipartBody::addField(const std::string& name, const std::string& value) {
    parts_.push_back({"Content-Disposition: form-data; name=\"" + name + "\"\r\n", value});
}

void MultipartBody::addFile(const std::string& name, const std::string& fileName,
                            const std::string& contentType, const std::string& data,
                            const std::string& transferEncoding) {
    std::string headers =
        "Content-Disposition: form-data; name=\"" + name + "\"; filename=\"" + fileName + "\"\r\n";
    if (!contentType.empty())
        headers += "Content-Type: " + contentType + "\r\n";
    if (!transferEncoding.empty())
        headers += "Content-Transfer-Encoding: " + transferEncoding + "\r\n";
    parts_.push_back({std::move(headers), data});
}

void MultipartBody::chooseBoundary() {
    if (!boundary_.empty())
        return;
    std::random_device device;
    std::mt19937_64 gen(device());
    for (;;) {
        boundary_ = "--------" + std::to_string(gen());
        bool clash = false;
        for (const Part& part : parts_)
            clash = clash || part.data.find(boundary_) != std::string::npos;
        if (!clash)
            return;
    }
}

const std::string& MultipartBody::boundary() {
    chooseBoundary();
    return boundary_;
}

std::string MultipartBody::bytes() {
    chooseBoundary();
    std::string out;
    for (const Part& part : parts_) {
        out += "--" + boundary_ + "\r\n";
        out += part.headers;
        out += "\r\n";
        out += part.data;
        out += "\r\n";
    }
    out += "--" + boundary_ + "--\r\n";
    return out;
}

std::string MultipartBody::contentType() {
    return "multipart/form-data; boundary=" + boundary();
}

}  // namespace fv

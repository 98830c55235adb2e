// Splits a multipart/form-data body into its parts. Damaged bodies give nullopt.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace routersim {

struct FormPart {
    std::string name;
    std::string fileName;
    std::string contentType;
    std::string data;
};

// contentTypeHeader is the request's Content-Type value, holding the boundary parameter.
std::optional<std::vector<FormPart>> readMultipart(std::string_view contentTypeHeader,
                                                   std::string_view body);

}  // namespace routersim

// Writes what a simulated router received during a test to
// $FV_REQUEST_RECORD_DIR/<suite>.<test>.txt, when that variable is set. Two runs of the
// suite (before and after a change of the client's code) can then be compared with diff:
// what the client puts on the wire must not move. Only what differs from run to run by
// design is masked: the cache-breaking digit, loopback ports, random temporary names and
// multipart boundaries, session tokens.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>

#include "Simulator.h"

namespace fv::test {

inline std::string maskedForRecord(std::string text) {
    static const char* const kMasks[] = {"&t=#",         "127.0.0.1:PORT",     "#.$1",
                                         "----BOUNDARY", "AuthByPasswd=TOKEN", "SCRATCH"};
    static const std::regex kRules[] = {
        std::regex(R"(&t=\d)"),                         // cache breaker
        std::regex(R"(127\.0\.0\.1:\d+)"),              // ports chosen by the test
        std::regex(R"(\b\d+\.(torrent|nzb)\b)"),        // temporary copies
        std::regex(R"(-{4,}[0-9A-Za-z]+)"),             // multipart boundaries
        std::regex(R"(AuthByPasswd=[^;&\s]+)"),         // session tokens
        std::regex(R"(/tmp/fv-scratch-[0-9A-Za-z]+)"),  // the tests' own folders
    };
    static_assert(std::size(kRules) == std::size(kMasks));
    for (size_t i = 0; i < std::size(kRules); ++i)
        text = std::regex_replace(text, kRules[i], kMasks[i]);
    return text;
}

inline void recordRequests(const routersim::Simulator& sim) {
    const char* dir = std::getenv("FV_REQUEST_RECORD_DIR");
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!dir || !*dir || !info)
        return;
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    std::ofstream out(std::string(dir) + "/" + name + ".txt", std::ios::binary);
    for (const routersim::Request& r : sim.requests()) {
        // A multipart body's size follows its random boundary; its bytes are checked elsewhere.
        const bool multipart =
            r.header("Content-Type").value_or("").find("multipart") != std::string::npos;
        out << r.listener << ' ' << r.method << ' ' << maskedForRecord(r.target) << '\n';
        for (const auto& [key, value] : r.headers) {
            if (!(multipart && key == "Content-Length"))
                out << "  " << key << ": " << maskedForRecord(value) << '\n';
        }
        if (!multipart)
            out << "  body " << r.body.size() << " bytes\n";
    }
}

}  // namespace fv::test

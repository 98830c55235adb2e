// A simulator on loopback with ephemeral ports for one test, and helpers to talk to it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Simulator.h"
#include "WireClient.h"

namespace routersim::test {

inline constexpr const char* kUser = "admin";
// Its Base64 form ends in padding, so the escaping of "=" is exercised.
inline constexpr const char* kPassword = "s3cret!";

class SimFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        SimulatorConfig config;
        config.user = kUser;
        config.password = kPassword;
        sim = std::make_unique<Simulator>(config);
        std::string error;
        ASSERT_TRUE(sim->start(&error)) << error;
    }
    void TearDown() override { sim->stop(); }

    std::uint16_t port(Listener which = Listener::Service) const { return sim->port(which); }

    // GET on the service port with the account's Basic authorisation and any extra lines.
    ParsedReply get(const std::string& target, std::vector<std::string> lines = {}) {
        lines.insert(lines.begin(), basicHeader(kUser, kPassword));
        return fetch(port(), buildRequest("GET", target, lines));
    }

    std::string loginTarget(const std::string& user, const std::string& password) const;
    // Logs in and returns the "Cookie: AuthByPasswd=..." line, empty when refused.
    std::string login();

    std::unique_ptr<Simulator> sim;
};

// Escapes the Base64 symbols the way the client does for the password.
std::string escapeBase64(const std::string& text);
std::string statusCode(const ParsedReply& reply);
// The items of a bracketed list of quoted values (doubled quotes undone).
std::vector<std::string> quotedItems(const std::string& text);

}  // namespace routersim::test

// Replaces the original's debugger output: every diagnostic line is "==FV2.2== " + text.
// Lines reach stderr only when FV_DEBUG_LOG is set; tests capture them with LogCapture.
// Credentials never reach a sink: known password keys and registered secrets are masked.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fv {

class DebugLog {
  public:
    static constexpr std::string_view kPrefix = "==FV2.2== ";
    using Sink = std::function<void(const std::string& line)>;

    // Thread-safe; masks credentials before the line is formed.
    static void write(std::string_view text);
    static void write(const QString& text);
    static void write(const char* text) { write(std::string_view(text)); }
    static void write(const std::string& text) { write(std::string_view(text)); }

    // Replaces the stderr sink (nullptr restores it); returns the previous sink.
    static Sink setSink(Sink sink);

    // Values that must never appear in a line (a password and its encoded forms).
    static void addSecret(const std::string& secret);
    static void clearSecrets();

    // Hides the values of password-bearing keys ("login_passwd=...") and registered secrets.
    static std::string maskCredentials(std::string_view text);
};

// Collects the log lines written while it lives (without the prefix), for tests.
class LogCapture {
  public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::string> lines() const;
    bool contains(std::string_view fragment) const;

  private:
    struct State;
    State* state_;
    DebugLog::Sink previous_;
};

}  // namespace fv

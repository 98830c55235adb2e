#include "platform/DebugLog.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>

namespace fv {
namespace {

std::mutex& logMutex() {
    static std::mutex m;
    return m;
}

DebugLog::Sink& currentSink() {
    static DebugLog::Sink sink;
    return sink;
}

std::vector<std::string>& secrets() {
    static std::vector<std::string> s;
    return s;
}

void writeToStderr(const std::string& line) {
    static const bool enabled = std::getenv("FV_DEBUG_LOG") != nullptr;
    if (!enabled)
        return;
    std::fprintf(stderr, "%s\n", line.c_str());
}

// Keys whose value is a credential wherever they appear in a query or form body.
constexpr std::array<std::string_view, 5> kSecretKeys = {
    "login_passwd=", "passwd=", "password=", "Password=", "Authorization: Basic "};

void maskKeyValues(std::string& text) {
    for (std::string_view key : kSecretKeys) {
        size_t pos = 0;
        while ((pos = text.find(key, pos)) != std::string::npos) {
            const size_t begin = pos + key.size();
            size_t end = text.find_first_of("&; \r\n]", begin);
            if (end == std::string::npos)
                end = text.size();
            if (end > begin)
                text.replace(begin, end - begin, "****");
            pos = begin + 4;
        }
    }
}

void maskSecrets(std::string& text, const std::vector<std::string>& values) {
    for (const std::string& secret : values) {
        if (secret.empty())
            continue;
        size_t pos = 0;
        while ((pos = text.find(secret, pos)) != std::string::npos) {
            text.replace(pos, secret.size(), "****");
            pos += 4;
        }
    }
}

}  // namespace

std::string DebugLog::maskCredentials(std::string_view text) {
    std::string out(text);
    std::vector<std::string> values;
    {
        std::lock_guard lock(logMutex());
        values = secrets();
    }
    maskSecrets(out, values);
    maskKeyValues(out);
    return out;
}

void DebugLog::write(std::string_view text) {
    const std::string line = std::string(kPrefix) + maskCredentials(text);
    std::lock_guard lock(logMutex());
    if (currentSink()) {
        currentSink()(line);
    } else {
        writeToStderr(line);
    }
}

void DebugLog::write(const QString& text) {
    write(std::string_view(text.toStdString()));
}

DebugLog::Sink DebugLog::setSink(Sink sink) {
    std::lock_guard lock(logMutex());
    Sink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

void DebugLog::addSecret(const std::string& secret) {
    // Very short values would mask ordinary words; a one- or two-letter password is
    // still caught by the key rules above.
    if (secret.size() < 3)
        return;
    std::lock_guard lock(logMutex());
    for (const auto& s : secrets())
        if (s == secret)
            return;
    secrets().push_back(secret);
}

void DebugLog::clearSecrets() {
    std::lock_guard lock(logMutex());
    secrets().clear();
}

struct LogCapture::State {
    mutable std::mutex mutex;
    std::vector<std::string> lines;
};

LogCapture::LogCapture() : state_(new State) {
    State* state = state_;
    previous_ = DebugLog::setSink([state](const std::string& line) {
        std::lock_guard lock(state->mutex);
        state->lines.push_back(line.substr(DebugLog::kPrefix.size()));
    });
}

LogCapture::~LogCapture() {
    DebugLog::setSink(std::move(previous_));
    delete state_;
}

std::vector<std::string> LogCapture::lines() const {
    std::lock_guard lock(state_->mutex);
    return state_->lines;
}

bool LogCapture::contains(std::string_view fragment) const {
    std::lock_guard lock(state_->mutex);
    for (const auto& line : state_->lines)
        if (line.find(fragment) != std::string::npos)
            return true;
    return false;
}

}  // namespace fv

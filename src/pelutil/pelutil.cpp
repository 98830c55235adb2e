// The utility library's C functions: handle registry, argument checks, command mapping.
#include "pelutil.h"

#include <atomic>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "PelTransport.h"

namespace {

using fv::pelutil::CommandReply;
using fv::pelutil::Endpoint;

struct HandleState {
    std::mutex mutex;
    void* context = nullptr;
    Endpoint endpoint;
    bool hostSet = false;
    std::string user;
    std::string password;
    PELUTIL_EVENT_CALLBACK callback = nullptr;
};

std::mutex registryMutex;
std::map<std::uintptr_t, std::shared_ptr<HandleState>> registry;
std::uintptr_t lastHandle = 0;
std::atomic<bool> debugOn{false};

// Handles are numbers, not pointers, so a stale or invented handle is found out, not followed.
std::shared_ptr<HandleState> lookup(PELHANDLE handle) {
    std::lock_guard lock(registryMutex);
    const auto it = registry.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == registry.end() ? nullptr : it->second;
}

void debugLine(const std::string& verb, int result) {
    static const bool wanted = std::getenv("PELUTIL_LOG") && *std::getenv("PELUTIL_LOG");
    if (debugOn && wanted)
        std::fprintf(stderr, "pelutil: %s -> %d\n", verb.c_str(), result);
}

int portOverride(int port) {
    const char* text = std::getenv("PELUTIL_PORT");
    if (!text || !*text)
        return port;
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text, text + std::strlen(text), value);
    return (ec == std::errc() && *ptr == '\0' && value > 0 && value < 65536) ? value : port;
}

// Runs one command for a handle; the verb alone goes to the debug line, never the argument.
CommandReply run(PELHANDLE handle, const std::string& verb, const std::string& argument = {}) {
    const auto state = lookup(handle);
    if (!state)
        return {PELUTIL_E_HANDLE, {}};
    Endpoint endpoint;
    std::string user, password;
    {
        std::lock_guard lock(state->mutex);
        if (!state->hostSet)
            return {PELUTIL_E_NO_HOST, {}};
        endpoint = state->endpoint;
        user = state->user;
        password = state->password;
    }
    const CommandReply reply = fv::pelutil::sendCommand(
        endpoint, user, password, argument.empty() ? verb : verb + " " + argument);
    debugLine(verb, reply.error);
    return reply;
}

bool hasLineBreak(const char* text) {
    return std::strpbrk(text, "\r\n") != nullptr;
}

}  // namespace

extern "C" {

PELHANDLE PELUtil_Init(int reserved1, int reserved2, int reserved3, void* context) {
    if (reserved1 != 0 || reserved2 != 0 || reserved3 != 0)
        return nullptr;
    auto state = std::make_shared<HandleState>();
    state->context = context;
    std::lock_guard lock(registryMutex);
    registry[++lastHandle] = state;
    return reinterpret_cast<PELHANDLE>(lastHandle);
}

int PELUtil_FreeHandle(PELHANDLE handle) {
    std::lock_guard lock(registryMutex);
    return registry.erase(reinterpret_cast<std::uintptr_t>(handle)) == 1 ? PELUTIL_OK
                                                                         : PELUTIL_E_HANDLE;
}

int PELUtil_Debug(int on) {
    debugOn = on != 0;
    return PELUTIL_OK;
}

int PELUtil_HostAddress(PELHANDLE handle, const char* host, int port, uint8_t https) {
    const auto state = lookup(handle);
    if (!state)
        return PELUTIL_E_HANDLE;
    if (!host || !*host || hasLineBreak(host) || port <= 0 || port > 65535 || https > 1)
        return PELUTIL_E_ARGUMENT;
    std::lock_guard lock(state->mutex);
    state->endpoint = Endpoint{host, portOverride(port), https == 1};
    state->hostSet = true;
    return PELUTIL_OK;
}

int PELUtil_Authorization(PELHANDLE handle, const char* user, const char* password) {
    const auto state = lookup(handle);
    if (!state)
        return PELUTIL_E_HANDLE;
    if (!user || !password)
        return PELUTIL_E_ARGUMENT;
    {
        std::lock_guard lock(state->mutex);
        state->user = user;
        state->password = password;
    }
    return run(handle, "AUTH").error;
}

int PELUtil_HTTPTrackEvent(PELHANDLE handle, PELUTIL_EVENT_CALLBACK callback) {
    const auto state = lookup(handle);
    if (!state)
        return PELUTIL_E_HANDLE;
    std::lock_guard lock(state->mutex);
    state->callback = callback;
    return PELUTIL_OK;
}

int PELUtil_HTTPTrack(PELHANDLE handle, int on) {
    const auto state = lookup(handle);
    if (!state)
        return PELUTIL_E_HANDLE;
    PELUTIL_EVENT_CALLBACK callback;
    void* context;
    std::string where;
    {
        std::lock_guard lock(state->mutex);
        callback = state->callback;
        context = state->context;
        where = state->endpoint.host + ":" + std::to_string(state->endpoint.port);
    }
    int result = PELUTIL_OK;
    if (on) {
        if (callback)
            callback(PELUTIL_EVENT_CONNECTING, 0, ("Connecting to " + where).c_str(), 0, context);
        result = run(handle, "TRACK").error;
        if (callback && result == PELUTIL_OK)
            callback(PELUTIL_EVENT_CONNECTED, 0, "Connected", 0, context);
    }
    if (callback)
        callback(PELUTIL_EVENT_CLOSING, result, "Closing connection", 0, context);
    return result;
}

int PEL_RT_GetDetectWanIPConfig(PELHANDLE handle, uint32_t* wanAddress, uint32_t* mask,
                                uint32_t* gateway, uint32_t* dns1, uint32_t* dns2) {
    if (!lookup(handle))
        return PELUTIL_E_HANDLE;
    if (!wanAddress || !mask || !gateway || !dns1 || !dns2)
        return PELUTIL_E_ARGUMENT;
    const CommandReply reply = run(handle, "WANCONFIG");
    if (reply.error != PELUTIL_OK)
        return reply.error;
    uint32_t parsed[5] = {};
    if (!fv::pelutil::parseWanConfig(reply.values, parsed))
        return PELUTIL_E_NETWORK;
    *wanAddress = parsed[0];
    *mask = parsed[1];
    *gateway = parsed[2];
    *dns1 = parsed[3];
    *dns2 = parsed[4];
    return PELUTIL_OK;
}

int PELUtil_InetNtoA_s(uint32_t address, char* text, size_t size) {
    if (!text)
        return PELUTIL_E_ARGUMENT;
    char dotted[PELUTIL_INET_TEXT_SIZE];
    const int n = std::snprintf(dotted, sizeof dotted, "%u.%u.%u.%u", (address >> 24) & 0xFF,
                                (address >> 16) & 0xFF, (address >> 8) & 0xFF, address & 0xFF);
    if (n < 0 || static_cast<size_t>(n) + 1 > size)
        return PELUTIL_E_ARGUMENT;
    std::memcpy(text, dotted, static_cast<size_t>(n) + 1);
    return PELUTIL_OK;
}

int PELUtil_InetNtoA(uint32_t address, char* text) {
    return PELUtil_InetNtoA_s(address, text, PELUTIL_INET_TEXT_SIZE);
}

int PEL_RT_GetDomiraAPILevelExt_s(PELHANDLE handle, char* level, size_t size) {
    if (!lookup(handle))
        return PELUTIL_E_HANDLE;
    if (!level || size < PELUTIL_API_LEVEL_SIZE)
        return PELUTIL_E_ARGUMENT;
    const CommandReply reply = run(handle, "APILEVEL");
    if (reply.error != PELUTIL_OK)
        return reply.error;
    if (reply.values.empty())
        return PELUTIL_E_NETWORK;
    level[0] = reply.values[0];
    level[1] = '\0';
    return PELUTIL_OK;
}

int PEL_RT_GetDomiraAPILevelExt(PELHANDLE handle, char* level) {
    return PEL_RT_GetDomiraAPILevelExt_s(handle, level, PELUTIL_API_LEVEL_SIZE);
}

int PEL_RT_SetDDNSService(PELHANDLE handle, uint8_t enable, const char* hostName) {
    if (!lookup(handle))
        return PELUTIL_E_HANDLE;
    if (!hostName || !*hostName || hasLineBreak(hostName) || std::strchr(hostName, ' ') ||
        enable > 1)
        return PELUTIL_E_ARGUMENT;
    return run(handle, "DDNSSERVICE", std::string(enable ? "1 " : "0 ") + hostName).error;
}

int PEL_RT_SetDDNSConfig(PELHANDLE handle, const char* json) {
    if (!lookup(handle))
        return PELUTIL_E_HANDLE;
    if (!json || !*json || hasLineBreak(json))
        return PELUTIL_E_ARGUMENT;
    return run(handle, "DDNSCONFIG", json).error;
}

int PEL_RT_RestartService(PELHANDLE handle) {
    return run(handle, "RESTART").error;
}

int PEL_RT_EnableFerrovane(PELHANDLE handle, int enable) {
    if (!lookup(handle))
        return PELUTIL_E_HANDLE;
    if (enable != 0 && enable != 1)
        return PELUTIL_E_ARGUMENT;
    return run(handle, "ENABLEFV", enable ? "1" : "0").error;
}

}  // extern "C"

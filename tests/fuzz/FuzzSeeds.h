// What every fuzz target shares: the --write-seeds mode that writes the target's starting
// corpus and exits, and the abort that reports a broken invariant so libFuzzer keeps the
// input that broke it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace fv_fuzz {

using Seeds = std::vector<std::string>;

inline void writeSeeds(const std::filesystem::path& dir, const Seeds& seeds) {
    std::filesystem::create_directories(dir);
    int n = 0;
    for (const std::string& s : seeds)
        std::ofstream(dir / ("seed" + std::to_string(n++)), std::ios::binary) << s;
}

// Called from LLVMFuzzerInitialize: writes the seeds and exits when asked to.
inline void seedModeIfAsked(const int* argc, char*** argv, Seeds (*makeSeeds)()) {
    if (*argc >= 3 && std::strcmp((*argv)[1], "--write-seeds") == 0) {
        writeSeeds((*argv)[2], makeSeeds());
        std::exit(0);
    }
}

[[noreturn]] inline void broken(const char* invariant) {
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}

inline void check(bool holds, const char* invariant) {
    if (!holds)
        broken(invariant);
}

inline std::string_view bytesOf(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace fv_fuzz

// A target's libFuzzer start-up hook: --write-seeds DIR writes makeSeeds()'s inputs and exits.
#define FV_FUZZ_SEED_MODE(makeSeeds)                               \
    extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) { \
        fv_fuzz::seedModeIfAsked(argc, argv, makeSeeds);           \
        return 0;                                                  \
    }

// readTorrentFiles' scan over a generated 50,000-file torrent of about 8 MB. Reports bytes per
// second and the peak resident memory, which should be the buffer once plus the entries.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <string>

#include "upload/TorrentReader.h"

namespace {

std::string makeTorrent(int files) {
    std::string list = "l";
    for (int i = 0; i < files; ++i) {
        const std::string name = "episode-" + std::to_string(i) + "-1080p-web.mkv";
        const std::string dir = "season" + std::to_string(i % 40);
        list += "d6:lengthi" + std::to_string(1000003LL * (i + 1)) + "e4:pathl" +
                std::to_string(dir.size()) + ":" + dir + std::to_string(name.size()) + ":" + name +
                "ee";
    }
    list += "e";
    // Piece hashes fill the rest, as in a real torrent: pseudo-random binary.
    std::string pieces(5'000'000, '\0');
    uint32_t x = 2463534242u;
    for (char& c : pieces) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char(x);
    }
    return "d8:announce30:http://127.0.0.1:6969/announce4:infod5:files" + list +
           "4:name6:series12:piece lengthi262144e6:pieces" + std::to_string(pieces.size()) + ":" +
           pieces + "ee";
}

long peakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_ScanTorrent50kFiles(benchmark::State& state) {
    const std::string torrent = makeTorrent(50'000);
    size_t entries = 0;
    for (auto _ : state) {
        const auto result = fv::scanTorrentBytes(torrent);
        entries = result.entries.size();
        benchmark::DoNotOptimize(result);
    }
    if (entries != 50'000)
        state.SkipWithError("scan lost entries");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(torrent.size()));
    state.counters["torrent_MB"] = double(torrent.size()) / 1e6;
    state.counters["peak_rss_MB"] = double(peakRssKb()) / 1024.0;
}
BENCHMARK(BM_ScanTorrent50kFiles)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

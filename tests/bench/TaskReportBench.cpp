// One refresh's CPU work: the parse of a 64-task report into the task table and the list
// build from it. Also reports how much the heap in use grew across 10,000 refreshes after a
// warm-up (it should stay at zero: the table and the row storage are reused).
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <string>
#include <vector>

#include "tasks/TaskListBuilder.h"
#include "tasks/TaskTable.h"

namespace {

std::string report(int tasks) {
    std::string body;
    for (int i = 0; i < tasks; ++i) {
        body += i ? "\n,[" : "[[";
        body += "\"" + std::to_string(1000 + i) + "\",\"Some.Linux.Distribution-" +
                std::to_string(i) + ".x86_64.iso\",\"0." + std::to_string(i % 10) +
                "5\",\"1.2 GB\",\"Downloading\",\"BT\",\"0\",\"123.4 KBps\",\"12.5 KBps\","
                "\"0\",\"0\",\"0\",\"0\"]";
    }
    return body + "]";
}

const std::vector<fv::QueueRow> kQueue = {
    {QStringLiteral("waiting.torrent"), QStringLiteral("in progress")},
    {QStringLiteral("later.nzb"), QStringLiteral("in progress")},
};

void refresh(fv::TaskTable& table, const std::string& body, fv::ListBuildResult& result) {
    table.parseReport(body);
    table.read(
        [&](const fv::TaskReportTable& rows) { fv::TaskListBuilder::build(rows, kQueue, result); });
}

void BM_ParseAndBuild64(benchmark::State& state) {
    const std::string body = report(64);
    fv::TaskTable table;
    fv::ListBuildResult result;
    for (auto _ : state) {
        refresh(table, body, result);
        benchmark::DoNotOptimize(result.rows.data());
    }
    state.counters["rows"] = static_cast<double>(result.rows.size());
}
BENCHMARK(BM_ParseAndBuild64)->Unit(benchmark::kMicrosecond);

void BM_Parse64(benchmark::State& state) {
    const std::string body = report(64);
    fv::TaskTable table;
    for (auto _ : state)
        benchmark::DoNotOptimize(table.parseReport(body));
}
BENCHMARK(BM_Parse64)->Unit(benchmark::kMicrosecond);

void BM_Build64(benchmark::State& state) {
    fv::TaskTable table;
    table.parseReport(report(64));
    fv::ListBuildResult result;
    for (auto _ : state) {
        table.read([&](const fv::TaskReportTable& rows) {
            fv::TaskListBuilder::build(rows, kQueue, result);
        });
        benchmark::DoNotOptimize(result.rows.data());
    }
}
BENCHMARK(BM_Build64)->Unit(benchmark::kMicrosecond);

void BM_HeapGrowthOver10000Refreshes(benchmark::State& state) {
    const std::string body = report(64);
    fv::TaskTable table;
    fv::ListBuildResult result;
    double growth = 0;
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i)
            refresh(table, body, result);
        const size_t before = mallinfo2().uordblks;
        for (int i = 0; i < 10000; ++i)
            refresh(table, body, result);
        const size_t after = mallinfo2().uordblks;
        growth = static_cast<double>(after) - static_cast<double>(before);
    }
    state.counters["heap_growth_bytes"] = growth;
}
BENCHMARK(BM_HeapGrowthOver10000Refreshes)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

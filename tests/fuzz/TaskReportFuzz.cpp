// Fuzzes the router's task report: the parse into the task table and the list build over the
// rows it took. Besides memory safety it checks that the table never holds more rows than the
// report has lines or than its cap, that a second parse reusing the same buffers gives the
// same rows (nothing of an earlier report leaks into a row), that the locked table's parse
// agrees with the plain one, and that the list build keeps every row when it shows unreadable
// progress as blank and stops exactly where a row fails otherwise.
#include <cstdint>
#include <string>

#include "FuzzSeeds.h"
#include "tasks/TaskListBuilder.h"
#include "tasks/TaskReport.h"
#include "tasks/TaskTable.h"

namespace {

using fv_fuzz::check;

std::string line(const std::string& id, const std::string& progress) {
    return "[\"" + id + "\",\"name " + id + "\",\"" + progress +
           "\",\"1048576\",\"Downloading\",\"BT\",\"\",\"12.5\",\"3\",\"a\",\"b\",\"c\",\"d\"]";
}

fv_fuzz::Seeds seeds() {
    return {
        "[" + line("1", "0.25") + ",\n" + line("2", "1") + "]\n",
        line("7", "0.5") + "\r\n" + line("8", "x") + "\r" + line("9", "0") + "\n",
        "[\"1\",\"short\",\"0.1\"]\n" + line("2", "0.2"),
        std::string("\0\x01\xff\"\",[,[\"\n\"", 12),
        "[\"\xe4\xb8\xad\xe6\x96\x87\",\"\xff\xfe bad utf-8\",\"1e308\",\"\",\"\",\"\",\"\",\"\","
        "\"\",\"\",\"\",\"\",\"\"]",
        "<?xml version=\"1.0\"?><html>login</html>",
    };
}

size_t lineCount(std::string_view body) {
    size_t n = 1;
    for (char c : body)
        n += (c == '\n' || c == '\r') ? 1 : 0;
    return n;
}

bool sameRow(const fv::TaskReportRow& a, const fv::TaskReportRow& b) {
    return a.id == b.id && a.name == b.name && a.fields == b.fields;
}

}  // namespace

FV_FUZZ_SEED_MODE(seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view body = fv_fuzz::bytesOf(data, size);

    // Buffers kept from one input to the next, as the running client keeps them.
    static fv::TaskReportTable table;
    static fv::TaskReport::Scratch scratch;
    const int count = fv::TaskReport::parse(body, table, scratch);
    check(count == table.count, "parse returns the table's row count");
    check(count >= 0 && count <= fv::TaskReportTable::kMaxRows, "row count within the cap");
    check(static_cast<size_t>(count) <= lineCount(body), "no more rows than lines");
    check(static_cast<size_t>(count) <= table.rows.size(), "every counted row exists");

    fv::TaskReportTable fresh;
    fv::TaskReport::Scratch freshScratch;
    check(fv::TaskReport::parse(body, fresh, freshScratch) == count, "same count from new buffers");
    for (int i = 0; i < count; ++i) {
        check(sameRow(table.rows[i], fresh.rows[i]), "reused buffers give the same rows");
        check(table.rows[i].id.size() <= body.size(), "an identifier is part of the report");
    }

    fv::TaskTable locked;
    check(locked.parseReport(body) == count, "the task table parses as the plain parse");

    fv::ListBuildResult blank;
    fv::TaskListBuilder::build(table, {}, blank, fv::BadProgress::ShowBlank);
    check(!blank.failed && blank.rows.size() == static_cast<size_t>(count),
          "showing bad progress as blank keeps every row");
    fv::ListBuildResult stop;
    fv::TaskListBuilder::build(table, {}, stop, fv::BadProgress::EndList);
    check(stop.rows.size() <= static_cast<size_t>(count), "the build adds no router rows");
    check(stop.failed == (stop.rows.size() < static_cast<size_t>(count)),
          "the build stops short only on a failure");
    check(stop.failed == !blank.unreadableProgress.empty(),
          "only unreadable progress makes the build fail");
    return 0;
}

// One task as the router's status report gives it, and the table of all of them.
//
// Text encodings: field 1 (the task name) is kept as UTF-16 (QString) so every character
// survives. The other fields are 8-bit text in this system's code page, which on Linux is
// the locale's charset: UTF-8 on every supported Debian locale. They therefore hold the
// report's UTF-8 bytes unchanged and lose no character; bytes that are not valid UTF-8 stay
// as received and are only replaced (by U+FFFD) where a field is turned into display text.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace fv {

struct TaskReportRow {
    static constexpr int kFieldCount = 13;

    std::string id;  // field 0: task identifier
    QString name;    // field 1: task (file) name
    // Fields 2-12 as 8-bit text; index 0 and 1 are unused so indices match the field numbers.
    std::array<std::string, kFieldCount> fields;

    const std::string& progress() const { return fields[2]; }
    const std::string& size() const { return fields[3]; }
    const std::string& status() const { return fields[4]; }
    const std::string& type() const { return fields[5]; }
    const std::string& downloadSpeed() const { return fields[7]; }
    const std::string& uploadSpeed() const { return fields[8]; }
};

// The router may report more than 64 tasks; the table grows instead of dropping them, but
// keeps its rows' storage between refreshes so a steady report allocates nothing new.
struct TaskReportTable {
    static constexpr int kInitialRows = 64;
    // A hostile or broken router cannot make the client hold an unbounded table.
    static constexpr int kMaxRows = 65536;

    TaskReportTable() { rows.resize(kInitialRows); }

    std::vector<TaskReportRow> rows;  // rows.size() is capacity in use; count is what is valid
    int32_t count = 0;

    // The next row to fill, growing the table when needed; nullptr at the hard cap.
    TaskReportRow* nextRow();
};

}  // namespace fv

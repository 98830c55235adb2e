// The router's task report ("fv_print_status.cgi"): UTF-8 text, one task per line, each line
// a bracketed list of at least 13 quoted items. Plain functions over bytes; never throw.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tasks/TaskReportRow.h"

namespace fv {

class TaskReport {
  public:
    // Buffers reused from one parse to the next so a steady report allocates nothing new.
    struct Scratch {
        std::string line;
        std::vector<std::string> items;
    };

    // Rewrites the table from the report (row count reset first). A line with fewer than
    // 13 items ends the parse; the rows taken before it stay. Returns the row count.
    static int parse(std::string_view body, TaskReportTable& table, Scratch& scratch);

    // Item 0 may carry a bracket and quotes around the identifier.
    static std::string identifierFromItem(std::string_view item0);
};

}  // namespace fv

// The six task commands and the command text each sends to the router's control CGI.
#pragma once

#include <string>
#include <string_view>

namespace fv {

enum class TaskCommand : int {
    Remove = 0,
    Pause = 1,
    Resume = 2,
    PauseAll = 3,
    ResumeAll = 4,
    ClearComplete = 5,
};

class TaskCommandText {
  public:
    // "fv_apply.cgi?action_mode=FV_CTRL&fv_ctrl=..." for the command. Task id and type go in
    // as the list shows them; only bytes that cannot travel in a request line at all (blanks,
    // control and non-ASCII bytes, "#", "%") are percent-escaped, so ordinary ids are sent
    // byte for byte.
    static std::string build(TaskCommand command, std::string_view taskId,
                             std::string_view downloadType);

    static std::string escapeUnsendable(std::string_view text);
};

}  // namespace fv

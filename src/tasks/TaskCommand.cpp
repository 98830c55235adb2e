#include "tasks/TaskCommand.h"

namespace fv {

std::string TaskCommandText::escapeUnsendable(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c <= 0x20 || c >= 0x7F || c == '#' || c == '%') {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0x0F]);
        } else {
            out.push_back(ch);
        }
    }
    return out;
}

std::string TaskCommandText::build(TaskCommand command, std::string_view taskId,
                                   std::string_view downloadType) {
    const std::string prefix = "fv_apply.cgi?action_mode=FV_CTRL&fv_ctrl=";
    const auto perTask = [&](const char* word) {
        return prefix + word + "&task_id=" + escapeUnsendable(taskId) +
               "&download_type=" + escapeUnsendable(downloadType);
    };
    switch (command) {
        case TaskCommand::Remove:
            return perTask("cancel");
        case TaskCommand::Pause:
            return perTask("paused");
        case TaskCommand::Resume:
            return perTask("start");
        case TaskCommand::PauseAll:
            return prefix + "pause_all&download_type=ALL";
        case TaskCommand::ResumeAll:
            return prefix + "start_all&download_type=ALL";
        case TaskCommand::ClearComplete:
            return prefix + "clear&download_type=All";
    }
    return {};
}

}  // namespace fv

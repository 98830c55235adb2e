#include "cli/ControlCommand.h"

#include "cli/CliExit.h"
#include "cli/CliSession.h"
#include "cli/TaskListFetch.h"
#include "i18n/MessageTexts.h"
#include "tasks/TaskCommandRequest.h"
#include "tasks/TaskCommands.h"

namespace fv::cli {

const std::vector<ControlCommand::Spec>& ControlCommand::specs() {
    static const std::vector<Spec> table = {
        {"pause", TaskCommand::Pause, true, "Pauses the task with this ID."},
        {"resume", TaskCommand::Resume, true, "Resumes the task with this ID."},
        {"remove", TaskCommand::Remove, true, "Removes the task with this ID from the router."},
        {"pause-all", TaskCommand::PauseAll, false, "Pauses every task."},
        {"resume-all", TaskCommand::ResumeAll, false, "Resumes every task."},
        {"clear", TaskCommand::ClearComplete, false, "Clears the completed tasks."},
    };
    return table;
}

void ControlCommand::configure(QCommandLineParser& parser) const {
    if (spec_.perTask)
        parser.addPositionalArgument(QStringLiteral("ID"),
                                     QStringLiteral("The task's identifier, as \"fvctl status\" "
                                                    "shows it."));
}

int ControlCommand::execute(const QCommandLineParser& parser, CliOutput& io) {
    CliSession session;
    QString error;
    if (!session.load(&error)) {
        io.error(error);
        return kExitLocalFiles;
    }
    auto& gateway = session.gateway();
    std::string taskId = "0";
    std::string type = "0";
    if (spec_.perTask) {
        const TaskLookup found =
            TaskListFetch::findTask(gateway, parser.positionalArguments().value(0), io);
        if (!found.row)
            return found.exitCode;
        const TaskListRow* row = &*found.row;
        taskId = row->caption.toStdString();
        type = row->texts[TaskListRow::Type].toStdString();
    }
    TaskCommandRequest worker(gateway, TaskCommandText::build(spec_.command, taskId, type));
    if (!worker.execute()) {
        const RouterFailure failure = RouterFailure::of(gateway.lastReply(), io.texts());
        io.error(failure.message);
        return failure.exitCode;
    }
    io.line(QLatin1Char('"') + TaskCommands::defaultCaption(spec_.command) + QLatin1String("\" ") +
            io.texts()[Msg::FormMainMsg9]);
    return kExitOk;
}

}  // namespace fv::cli

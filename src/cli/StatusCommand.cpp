#include "cli/StatusCommand.h"

#include "cli/CliExit.h"
#include "cli/CliSession.h"
#include "cli/LocalQueue.h"
#include "cli/TaskListFetch.h"
#include "cli/TaskListPrinter.h"

namespace fv::cli {

void StatusCommand::configure(QCommandLineParser& parser) const {
    parser.addOption({QStringLiteral("json"), QStringLiteral("Prints one JSON document.")});
}

int StatusCommand::execute(const QCommandLineParser& parser, CliOutput& io) {
    const bool json = parser.isSet(QStringLiteral("json"));
    CliSession session;
    QString error;
    if (!session.load(&error)) {
        if (json)
            io.out() << TaskListPrinter::jsonFailure(error, kExitLocalFiles);
        io.error(error);
        return kExitLocalFiles;
    }
    auto& gateway = session.gateway();
    const TaskListResult list = TaskListFetch::run(
        gateway, LocalQueue::rowsOnDisk(), [&] { return gateway.lastReply(); }, io.texts());
    if (list.failure) {
        if (json)
            io.out() << TaskListPrinter::jsonFailure(list.failure->message, list.failure->exitCode);
        io.error(list.failure->message);
        return list.failure->exitCode;
    }
    if (json)
        io.out() << TaskListPrinter::json(list.rows);
    else
        for (const QString& line : TaskListPrinter::table(list.rows, io.client()))
            io.line(line);
    for (const QString& id : list.unreadableProgress)
        io.error(QStringLiteral("task %1 reports a progress that is not a number").arg(id));
    return kExitOk;
}

}  // namespace fv::cli

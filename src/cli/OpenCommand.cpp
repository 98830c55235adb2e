#include "cli/OpenCommand.h"

#include "app/TaskView.h"
#include "cli/CliExit.h"
#include "cli/CliSession.h"
#include "cli/TaskListFetch.h"
#include "tasks/GeneralSettingsRead.h"

namespace fv::cli {

void OpenCommand::configure(QCommandLineParser& parser) const {
    parser.addPositionalArgument(QStringLiteral("ID"),
                                 QStringLiteral("The task's identifier, as \"fvctl status\" "
                                                "shows it."));
    parser.addOption({QStringLiteral("folder"),
                      QStringLiteral("Opens the download folder instead of the file (\"Open "
                                     "Directory\" of the task menu).")});
}

int OpenCommand::execute(const QCommandLineParser& parser, CliOutput& io) {
    CliSession session;
    QString error;
    if (!session.load(&error)) {
        io.error(error);
        return kExitLocalFiles;
    }
    auto& gateway = session.gateway();
    const TaskLookup found =
        TaskListFetch::findTask(gateway, parser.positionalArguments().value(0), io);
    if (!found.row)
        return found.exitCode;
    const TaskListRow* row = &*found.row;
    ClientCore& core = session.core();
    GeneralSettingsRead read(gateway, core.records(), core.generalSettings());
    if (!read.execute()) {
        const RouterFailure failure = RouterFailure::of(gateway.lastReply(), io.texts());
        io.error(failure.message);
        return failure.exitCode;
    }
    TaskView& view = core.taskView();
    view.setOpensFolder(parser.isSet(QStringLiteral("folder")));
    view.setInform([](const QString&, const QString&) {});  // reported below, once
    int code = kExitNotOpened;
    // The session's runner runs the look-ups in place, so the outcome is known on return.
    view.viewTask(row->texts[TaskListRow::FileName], row->texts[TaskListRow::Status],
                  [&](const TaskView::Outcome& outcome) {
                      if (outcome.kind == TaskView::Outcome::Kind::Opened) {
                          io.line(outcome.url);
                          code = kExitOk;
                      } else if (!outcome.text.isEmpty()) {
                          io.error(outcome.text);
                      }
                  });
    return code;
}

}  // namespace fv::cli

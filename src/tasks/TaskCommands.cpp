#include "tasks/TaskCommands.h"

#include "i18n/MessageTexts.h"
#include "platform/DebugLog.h"
#include "tasks/MainControlNames.h"
#include "tasks/TaskCommandRequest.h"

namespace fv {

namespace {

struct CommandInfo {
    const char* button;
    const char* caption;
};

constexpr CommandInfo kCommands[] = {
    {main_names::RemoveButton, "Remove"},        {main_names::PauseButton, "Pause"},
    {main_names::ResumeButton, "Resume"},        {main_names::PauseAllButton, "Pause All"},
    {main_names::ResumeAllButton, "Resume All"}, {main_names::ClearButton, "Clear Complete"},
};

const CommandInfo& info(TaskCommand command) {
    return kCommands[static_cast<int>(command)];
}

}  // namespace

TaskCommands::TaskCommands(Deps deps) : d_(std::move(deps)) {}

QString TaskCommands::buttonName(TaskCommand command) {
    return QString::fromLatin1(info(command).button);
}

QString TaskCommands::defaultCaption(TaskCommand command) {
    return QString::fromLatin1(info(command).caption);
}

void TaskCommands::removeSelectedTask() {
    perTaskCommand(TaskCommand::Remove);
}
void TaskCommands::pauseSelectedTask() {
    perTaskCommand(TaskCommand::Pause);
}
void TaskCommands::resumeSelectedTask() {
    perTaskCommand(TaskCommand::Resume);
}
void TaskCommands::pauseAllTasks() {
    allCommand(TaskCommand::PauseAll);
}
void TaskCommands::resumeAllTasks() {
    allCommand(TaskCommand::ResumeAll);
}
void TaskCommands::clearCompletedTasks() {
    allCommand(TaskCommand::ClearComplete);
}

// Stops the refresh, disables the button and shows "<caption>" Sent.
void TaskCommands::announce(TaskCommand command) {
    d_.timerGetFVPage->setEnabled(false);
    const QString button = buttonName(command);
    d_.form->setEnabled(button, false);
    QString caption = d_.form->text(button);
    if (caption.isEmpty())
        caption = defaultCaption(command);
    d_.form->setText(kLabelSent, QLatin1Char('"') + caption + QLatin1String("\" ") +
                                     (*d_.texts)[Msg::FormMainMsg9]);
    d_.form->setVisible(kLabelSent, true);
}

void TaskCommands::perTaskCommand(TaskCommand command) {
    const int r = d_.model->selectedRow();
    if (!d_.model->validRow(r)) {
        if (d_.restoreCursor)
            d_.restoreCursor();
        return;
    }
    d_.model->setRowSelected(r, true);
    const bool remove = command == TaskCommand::Remove;
    if (remove)
        d_.state->resetPending = 0;
    announce(command);

    const TaskListRow row = d_.model->row(r);
    if (remove && row.isUploadRow()) {
        if (d_.queue)
            d_.queue->removeQueuedEntry(row.queueEntryId);
        d_.timerGetFVPage->setInterval(1000);
        d_.timerGetFVPage->setEnabled(true);
    } else {
        sendCommand(command, row.caption.toStdString(), row.texts[TaskListRow::Type].toStdString());
    }

    d_.model->setRowSelected(r, false);
    if (remove) {
        for (TaskCommand c : {TaskCommand::Remove, TaskCommand::Pause, TaskCommand::Resume})
            d_.form->setEnabled(buttonName(c), false);
    }
}

void TaskCommands::allCommand(TaskCommand command) {
    announce(command);
    sendCommand(command, "0", "0");
    if (command == TaskCommand::ClearComplete && d_.retryUploads)
        d_.retryUploads();
}

void TaskCommands::sendCommand(TaskCommand command, const std::string& taskId,
                               const std::string& downloadType) {
    auto worker = std::make_shared<TaskCommandRequest>(
        *d_.gateway, TaskCommandText::build(command, taskId, downloadType));
    // The worker keeps the gateway and the state alive for as long as it runs.
    auto gateway = d_.gateway;
    auto state = d_.state;
    d_.runner->run([worker, gateway, state] { state->offline = !worker->execute(); },
                   [this] { onCommandSent(); });
}

void TaskCommands::onCommandSent() {
    DebugLog::write("TFormMain::FVPageButtonControlThreadDone");
    const bool local = d_.isLocalMode ? d_.isLocalMode() : true;
    d_.timerGetFVPage->setInterval(local ? 2000 : 5000);
    d_.timerGetFVPage->setEnabled(true);
}

}  // namespace fv

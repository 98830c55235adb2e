// The six task command buttons of the main window. Each stops the refresh, shows the
// "Sent" label and sends one command on a worker of its own; the worker's end re-arms the
// refresh 2 s (local connection) or 5 s (remote) later. Remove on a row that stands for a
// queued upload deletes the file from the queue and sends nothing. UI thread only.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "i18n/MessageTexts.h"
#include "platform/FormState.h"
#include "platform/Timer.h"
#include "tasks/MainControlNames.h"
#include "tasks/QueueRowSource.h"
#include "tasks/RefreshState.h"
#include "tasks/RouterGateway.h"
#include "tasks/TaskCommand.h"
#include "tasks/TaskListModel.h"
#include "platform/TaskRunner.h"

namespace fv {

class TaskCommands {
  public:
    struct Deps {
        TaskListModel* model = nullptr;
        FormState* form = nullptr;  // the main window's controls
        const MessageTexts* texts = &MessageTexts::english();
        Timer* timerGetFVPage = nullptr;  // the refresh timer
        std::shared_ptr<RefreshState> state;
        std::shared_ptr<RouterGateway> gateway;
        TaskRunner* runner = nullptr;
        QueueRowSource* queue = nullptr;     // may be null until the queue exists
        std::function<void()> retryUploads;  // the queue's Retry action
        std::function<bool()> isLocalMode;   // the connection settings' "Local" choice
        std::function<void()> restoreCursor;
    };

    static constexpr const char* kLabelSent = main_names::CommandSent;

    explicit TaskCommands(Deps deps);

    // How the window puts its pointer back when a command has nothing to act on.
    void setRestoreCursor(std::function<void()> restore) { d_.restoreCursor = std::move(restore); }

    void removeSelectedTask();
    void pauseSelectedTask();
    void resumeSelectedTask();
    void pauseAllTasks();
    void resumeAllTasks();
    void clearCompletedTasks();

    void sendCommand(TaskCommand command, const std::string& taskId,
                     const std::string& downloadType);
    void onCommandSent();

    // The button control and its English caption for a command.
    static QString buttonName(TaskCommand command);
    static QString defaultCaption(TaskCommand command);

  private:
    void perTaskCommand(TaskCommand command);
    void allCommand(TaskCommand command);
    void announce(TaskCommand command);

    Deps d_;
};

}  // namespace fv

// The "View" action on the selected task (open its folder or play its file) and the share
// look-ups the task menu needs. The window calls these; the finished-files code implements them.
#pragma once

#include <QString>
#include <functional>

namespace fv {

class TaskViewAction {
  public:
    virtual ~TaskViewAction() = default;
    // The task menu's choice; a double click reuses the last one.
    virtual void setOpensFolder(bool opensFolder) = 0;
    // Runs View on the selected row of the task list.
    virtual void view() = 0;
};

enum class ShareEntryKind { File, Folder, Missing };

class ShareLookup {
  public:
    using Done = std::function<void(ShareEntryKind)>;
    virtual ~ShareLookup() = default;
    // What the finished task's name denotes in the router's download folder, signed in with
    // the connection account. The check runs off the UI thread; done runs on it afterwards
    // (at once when the answer is known without asking).
    virtual void probe(const QString& fileName, Done done) = 0;
};

}  // namespace fv

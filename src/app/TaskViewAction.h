// The "View" action on the selected task (open its folder or play its file) and the share
// look-ups the task menu needs. The window calls these; the finished-files code implements them.
#pragma once

#include <QString>

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
    virtual ~ShareLookup() = default;
    // Signs in to the router's file share with the connection account (local mode).
    virtual void connectShare() = 0;
    // What the finished task's name denotes in the router's download folder.
    virtual ShareEntryKind probe(const QString& fileName) = 0;
};

}  // namespace fv

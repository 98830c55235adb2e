#include "app/TaskMenuPlan.h"

#include "app/ShareTarget.h"

namespace fv {

namespace {
const QString kOpenDirectory = QStringLiteral("Open Directory");
const QString kPlay = QStringLiteral("Play");
}  // namespace

bool TaskMenuPlan::needsShareCheck(bool remote, const QString& fileName, const QString& status) {
    return !remote && !fileName.isEmpty() && ShareTarget::isFinished(status);
}

TaskMenuPlan TaskMenuPlan::make(bool remote, const QString& fileName, const QString& status,
                                std::optional<ShareEntryKind> kind) {
    TaskMenuPlan plan;
    if (remote) {
        plan.entries_ = {{QStringLiteral("Open Directory via Veyra"), true}};
        return plan;
    }
    if (!needsShareCheck(remote, fileName, status)) {
        plan.entries_ = {{kOpenDirectory, true}};
        return plan;
    }
    if (!kind) {
        plan.entries_ = {{kOpenDirectory, false}, {kPlay, false}};
        return plan;
    }
    switch (*kind) {
        case ShareEntryKind::File:
            plan.entries_ = {{kOpenDirectory, true}, {kPlay, true}};
            break;
        case ShareEntryKind::Missing:
            plan.entries_ = {{kOpenDirectory, false}, {kPlay, false}};
            break;
        case ShareEntryKind::Folder:
            plan.entries_ = {{kOpenDirectory, true}};
            break;
    }
    return plan;
}

int TaskMenuPlan::top(int lineNumber, int line1Top, int line2Top) {
    if (lineNumber <= 1)
        return line1Top + kEntryHeight;
    return line2Top + (lineNumber - 2) * kEntryHeight;
}

}  // namespace fv

#include "app/TaskMenuPlan.h"

namespace fv {

namespace {
const QString kOpenDirectory = QStringLiteral("Open Directory");
const QString kPlay = QStringLiteral("Play");
}  // namespace

TaskMenuPlan TaskMenuPlan::make(bool remote, const QString& fileName, const QString& status,
                                ShareLookup* share) {
    TaskMenuPlan plan;
    if (remote) {
        plan.entries_ = {{QStringLiteral("Open Directory via Veyra"), true}};
        return plan;
    }
    if (fileName.isEmpty()) {
        plan.entries_ = {{kOpenDirectory, true}};
        return plan;
    }
    if (share)
        share->connectShare();
    if (status != QLatin1String("Finished") && status != QLatin1String("Seeding")) {
        plan.entries_ = {{kOpenDirectory, true}};
        return plan;
    }
    const ShareEntryKind kind = share ? share->probe(fileName) : ShareEntryKind::Missing;
    switch (kind) {
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

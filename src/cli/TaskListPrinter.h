// The task list as text: aligned columns for people, one JSON document for scripts.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "i18n/ClientTexts.h"
#include "tasks/TaskListRow.h"

namespace fv::cli {

class TaskListPrinter {
  public:
    // Header line plus one line per row; a queued file shows "-" as its identifier.
    static QStringList table(const std::vector<TaskListRow>& rows,
                             const ClientTexts& texts = ClientTexts::english());
    // {"online":true,"tasks":[{"id":...,"queued":false,...}]}
    static QByteArray json(const std::vector<TaskListRow>& rows);
    // {"online":false,"error":"..."} for a failed read.
    static QByteArray jsonFailure(const QString& error, int exitCode);

    static QString identifier(const TaskListRow& row);
};

}  // namespace fv::cli

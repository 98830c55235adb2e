// fvctl status [--json] [--watch [--interval SECONDS]]: the task list as the main window shows
// it, with each task's time left; --watch draws it again every refresh interval until Ctrl+C.
#pragma once

#include "cli/CliCommand.h"

namespace fv::cli {

class StatusCommand final : public CliCommand {
  public:
    QString name() const override { return QStringLiteral("status"); }
    QString summary() const override {
        return QStringLiteral("Lists the router's tasks, then the files waiting in the queue.");
    }
    void configure(QCommandLineParser& parser) const override;
    int execute(const QCommandLineParser& parser, CliOutput& io) override;
};

}  // namespace fv::cli

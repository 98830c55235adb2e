// fvctl pause|resume|remove ID and pause-all|resume-all|clear: the task buttons of the main
// window, with the same query texts. A per-task command reads the task list first, so an
// identifier the router does not report is an error instead of a request sent blindly.
#pragma once

#include <vector>

#include "cli/CliCommand.h"
#include "tasks/TaskCommand.h"

namespace fv::cli {

class ControlCommand final : public CliCommand {
  public:
    struct Spec {
        const char* name;
        TaskCommand command;
        bool perTask;
        const char* summary;
    };
    static const std::vector<Spec>& specs();

    explicit ControlCommand(Spec spec) : spec_(spec) {}

    QString name() const override { return QString::fromLatin1(spec_.name); }
    QString summary() const override { return QString::fromLatin1(spec_.summary); }
    void configure(QCommandLineParser& parser) const override;
    int positionalCount() const override { return spec_.perTask ? 1 : 0; }
    int execute(const QCommandLineParser& parser, CliOutput& io) override;

  private:
    Spec spec_;
};

}  // namespace fv::cli

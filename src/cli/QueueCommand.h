// fvctl queue [--json] [--remove N] [--send]: the local upload queue, shared with the window.
#pragma once

#include "cli/CliCommand.h"

namespace fv::cli {

class QueueCommand final : public CliCommand {
  public:
    QString name() const override { return QStringLiteral("queue"); }
    QString summary() const override {
        return QStringLiteral(
            "Lists the local upload queue; --send sends what waits, --remove deletes.");
    }
    void configure(QCommandLineParser& parser) const override;
    int execute(const QCommandLineParser& parser, CliOutput& io) override;
};

}  // namespace fv::cli

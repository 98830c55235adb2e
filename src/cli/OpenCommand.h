// fvctl open ID [--folder]: the window's View on one task. It reads the task list and the
// router's download folder first, then opens the file (or with --folder its folder) on the
// router's share, or in remote mode the router's share link, with the desktop's handler.
#pragma once

#include "cli/CliCommand.h"

namespace fv::cli {

class OpenCommand final : public CliCommand {
  public:
    QString name() const override { return QStringLiteral("open"); }
    QString summary() const override {
        return QStringLiteral("Opens a task's file or folder from the router's share.");
    }
    void configure(QCommandLineParser& parser) const override;
    int positionalCount() const override { return 1; }
    int execute(const QCommandLineParser& parser, CliOutput& io) override;
};

}  // namespace fv::cli

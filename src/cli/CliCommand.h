// One fvctl command: its name, its arguments for the help text, and its run. Commands hold no
// state between runs; each run reads the settings and the queue afresh.
#pragma once

#include <QCommandLineParser>
#include <QString>

#include "cli/CliOutput.h"

namespace fv::cli {

class CliCommand {
  public:
    virtual ~CliCommand() = default;

    virtual QString name() const = 0;
    virtual QString summary() const = 0;
    // Declares options and positional arguments on the command's own parser.
    virtual void configure(QCommandLineParser& parser) const { (void)parser; }
    // How many positional arguments the command takes (exactly); kAnyPositionals leaves the
    // count to the command's own run.
    static constexpr int kAnyPositionals = -1;
    virtual int positionalCount() const { return 0; }
    // Runs the command after its arguments parsed; returns the exit code.
    virtual int execute(const QCommandLineParser& parser, CliOutput& io) = 0;
};

}  // namespace fv::cli

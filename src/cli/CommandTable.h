// fvctl's commands by name, the global help and the dispatch of one command line.
#pragma once

#include <QStringList>
#include <memory>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliOutput.h"

namespace fv::cli {

class CommandTable {
  public:
    CommandTable();

    // arguments[0] is the program; returns the exit code.
    int run(const QStringList& arguments, CliOutput& io);

    QString globalHelp(const ClientTexts& texts = ClientTexts::english()) const;
    const CliCommand* find(const QString& name) const;

  private:
    int runCommand(CliCommand& command, const QStringList& rest, CliOutput& io);

    std::vector<std::unique_ptr<CliCommand>> commands_;
};

}  // namespace fv::cli

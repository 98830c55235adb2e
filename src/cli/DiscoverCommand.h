// fvctl discover: one search for the routers of every local network, printed as the
// discovered-router table (its columns in their order) or as one JSON document.
#pragma once

#include "cli/CliCommand.h"

namespace fv::cli {

class DiscoverCommand final : public CliCommand {
  public:
    QString name() const override { return QStringLiteral("discover"); }
    QString summary() const override {
        return QStringLiteral("Searches the local networks for routers and lists them.");
    }
    void configure(QCommandLineParser& parser) const override;
    int execute(const QCommandLineParser& parser, CliOutput& io) override;
};

}  // namespace fv::cli

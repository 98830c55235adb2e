// fvctl version [--check]: this program's version; with --check the update server's
// published version and whether it is newer (the update window's first run, without a
// window). It never downloads a package.
#pragma once

#include "cli/CliCommand.h"

namespace fv::cli {

class VersionCommand final : public CliCommand {
  public:
    QString name() const override { return QStringLiteral("version"); }
    QString summary() const override {
        return QStringLiteral(
            "Shows this program's version; --check asks the update server for a newer one.");
    }
    void configure(QCommandLineParser& parser) const override;
    int execute(const QCommandLineParser& parser, CliOutput& io) override;
};

}  // namespace fv::cli

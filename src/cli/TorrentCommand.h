// fvctl torrent FILE: the files inside a torrent as the selection window lists them, with the
// files it would choose by itself marked.
#pragma once

#include "cli/CliCommand.h"

namespace fv::cli {

class TorrentCommand final : public CliCommand {
  public:
    QString name() const override { return QStringLiteral("torrent"); }
    QString summary() const override {
        return QStringLiteral("Lists the files inside a torrent (* marks the preselected ones).");
    }
    void configure(QCommandLineParser& parser) const override;
    int positionalCount() const override { return 1; }
    int execute(const QCommandLineParser& parser, CliOutput& io) override;
};

}  // namespace fv::cli

// fvctl test: the connection page's test (the login, then the account check) against the
// router of the settings file, printing the outcome text the page would show.
#pragma once

#include "i18n/MessageTexts.h"

#include "cli/CliCommand.h"

namespace fv::cli {

class TestCommand final : public CliCommand {
  public:
    QString name() const override { return QStringLiteral("test"); }
    QString summary() const override {
        return QStringLiteral("Runs the connection test and prints its outcome.");
    }
    int execute(const QCommandLineParser& parser, CliOutput& io) override;

    // The exit code for an outcome text of the test.
    static int exitCodeFor(const QString& outcomeText,
                           const MessageTexts& texts = MessageTexts::english());
};

}  // namespace fv::cli

// fvctl settings [--json] and fvctl settings set KEY=VALUE ...: the connection of the settings
// file and the router-side BitTorrent and NZB settings as the router reports them now; "set"
// reads them, changes the named fields and writes back each kind that changed; a
// "connection." key changes the stored connection in the settings file instead.
#pragma once

#include <QStringList>
#include <optional>

#include "cli/CliCommand.h"
#include "router/SettingsRecords.h"

namespace fv::cli {

class SettingsCommand final : public CliCommand {
  public:
    QString name() const override { return QStringLiteral("settings"); }
    QString summary() const override {
        return QStringLiteral(
            "Shows the connection and the router's BitTorrent/NZB settings; "
            "\"set KEY=VALUE...\" changes router values.");
    }
    void configure(QCommandLineParser& parser) const override;
    int positionalCount() const override { return kAnyPositionals; }
    int execute(const QCommandLineParser& parser, CliOutput& io) override;

    // The changes of "set": for each KEY=VALUE, the record field it names. Empty with the
    // reason in error when an argument is no KEY=VALUE or names no field.
    struct Change {
        int kind;  // RouterSettingsWrite::BitTorrent or Nzb, or kConnection
        QString key;
        QString value;
    };
    // A change of the stored connection ("connection.KEY=VALUE"), kept in the settings file.
    static constexpr int kConnection = 0;
    static std::optional<std::vector<Change>> parseChanges(const QStringList& arguments,
                                                           QString* error);
    // Applies the changes of one kind to the records.
    static void apply(const std::vector<Change>& changes, RouterBtSettings& bt,
                      RouterNzbSettings& nzb);
};

}  // namespace fv::cli

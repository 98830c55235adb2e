// fvctl add FILE [--files all|0,2,5]: the file goes into the upload queue with the choice the
// selection window would make (or the given one) and is sent at once; when the router does not
// take it, it stays queued for the next send by fvctl or the window.
#pragma once

#include <QString>

#include "cli/CliCommand.h"
#include "upload/UploadQueueEntry.h"

namespace fv::cli {

class CliSession;
class LocalQueue;

class AddCommand final : public CliCommand {
  public:
    QString name() const override { return QStringLiteral("add"); }
    QString summary() const override {
        return QStringLiteral("Queues a .torrent or .nzb file and sends it to the router.");
    }
    void configure(QCommandLineParser& parser) const override;
    int positionalCount() const override { return 1; }
    int execute(const QCommandLineParser& parser, CliOutput& io) override;

    // Sends waiting entries up to `own` (every waiting one when null) and reports them;
    // shared with "fvctl queue --send".
    static int sendQueue(CliSession& session, const UploadQueueEntry* own, CliOutput& io);

  private:
    static int reportUnsent(const LocalQueue& queue, const UploadQueueEntry& own, int exitCode,
                            CliOutput& io);
    static int chooseEntry(const QCommandLineParser& parser, UploadQueueEntry& entry,
                           CliOutput& io);
};

}  // namespace fv::cli

#include "cli/AddCommand.h"

#include <QFileInfo>
#include <algorithm>

#include "cli/CliExit.h"
#include "cli/CliSession.h"
#include "cli/FileChoice.h"
#include "cli/LocalQueue.h"
#include "cli/UploadAnswer.h"
#include "platform/AppPaths.h"
#include "upload/FileSelectionModel.h"

namespace fv::cli {

void AddCommand::configure(QCommandLineParser& parser) const {
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A .torrent or .nzb file."));
    parser.addOption({QStringLiteral("files"),
                      QStringLiteral("Files of the torrent to download: \"all\" or IDs as "
                                     "\"fvctl torrent\" lists them, e.g. 0,2,5. Default: the "
                                     "media files, or the only file."),
                      QStringLiteral("choice")});
}

int AddCommand::chooseEntry(const QCommandLineParser& parser, UploadQueueEntry& entry,
                            CliOutput& io) {
    const QFileInfo file(parser.positionalArguments().value(0));
    if (!file.isFile()) {
        io.error(QStringLiteral("no such file: %1").arg(file.filePath()));
        return kExitBadInput;
    }
    FileSelectionModel model = FileSelectionModel::open(file.absoluteFilePath());
    if (model.formatError()) {
        io.error(model.title());
        return kExitBadInput;
    }
    if (parser.isSet(QStringLiteral("files"))) {
        const auto choice = FileChoice::parse(parser.value(QStringLiteral("files")));
        if (!choice) {
            io.error(QStringLiteral("--files takes \"all\" or IDs joined by commas, e.g. 0,2,5"));
            return kExitUsage;
        }
        const std::vector<int> unknown = choice->applyTo(model);
        if (!unknown.empty()) {
            io.error(QStringLiteral("the file has no entry with ID %1; see \"fvctl torrent\"")
                         .arg(unknown.front()));
            return kExitBadInput;
        }
    }
    const auto checked = model.checkedValue();
    if (!checked) {
        io.error(QStringLiteral("no file of the torrent is chosen; choose with --files"));
        return kExitBadInput;
    }
    entry =
        UploadQueueEntry{model.fileName(), UploadQueueEntry::kWaiting, *checked, model.fullPath()};
    return kExitOk;
}

int AddCommand::execute(const QCommandLineParser& parser, CliOutput& io) {
    CliSession session;
    QString error;
    if (!session.load(&error)) {
        io.error(error);
        return kExitLocalFiles;
    }
    UploadQueueEntry entry;
    if (const int code = chooseEntry(parser, entry, io); code != kExitOk)
        return code;
    if (!LocalQueue(session.core()).append(entry)) {
        io.error(
            QStringLiteral("the queue file cannot be written: %1").arg(AppPaths::taskFilePath()));
        return kExitLocalFiles;
    }
    io.line(QStringLiteral("%1: queued (%2)").arg(entry.FileName, entry.Checked));
    return sendQueue(session, &entry, io);
}

// Another fvctl may have sent the entry while this one waited for the send lock.
int AddCommand::reportUnsent(const LocalQueue& queue, const UploadQueueEntry& own, int exitCode,
                             CliOutput& io) {
    const auto entries = queue.entries();
    const auto same = std::find_if(entries.begin(), entries.end(),
                                   [&](const UploadQueueEntry& e) { return e.sameFile(own); });
    if (same == entries.end() || same->isDone()) {
        // The window drops done entries, so a missing one went out as well (or was deleted).
        io.line(QStringLiteral("%1: sent by another process").arg(own.FileName));
        return exitCode;
    }
    io.line(QStringLiteral("%1: not sent yet (still queued for the next send)").arg(own.FileName));
    return exitCode == kExitOk ? kExitOffline : exitCode;
}

int AddCommand::sendQueue(CliSession& session, const UploadQueueEntry* own, CliOutput& io) {
    LocalQueue queue(session.core());
    int exitCode = kExitOk;
    bool ownSent = false;
    for (const SentEntry& s : queue.send(own)) {
        const UploadAnswer answer =
            UploadAnswer::of(s.info.BtResult, !QFileInfo::exists(s.info.FullPath), io.texts());
        QString text = QStringLiteral("%1: %2").arg(s.info.FileName, answer.word);
        if (!answer.message.isEmpty())
            text += QStringLiteral(" - ") + answer.message;
        if (!answer.sent)
            text += QStringLiteral(" (still queued for the next send)");
        io.line(text);
        const bool isOwn =
            own && UploadQueueEntry{s.info.FileName, s.info.Status, s.info.Checked, s.info.FullPath}
                       .sameFile(*own);
        ownSent = ownSent || isOwn;
        if (isOwn || answer.exitCode != kExitOk)
            exitCode = answer.exitCode;
    }
    if (!ownSent && queue.otherSenderBusy()) {
        const QString what = own ? own->FileName : QStringLiteral("queue");
        io.line(QStringLiteral("%1: not sent yet: another process is sending the queue; what "
                               "waits stays queued and goes out after it")
                    .arg(what));
        return kExitSenderBusy;
    }
    if (own && !ownSent)
        return reportUnsent(queue, *own, exitCode, io);
    return exitCode;
}

}  // namespace fv::cli

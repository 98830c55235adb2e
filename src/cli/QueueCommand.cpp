#include "cli/QueueCommand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/AddCommand.h"
#include "cli/CliExit.h"
#include "cli/CliSession.h"
#include "cli/LocalQueue.h"
#include "platform/AppPaths.h"

namespace fv::cli {
namespace {

QByteArray asJson(const std::vector<UploadQueueEntry>& entries) {
    QJsonArray list;
    for (const auto& e : entries) {
        QJsonObject o;
        o["fileName"] = e.FileName;
        o["status"] = e.Status;
        o["checked"] = e.Checked;
        o["fullPath"] = e.FullPath;
        list.append(o);
    }
    return QJsonDocument(QJsonObject{{"queue", list}}).toJson(QJsonDocument::Indented);
}

void asText(const std::vector<UploadQueueEntry>& entries, CliOutput& io) {
    if (entries.empty()) {
        io.line(QStringLiteral("The upload queue is empty."));
        return;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        const auto& e = entries[i];
        io.line(QStringLiteral("%1  %2  %3  %4  %5")
                    .arg(QString::number(i).rightJustified(3), e.Status.leftJustified(12),
                         e.Checked.leftJustified(8), e.FileName, e.FullPath));
    }
}

}  // namespace

void QueueCommand::configure(QCommandLineParser& parser) const {
    parser.addOption({QStringLiteral("json"), QStringLiteral("Prints one JSON document.")});
    parser.addOption({QStringLiteral("remove"),
                      QStringLiteral("Deletes the entry at this position of the list (the "
                                     "window's Delete), e.g. a file the router cannot take."),
                      QStringLiteral("position")});
    parser.addOption(
        {QStringLiteral("send"), QStringLiteral("Sends the waiting files to the router first.")});
}

int QueueCommand::execute(const QCommandLineParser& parser, CliOutput& io) {
    int exitCode = kExitOk;
    if (parser.isSet(QStringLiteral("remove"))) {
        bool number = false;
        const int position = parser.value(QStringLiteral("remove")).toInt(&number);
        CliSession session;  // the queue alone: no settings needed
        if (!number || !LocalQueue(session.core()).remove(position)) {
            io.error(QStringLiteral("the queue has no entry at position \"%1\"")
                         .arg(parser.value(QStringLiteral("remove"))));
            return kExitBadInput;
        }
    }
    if (parser.isSet(QStringLiteral("send"))) {
        CliSession session;
        QString error;
        if (!session.load(&error)) {
            io.error(error);
            return kExitLocalFiles;
        }
        exitCode = AddCommand::sendQueue(session, nullptr, io);
    }
    bool damaged = false;
    const auto entries = LocalQueue::entriesOnDisk(&damaged);
    if (damaged) {
        io.error(QStringLiteral("the queue file cannot be read: %1").arg(AppPaths::taskFilePath()));
        return kExitLocalFiles;
    }
    if (parser.isSet(QStringLiteral("json")))
        io.out() << asJson(entries);
    else
        asText(entries, io);
    return exitCode;
}

}  // namespace fv::cli

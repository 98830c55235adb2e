#include "cli/StatusCommand.h"

#include <unistd.h>
#include <QEventLoop>
#include <QTimer>

#include "cli/CliExit.h"
#include "cli/CliSession.h"
#include "cli/LocalQueue.h"
#include "cli/TaskListFetch.h"
#include "cli/TaskListPrinter.h"
#include "platform/QuitOnSignals.h"

namespace fv::cli {
namespace {

constexpr int kMinWatchSeconds = 1;
constexpr int kMaxWatchSeconds = 3600;

// One read and print of the list; the exit code it would end with.
int showOnce(CliSession& session, bool json, CliOutput& io) {
    auto& gateway = session.gateway();
    const TaskListResult list = TaskListFetch::run(
        gateway, LocalQueue::rowsOnDisk(), [&] { return gateway.lastReply(); }, io.texts());
    if (list.failure) {
        if (json)
            io.out() << TaskListPrinter::jsonFailure(list.failure->message, list.failure->exitCode);
        io.error(list.failure->message);
        return list.failure->exitCode;
    }
    if (json)
        io.out() << TaskListPrinter::json(list.rows);
    else
        for (const QString& line : TaskListPrinter::table(list.rows, io.client()))
            io.line(line);
    for (const QString& id : list.unreadableProgress)
        io.error(QStringLiteral("task %1 reports a progress that is not a number").arg(id));
    return kExitOk;
}

}  // namespace

void StatusCommand::configure(QCommandLineParser& parser) const {
    parser.addOption({QStringLiteral("json"), QStringLiteral("Prints one JSON document.")});
    parser.addOption({QStringLiteral("watch"),
                      QStringLiteral("Reads and prints the list again every refresh interval "
                                     "until interrupted (Ctrl+C).")});
    parser.addOption({QStringLiteral("interval"),
                      QStringLiteral("With --watch: seconds between reads (1-3600) instead of the "
                                     "refresh interval of the settings."),
                      QStringLiteral("SECONDS")});
}

int StatusCommand::execute(const QCommandLineParser& parser, CliOutput& io) {
    const bool json = parser.isSet(QStringLiteral("json"));
    const bool watch = parser.isSet(QStringLiteral("watch"));
    int intervalMs = 0;
    if (parser.isSet(QStringLiteral("interval"))) {
        bool ok = false;
        const int seconds = parser.value(QStringLiteral("interval")).toInt(&ok);
        if (!watch || !ok || seconds < kMinWatchSeconds || seconds > kMaxWatchSeconds) {
            io.error(QStringLiteral("--interval takes whole seconds from %1 to %2, with --watch")
                         .arg(kMinWatchSeconds)
                         .arg(kMaxWatchSeconds));
            return kExitUsage;
        }
        intervalMs = seconds * 1000;
    }
    CliSession session;
    QString error;
    if (!session.load(&error)) {
        if (json)
            io.out() << TaskListPrinter::jsonFailure(error, kExitLocalFiles);
        io.error(error);
        return kExitLocalFiles;
    }
    if (!watch)
        return showOnce(session, json, io);

    if (intervalMs == 0)
        intervalMs =
            std::max(kMinWatchSeconds * 1000, session.records().connection().RefreshIntervalMs);
    // A terminal is redrawn in place; a pipe or file gets one list after another.
    const bool terminal = !json && isatty(STDOUT_FILENO) == 1;
    QEventLoop loop;
    bool interrupted = false;
    QuitOnSignals quit([&](int) {
        interrupted = true;
        loop.quit();
    });
    int code = kExitOk;
    bool first = true;
    // The signal handler ends the wait; the loop looks at its flag after each one.
    while (!interrupted) {
        if (terminal)
            io.out() << "\x1b[H\x1b[2J";
        else if (!first)
            io.line(QString());
        first = false;
        code = showOnce(session, json, io);
        io.flush();
        QTimer::singleShot(intervalMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return code;
}

}  // namespace fv::cli

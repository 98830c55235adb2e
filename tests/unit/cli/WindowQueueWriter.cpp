// The window's writers of FVTask.xml and FVSetup.xml without its widgets, for the crash test
// that kills it at random moments: the client's own assembly (as `ferrovane` builds it) takes
// each torrent named on the command line as the selection window's OK does, changing the
// refresh interval as the setup page's "Change" does after each, and then goes on changing it;
// it says so on stdout after each step.
// It never sends (its timers are never fired) and runs until it is killed.
//
//     fv_window_queue_writer FILE.torrent... (FV_DATA_DIR names the data folder)
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QThread>
#include <cstdio>

#include "app/ClientCore.h"
#include "platform/AppPaths.h"
#include "platform/Timer.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    fv::ClientCore::Options options;
    options.makeTimer = [](int ms) { return std::make_unique<fv::ManualTimer>(ms); };
    fv::ClientCore core(std::move(options));
    if (!core.loadSettingsFile())
        return 10;
    core.commitConnectionAtStart();
    core.queue().openTaskFile(fv::AppPaths::taskFilePath());
    const QStringList files = QCoreApplication::arguments().mid(1);
    int step = 0;
    const auto changeRefresh = [&] {
        core.setupForm().setText(QStringLiteral("EditAufresh_Setup"),
                                 QString::number(5 + (step++ * 7) % 170));
        core.changeRefreshInterval();
        std::printf("refresh\n");
        std::fflush(stdout);
    };
    for (const QString& path : files) {
        const QString name = QFileInfo(path).fileName();
        core.queueFile(name, QStringLiteral("All"), path);
        core.confirmQueued();
        std::printf("added %s\n", qPrintable(name));
        std::fflush(stdout);
        changeRefresh();
    }
    for (;;) {
        changeRefresh();
        QThread::msleep(1);
    }
}

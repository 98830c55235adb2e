// Program entry: one client per user. A later start hands its file to the running client
// and ends; the first start creates the main window and runs the start-up steps.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <stdexcept>

#include "app/DisplayCheck.h"
#include "app/MainWindowStartup.h"
#include "app/ProgramEntry.h"
#include "platform/AppPaths.h"
#include "platform/DebugLog.h"
#include "platform/QuitOnSignals.h"
#include "platform/SingleInstance.h"
#include "ui/main/RunningClient.h"

namespace {

int runClient(QApplication& app, fv::SingleInstance& instance) {
    fv::ui::RunningClient client(fv::StartupEnvironment::system(), app.arguments());
    if (!client.start())
        return 1;
    client.acceptHandOffs(instance);
    // Log-out and Ctrl+C end the loop like the exit command, so the queue is saved.
    fv::QuitOnSignals quitOnSignals([&](int) { client.startup().requestExit(); });
    client.window().show();
    const int code = app.exec();
    client.finish();
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    if (!fv::DisplayCheck::usable(fv::DisplayCheck::current())) {
        std::fputs(fv::DisplayCheck::hint(QStringLiteral("ferrovane")).toLocal8Bit().constData(),
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ferrovane"));
    // Ties the windows and the tray icon to the installed menu entry (its name and icon in
    // task bars, Wayland's application id).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.ferrovane.Ferrovane"));
    try {
        if (const QString problem = fv::AppPaths::dataFolderProblem(); !problem.isEmpty())
            throw std::runtime_error(problem.toStdString());
        fv::SingleInstance instance;
        const fv::ProgramEntry::Result entry = fv::ProgramEntry::run(instance, app.arguments());
        if (!entry.runClient) {
            if (!entry.message.isEmpty())
                std::fprintf(stderr, "ferrovane: %s\n", entry.message.toLocal8Bit().constData());
            return entry.exitCode;
        }
        return runClient(app, instance);
    } catch (const std::exception& e) {
        fv::DebugLog::write(std::string("ferrovane: ") + e.what());
        std::fprintf(stderr, "ferrovane: %s\n", e.what());
        // Nobody could close a box on the offscreen platform (tests, scripts).
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            QMessageBox::critical(nullptr, QStringLiteral("The New Ferrovane"),
                                  QString::fromLocal8Bit(e.what()));
    } catch (...) {
        fv::DebugLog::write("ferrovane: unknown start-up failure");
        std::fputs("ferrovane: unknown start-up failure\n", stderr);
    }
    // Reaching here means start-up failed; callers (scripts, the desktop) must see it.
    return 1;
}

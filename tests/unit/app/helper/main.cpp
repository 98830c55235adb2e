// Test helper: fv_instance_helper [path]
// First instance: prints "FIRST", then "HANDOFF:<path>" and "RESTORE" for what it receives,
// and ends after the first restore (or after FV_HELPER_SERVE_MS, default 10 s).
// Second instance: hands the path over and prints "SECOND reached=<0|1> handed=<0|1>" and
// any error. The folder comes from FV_DATA_DIR, like the client's.
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

#include "platform/SingleInstance.h"

namespace {

void say(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString path = app.arguments().value(1);
    fv::SingleInstance instance;
    if (instance.start() == fv::SingleInstance::Role::Second) {
        const fv::SingleInstance::Outcome outcome = instance.handToRunning(path, 10000);
        say(QStringLiteral("SECOND reached=%1 handed=%2")
                .arg(int(outcome.reached))
                .arg(int(outcome.handedOver)));
        if (!outcome.error.isEmpty())
            say(QStringLiteral("ERROR:") + outcome.error);
        return 0;
    }
    instance.setHandOffHandler([](const QString& p) { say(QStringLiteral("HANDOFF:") + p); });
    instance.setRestoreHandler([&app] {
        say(QStringLiteral("RESTORE"));
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    });
    say(instance.listening() ? QStringLiteral("FIRST") : QStringLiteral("FIRST-NOT-LISTENING"));
    bool ok = false;
    const int serveMs = qEnvironmentVariableIntValue("FV_HELPER_SERVE_MS", &ok);
    QTimer::singleShot(ok ? serveMs : 10000, &app, &QCoreApplication::quit);
    return app.exec();
}

// The version check one second after start (TimerAtBeginTimer): a run for the version info
// only; when it names a newer version than the one the About page shows, the update window
// opens as "Check version" opens it (and checks again on its own). It never shows an error.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "app/VersionCheckStarter.h"
#include "update/UpdateSite.h"

namespace fv {

class StartupVersionCheck final : public QObject, public VersionCheckStarter {
    Q_OBJECT

  public:
    struct Context {
        std::function<bool()> ticked;           // ChkBox_ChkVerAtStart_About
        std::function<QString()> shownVersion;  // LabVersionValue_Setup
        std::function<void()> openUpdateWindow;
        std::function<UpdateSite()> site = [] { return UpdateSite::configured(); };
    };

    explicit StartupVersionCheck(Context context, QObject* parent = nullptr)
        : QObject(parent), context_(std::move(context)) {}

    bool checkAtStartTicked() const override { return context_.ticked && context_.ticked(); }
    void startVersionCheck() override;

  signals:
    // The run ended; opened tells whether the update window was asked for.
    void checked(bool opened);

  private:
    Context context_;
};

}  // namespace fv

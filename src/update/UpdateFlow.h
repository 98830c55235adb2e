// TFormUpdate without its widgets: the chain of runs (version info -> release note ->
// waiting for the user -> package), the texts the window's labels show, the Update button's
// state, the animation timer Timer_ChkVer_Update and the progress bar's values. The window
// binds its widgets to form() by objectName and forwards its show, Update and close.
//
// The stage stands for the original's update-requested flag: Downloading is the run that
// Update started, and closing the window leaves it.
//
// UI thread only. A run in progress when the flow goes away is cancelled; its end is dropped.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "i18n/ClientTexts.h"
#include "i18n/MessageTexts.h"
#include "platform/FormState.h"
#include "update/UpdateSite.h"
#include "update/VersionCheck.h"
#include "update/VersionText.h"

namespace fv {

class Timer;

class UpdateFlow final : public QObject {
    Q_OBJECT

  public:
    struct Context {
        QString currentVersion;  // the About page's version text
        UpdateSite site;
        bool simplifiedChinese = false;
        QString architecture;    // Debian's name, for the package's file name
        QString downloadFolder;  // where a verified package is kept
        // Hands the kept package to the desktop's handler; false when none could start.
        std::function<bool(const QString& path)> openPackage;
    };

    enum class Stage { Idle, Checking, Note, Waiting, Downloading, Done };

    UpdateFlow(Context context, Timer& animation, QObject* parent = nullptr);
    ~UpdateFlow() override;

    FormState& form() { return form_; }
    void setTexts(const MessageTexts& messages, const ClientTexts& client);

    // The window's show handler: resets the window and starts the version-info run.
    void formShow();
    // The Update button.
    void updateClicked();
    // Cancel, the close image or the window's closing: the current run is abandoned.
    void closed();

    Stage stage() const { return stage_; }
    bool online() const { return online_; }
    const PublishedVersion& published() const { return published_; }
    QString packagePath() const;
    std::int64_t progressValue() const { return progressValue_; }
    std::int64_t progressMaximum() const { return progressMaximum_; }

  signals:
    void progressChanged(std::int64_t value, std::int64_t maximum);
    // A run ended and the window shows its outcome.
    void runEnded();

  private:
    void startRun(VersionCheckJob job);
    void runDone(const VersionCheckResult& result);
    void versionPass(const VersionCheckResult& result);
    void notePass(const VersionCheckResult& result);
    void packagePass(const VersionCheckResult& result);
    void animationTick();
    void showMessage(const QString& text);
    void onProgress(std::int64_t received, std::int64_t expected);

    Context context_;
    Timer& animation_;
    FormState form_;
    MessageTexts messages_;
    ClientTexts client_;
    Stage stage_ = Stage::Idle;
    PublishedVersion published_;
    QString releaseNoteName_;
    QString packageName_;
    bool online_ = false;
    int counter_ = 0;
    std::shared_ptr<std::atomic<bool>> cancel_;
    // Each run's end carries its number; ends of abandoned runs are dropped.
    int run_ = 0;
    std::int64_t progressValue_ = 0;
    std::int64_t progressMaximum_ = 0;
};

}  // namespace fv

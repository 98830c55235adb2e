// The set-up wizard inside the setup area (`StartSetupWizard` and its buttons): the welcome
// page with the agreement, the account page whose Next runs the detection under the busy
// overlay, the address page with its address test, and the completion page; Finish applies
// and saves the connection, Skip leaves without saving anything.
//
// UI thread only.
#pragma once

#include <QString>
#include <functional>

#include "app/ClientCore.h"
#include "app/ServerDetection.h"
#include "app/SetupAreaFlow.h"
#include "settings/WizardFieldRules.h"

namespace fv {

class WizardFlow {
  public:
    struct Hooks {
        // The busy overlay over the window while the detection runs.
        std::function<void()> showBusy;
        // The default browser, for the router's application installation page.
        std::function<void(const QString& url)> openUrl;
    };

    WizardFlow(ClientCore& core, SetupAreaFlow& setup, ServerDetection& detection, Hooks hooks);

    void start();            // StartSetupWizard
    void startFromButton();  // Btn_SetupWizard_SetupClick
    void next();
    void previous();
    void skip();
    void finish();
    // The busy overlay gave up (61 ticks without the detection ending): back to the address
    // page with Finish.
    void detectionGaveUp();

    bool showing() const { return showing_; }
    // 0 to 3 while the wizard shows, -1 otherwise.
    int page() const;
    // Which caption the OK and Apply panels show decides what a click on them does.
    bool nextShowing() const;
    bool finishShowing() const;
    bool previousShowing() const;

  private:
    void showPage(int page);
    void takeAddressPageValues();
    void agreementChanged();
    void testAddress();
    void addressTested(bool found);
    void normalButtons();

    ClientCore& core_;
    SetupAreaFlow& setup_;
    ServerDetection& detection_;
    Hooks hooks_;
    WizardFieldRules rules_;
    bool showing_ = false;
};

}  // namespace fv

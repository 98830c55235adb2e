// The setup area's flow over the client core, without its widgets: entering the area (the
// refresh stops, the document is read again, the router's BitTorrent and NZB settings are
// read into their pages), the tabs, "Apply" on each page (the connection committed and
// saved, the BitTorrent or NZB page checked and written to the router, the About page
// saved) and "OK" (back to the task list, the refresh restarting). The window that shows
// the area binds its widgets to the core's setup form and calls these handlers.
//
// UI thread only.
#pragma once

#include <QString>
#include <functional>

#include "app/ClientCore.h"

namespace fv {

class SetupAreaFlow {
  public:
    enum class Page { Connection, BitTorrent, Nzb, About };

    struct Hooks {
        // The window's list drawing (TimerBlackLV), stopped while the area shows.
        std::function<void(bool on)> listDrawing;
        // A warning box of the window that applied the page.
        std::function<void(const QString& caption, const QString& text)> warn;
        // The window switches between the task list and the setup area.
        std::function<void(bool setupShowing)> showSetup;
    };

    // The tab sheets' object names, as the page control reports the page showing.
    static QString sheetName(Page page);

    SetupAreaFlow(ClientCore& core, Hooks hooks);

    void enter();  // EnterSetupPages
    void selectPage(Page page);
    Page page() const { return page_; }
    bool showing() const { return showing_; }
    void apply();  // BtnApply_SetupClick
    void ok();     // lab_Setup_OK_TextClick
    // BtnTest_SetupClick: the login and the service test, reporting on the page.
    void connectionTest();
    // The wizard's Finish: the connection record from its page and "ConColumn" saved, the
    // session kept, then the rest of "OK".
    void finishWizard();
    // Back to the task list without applying anything (the wizard's Skip).
    void returnToTaskList();

  private:
    void applyConnection(bool connectionPage);
    void applyBitTorrent();
    bool applyNzb();
    void applyAbout();
    // The NZB page's checks in order; the first failing one's text, empty when all pass.
    QString nzbProblem() const;
    void writeToRouter(int kind);

    ClientCore& core_;
    Hooks hooks_;
    Page page_ = Page::Connection;
    bool showing_ = false;
};

}  // namespace fv

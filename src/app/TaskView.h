// The "View" action (the original's View_LVPopUp_MainClick and GetWebDavDirThreadDone): opens
// the selected task's file or folder. Local mode checks the smb:// target on the share and
// hands it to the desktop's handler, or tells "Download Path has been changed."; remote mode
// asks the router for a share link over TLS and opens it in the browser.
//
// Unlike the original, each share-link request starts with no link (a failed request never
// opens an earlier one), a second View while a request runs is refused, and the router's TLS
// key is pinned on first use (CertificatePins). UI thread only; the look-ups run on the runner.
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "app/CertificatePins.h"
#include "app/ShareEntryCheck.h"
#include "app/ShareLinkFetch.h"
#include "app/TaskViewAction.h"
#include "i18n/MessageTexts.h"
#include "platform/DesktopOpener.h"
#include "tasks/RefreshState.h"
#include "tasks/TaskListModel.h"

namespace fv {

class TaskView final : public TaskViewAction {
  public:
    struct Outcome {
        enum class Kind { Nothing, Opened, Informed, Refused };
        Kind kind = Kind::Nothing;
        QString url;   // Opened: what the desktop handler got
        QString text;  // Informed: the message shown
    };
    using Finished = std::function<void(const Outcome&)>;
    using Inform = std::function<void(const QString& caption, const QString& text)>;

    struct Deps {
        TaskListModel* model = nullptr;
        std::shared_ptr<RefreshState> state;
        SettingsRecords* records = nullptr;
        std::shared_ptr<GeneralSettingsValues> general;
        TaskRunner* runner = nullptr;
        ShareEntryCheck* share = nullptr;
        std::function<QString()> localHost;
        const MessageTexts* texts = nullptr;
        QString pinFile;
        ShareLinkFetch::Exchange exchange;  // the real TLS exchange unless replaced
    };

    explicit TaskView(Deps deps);

    // The desktop's handler (xdg-open) and the message box unless replaced.
    void setOpener(DesktopOpener::Open open) { open_ = std::move(open); }
    void setInform(Inform inform) { inform_ = std::move(inform); }

    void setOpensFolder(bool opensFolder) override { opensFolder_ = opensFolder; }
    bool opensFolder() const { return opensFolder_; }
    // View on the list's selected row.
    void view() override;
    // View on a task given by name and status (fvctl); finished gets what happened.
    void viewTask(const QString& name, const QString& status, Finished finished = {});
    bool shareLinkRunning() const { return shareLinkRunning_; }

    // The tray's hidden items: the download folder on the share, the router's own page.
    void openSambaFolder();
    void openVeyra();

  private:
    void viewLocal(const QString& name, bool finished, Finished done);
    void viewRemote(bool finished, Finished done);
    void onShareLink(const ShareLinkFetch::Result& result, const QString& address,
                     const QString& router, bool pinned, Finished done);
    void opened(const QString& url, const Finished& done);
    void informed(const QString& text, const Finished& done);

    Deps deps_;
    CertificatePins pins_;
    DesktopOpener::Open open_;
    Inform inform_;
    bool opensFolder_ = false;
    bool shareLinkRunning_ = false;
};

}  // namespace fv

// What the start-up logic needs from the main window itself. The window implements it by
// setting its controls; tests record the calls.
#pragma once

#include <QString>
#include <QStringList>

namespace fv {

class MainWindowView {
  public:
    virtual ~MainWindowView() = default;

    virtual void setWindowCaption(const QString& caption) = 0;
    virtual void setTaskListColumns(const QStringList& captions) = 0;
    // The About page's version label.
    virtual void setVersionLabel(const QString& text) = 0;
    // Lab_ConnectStatus_Main
    virtual void setConnectStatus(const QString& text) = 0;
    virtual void showOfflineIndicator() = 0;
    // Refresh-interval edit and its spin button next to their title.
    virtual void layoutRefreshEdit() = 0;
    // Whether a top-level window with exactly this title is open (a message box, say).
    virtual bool hasTopLevelWindowTitled(const QString& title) const = 0;
    virtual void closeWindow() = 0;
};

}  // namespace fv

// Binds the start-up logic to the main window widget: MainWindowView over its controls (by
// object name) and the start-up hooks of capabilities that are not wired into the program
// yet. Kept small on purpose: the full main window wiring replaces the hooks as the queue,
// settings, language and wizard windows are connected.
#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

#include "app/MainWindowView.h"
#include "app/StartupHooks.h"

namespace fv::ui {

class MainWindowShell final : public MainWindowView, public StartupHooks {
  public:
    explicit MainWindowShell(QWidget& window) : window_(window) {}

    // MainWindowView
    void setWindowCaption(const QString& caption) override;
    void setTaskListColumns(const QStringList& captions) override;
    void setVersionLabel(const QString& text) override;
    void setConnectStatus(const QString& text) override;
    void showOfflineIndicator() override;
    void layoutRefreshEdit() override;
    bool hasTopLevelWindowTitled(const QString& title) const override;
    void closeWindow() override;

    // StartupHooks: each writes a log line saying the capability is not connected here yet.
    void initTaskFile(const QString& taskFilePath) override;
    void saveTaskFile() override;
    void closeTaskFile() override;
    void addFileToQueue(const QString& path) override;
    void loadSetupXml(const QString& setupFilePath) override;
    void prepareDrawing() override;
    void applyLanguage(const QString& languageName) override;
    void startSetupWizard() override;

    // How the window shows its offline picture.
    void setOfflineIndicator(std::function<void()> show) { showOffline_ = std::move(show); }

    // Restores a minimized window without making it the foreground window.
    void restore();

    const QStringList& taskListColumns() const { return columns_; }
    const QString& versionText() const { return version_; }

  private:
    QWidget& window_;
    QStringList columns_;
    QString version_;
    std::function<void()> showOffline_;
};

}  // namespace fv::ui

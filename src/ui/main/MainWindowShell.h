// Binds the start-up logic to the main window widget: MainWindowView over its controls,
// found by object name. The start-up hooks of the other capabilities are ClientWiring's.
#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

#include "app/MainWindowView.h"

namespace fv::ui {

class MainWindowShell final : public MainWindowView {
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

#include "MainWindowShell.h"

#include <QApplication>
#include <QLabel>

namespace fv::ui {
void MainWindowShell::setWindowCaption(const QString& caption) {
    window_.setWindowTitle(caption);
}

void MainWindowShell::setTaskListColumns(const QStringList& captions) {
    columns_ = captions;  // the task list model reads them from here
}

void MainWindowShell::setVersionLabel(const QString& text) {
    version_ = text;
    // The About page lives in the setup window; it is found wherever it has been created.
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* label = top->findChild<QLabel*>(QStringLiteral("LabVersionValue_Setup")))
            label->setText(text);
}

void MainWindowShell::setConnectStatus(const QString& text) {
    if (auto* label = window_.findChild<QLabel*>(QStringLiteral("Lab_ConnectStatus_Main")))
        label->setText(text);
}

void MainWindowShell::showOfflineIndicator() {
    if (showOffline_)
        showOffline_();
}

void MainWindowShell::layoutRefreshEdit() {}  // the window lays out its own controls

bool MainWindowShell::hasTopLevelWindowTitled(const QString& title) const {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->windowTitle() == title)
            return true;
    return false;
}

void MainWindowShell::closeWindow() {
    window_.close();
}

void MainWindowShell::restore() {
    window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    window_.show();
}

}  // namespace fv::ui

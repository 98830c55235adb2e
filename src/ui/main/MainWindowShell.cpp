#include "MainWindowShell.h"

#include <QApplication>
#include <QLabel>

#include "platform/DebugLog.h"

namespace fv::ui {
namespace {

void notWired(const QString& step) {
    DebugLog::write(QStringLiteral("MainWindowShell: ") + step +
                    QStringLiteral(" is not connected yet"));
}

}  // namespace

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

void MainWindowShell::initTaskFile(const QString& taskFilePath) {
    notWired(QStringLiteral("InitTaskFile(") + taskFilePath + ')');
}

void MainWindowShell::saveTaskFile() {
    notWired(QStringLiteral("SaveTaskFile"));
}

void MainWindowShell::closeTaskFile() {}

void MainWindowShell::addFileToQueue(const QString& path) {
    notWired(QStringLiteral("AddFileToQueue(") + path + ')');
}

void MainWindowShell::loadSetupXml(const QString& setupFilePath) {
    notWired(QStringLiteral("LoadSetupXML(") + setupFilePath + ')');
}

void MainWindowShell::prepareDrawing() {}  // the window draws its own skin

void MainWindowShell::applyLanguage(const QString& languageName) {
    notWired(QStringLiteral("ApplyLanguage(") + languageName + ')');
}

void MainWindowShell::startSetupWizard() {
    notWired(QStringLiteral("StartSetupWizard"));
}

}  // namespace fv::ui

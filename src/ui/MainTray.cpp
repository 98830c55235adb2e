#include "ui/MainTray.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

#include "ui/Skin.h"

namespace fv::ui {

namespace {
QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(Skin::pixmap(Skin::Picture::Logo, QSize(size, size), 2.0));
    return icon;
}
}  // namespace

MainTray::MainTray(QObject* parent) : QObject(parent), menu_(new QMenu) {
    auto add = [this](const QString& name, const QString& text, bool visible) {
        QAction* a = menu_->addAction(text);
        a->setObjectName(name);
        a->setVisible(visible);
        return a;
    };
    connect(add(QStringLiteral("Show_TrayPopup_Main"), QStringLiteral("Show"), true),
            &QAction::triggered, this, &MainTray::showRequested);
    connect(add(QStringLiteral("Veyra_TrayPopup_Main"), QStringLiteral("Veyra"), false),
            &QAction::triggered, this, &MainTray::veyraRequested);
    connect(add(QStringLiteral("Samba_TrayPopup_Main"), QStringLiteral("Samba"), false),
            &QAction::triggered, this, &MainTray::sambaRequested);
    menu_->addSeparator();
    connect(add(QStringLiteral("Exit_TrayPopup_Main"), QStringLiteral("Exit"), true),
            &QAction::triggered, this, &MainTray::exitRequested);
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    icon_ = new QSystemTrayIcon(appIcon(), this);
    icon_->setObjectName(QStringLiteral("TrayIcon_Main"));
    icon_->setContextMenu(menu_);
    icon_->setToolTip(QStringLiteral("The New Ferrovane"));
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger)
            emit clicked();
    });
    icon_->show();
}

MainTray::~MainTray() {
    delete menu_;
}

QAction* MainTray::action(const QString& objectName) const {
    return menu_->findChild<QAction*>(objectName);
}

void MainTray::setSummary(const QString& speeds) {
    toolTip_ = QStringLiteral("The New Ferrovane\n") + speeds;
    if (icon_)
        icon_->setToolTip(toolTip_);
}

void MainTray::notifyFinished(const QStringList& names) {
    if (!icon_ || names.isEmpty() || !QSystemTrayIcon::supportsMessages())
        return;
    icon_->showMessage(finishedTitle_, names.join(QLatin1Char('\n')), QSystemTrayIcon::Information,
                       8000);
}

void MainTray::setShowText(const QString& text) {
    action(QStringLiteral("Show_TrayPopup_Main"))->setText(text);
}

void MainTray::setExitText(const QString& text) {
    action(QStringLiteral("Exit_TrayPopup_Main"))->setText(text);
}

}  // namespace fv::ui

#include "ui/MainTray.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

#include "ui/Skin.h"

namespace fv::ui {

QIcon MainTray::appIcon() {
    // The installed theme's icon by name, which a StatusNotifier host draws itself at its own
    // size; the skin's logo where the icon is not installed (the build tree, the tests).
    QIcon drawn;
    for (int size : {16, 22, 24, 32, 48, 64})
        drawn.addPixmap(Skin::pixmap(Skin::Picture::Logo, QSize(size, size), 2.0));
    return QIcon::fromTheme(QLatin1String(kIconName), drawn);
}

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
    // The icon object exists also without a notification area (its activation and menu are
    // the same everywhere); it is only shown where a host draws it.
    icon_ = new QSystemTrayIcon(appIcon(), this);
    icon_->setObjectName(QStringLiteral("TrayIcon_Main"));
    icon_->setContextMenu(menu_);
    icon_->setToolTip(QStringLiteral("The New Ferrovane"));
    // Trigger is the primary click (a StatusNotifier host's Activate); the menu comes by
    // itself on Context, and a double click already brought a Trigger first.
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger)
            emit clicked();
    });
    if (available())
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
    icon_->setToolTip(toolTip_);
}

bool MainTray::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void MainTray::notifyFinished(const QStringList& names) {
    if (!available() || names.isEmpty() || !QSystemTrayIcon::supportsMessages())
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

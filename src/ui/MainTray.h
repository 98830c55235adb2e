// The notification-area icon with its "Show" and "Exit" menu (and the hidden "Samba" and
// "Veyra" items), the speed tooltip and the finished-task notice. Qt speaks the desktop's
// StatusNotifier protocol where a host runs and falls back to the XEmbed tray; where there is
// neither, the icon waits unseen and the menu still exists.
#pragma once

#include <QObject>
#include <QStringList>

class QAction;
class QIcon;
class QMenu;
class QSystemTrayIcon;

namespace fv::ui {

class MainTray : public QObject {
    Q_OBJECT

  public:
    explicit MainTray(QObject* parent = nullptr);
    ~MainTray() override;

    static constexpr const char* kIconName = "com.ferrovane.Ferrovane";
    // The application's icon: the theme's by name, else the skin's logo.
    static QIcon appIcon();

    // Whether the desktop shows notification-area icons now.
    bool available() const;
    QSystemTrayIcon* icon() const { return icon_; }
    QMenu* menu() const { return menu_; }
    QAction* action(const QString& objectName) const;
    void setSummary(const QString& speeds);
    QString toolTip() const { return toolTip_; }
    void notifyFinished(const QStringList& names);
    void setShowText(const QString& text);
    void setExitText(const QString& text);
    // The title of the finished-task notice.
    void setFinishedTitle(const QString& text) { finishedTitle_ = text; }

  signals:
    void clicked();
    void showRequested();
    void exitRequested();
    // The hidden items; nothing in the program shows them.
    void sambaRequested();
    void veyraRequested();

  private:
    QMenu* menu_;
    QSystemTrayIcon* icon_ = nullptr;
    QString toolTip_;
    QString finishedTitle_ = QStringLiteral("Download finished");
};

}  // namespace fv::ui

// The main window: frameless and rounded, with its own title, minimize and close, the eight
// image buttons, the five-line task list, the connection and upload status lines, the
// refresh-interval field, the tray icon, the task menu and file drops. It shows what the
// models hold and forwards what the user asks for; the decisions live below ui.
#pragma once

#include <QFont>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "app/LayoutState.h"
#include "app/SpeedHistory.h"
#include "app/TransferDigest.h"
#include "i18n/ClientTexts.h"
#include "i18n/MessageTexts.h"
#include "platform/Clock.h"
#include "platform/Timer.h"
#include "tasks/TaskFilter.h"

class QLabel;
class QLineEdit;

namespace fv {
class FormState;
class TextSet;
class TaskListControl;
class TaskViewAction;
class ShareLookup;
}  // namespace fv

namespace fv::ui {

class FormBinder;
class ImageButton;
class MainTray;
class SkinImage;
class SetupArea;
class SkinnedTaskList;
class SpeedPlot;
class TaskFilterBar;
class TaskMenuWindow;

class MainWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 683;
    static constexpr int kHeight = 430;
    static constexpr int kRadius = 15;
    static constexpr int kHeaderHeight = 46;

    // The eight command buttons in their order on the window.
    static const std::array<const char*, 8> kButtonNames;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The main window's controls (labels, buttons) and, when given, the setup controls shown
    // here (the refresh interval and its "Change" button).
    void bindForms(FormState& main, FormState* setup);
    // Before the forms go away: the widgets stop writing into them.
    void releaseForms();
    // The rows to draw; call rowsChanged() after each change of the model.
    void setTaskList(TaskListControl* list);
    void rowsChanged();
    void setViewAction(TaskViewAction* action) { viewAction_ = action; }
    void setShareLookup(ShareLookup* share) { share_ = share; }
    void setRemoteMode(std::function<bool()> isRemote) { isRemote_ = std::move(isRemote); }
    // Asks before Delete removes a task; a message box unless replaced (tests).
    void setConfirm(std::function<bool(const QString&)> confirm) { confirm_ = std::move(confirm); }

    SkinnedTaskList* taskList() const { return list_; }
    TaskFilterBar* filterBar() const { return filterBar_; }
    SpeedPlot* speedPlot() const { return plot_; }
    const SpeedHistory& speedHistory() const { return history_; }
    // The clock the speed history stamps its samples with (tests move one by hand).
    void setClock(const Clock* clock) { clock_ = clock ? clock : &steadyClock_; }
    // A refresh delivered a new list: one sample of the totals the tray shows.
    void recordSpeeds();
    // Position, column widths and filter as they are now (the sort is the model's).
    LayoutState layoutState() const;
    // An earlier run's layout: the position only when a screen still shows the window.
    void restoreLayout(const LayoutState& state);
    SetupArea* setupArea() const { return setupArea_; }
    // The setup area covers the task-list page while it shows.
    void showSetupArea(bool on);
    TaskMenuWindow* tableView() const { return tableView_; }
    MainTray* tray() const { return tray_; }
    Timer& timerBlackLV() { return *timerBlackLV_; }
    bool closeRequested() const { return closeRequested_; }

    // Tray and window commands, named as the original's handlers.
    void toggleFromTray();
    void showFromTray();
    void exitFromTray();
    void bringToFront();
    // Opens the task menu for drawn line n (1-5) at the pointer's screen position.
    void openTaskMenu(int lineNumber, QPoint globalPos);
    // Shows the connection state pictures (Img_Connected_Main / Img_DisConnected_Main).
    void showOnline(bool online);
    // The language's texts into the window's controls, the setup area's and the tray menu's
    // (ApplyLanguage's main-window block), with the Japanese font rule.
    void applyTexts(const TextSet& texts);
    const ClientTexts& clientTexts() const { return client_; }

  signals:
    void filesDropped(const QStringList& paths);
    // The tray's hidden "Samba" and "Veyra" items.
    void sambaRequested();
    void veyraRequested();
    // Raised each time the window becomes visible (FormShow).
    void formShown();
    // The user changed the search text or the status choice.
    void filterChanged(const TaskFilter& filter);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // How a control follows a window larger than the skin's size.
    enum class Anchor { Right, BelowList, BelowListRight, Bottom };
    struct Anchored {
        QWidget* widget;
        QRect geometry;  // at the skin's size
        Anchor anchor;
    };

    void layoutForSize();
    int listLines() const;
    void updatePlotRoom();
    Qt::Edges resizeEdges(QPoint pos) const;
    void buildHeader();
    void buildButtons();
    void buildStatus();
    void layoutStatusLine(const QString& title);
    QLabel* addLabel(const QString& name, const QString& text, const QRect& geometry);
    void startMove(QMouseEvent* event);
    void resetButtons();
    void onMenuEntry(int entry);
    void onView();
    void onRemoveKey();

    TaskListControl* rows_ = nullptr;
    TaskViewAction* viewAction_ = nullptr;
    ShareLookup* share_ = nullptr;
    std::function<bool()> isRemote_;
    std::function<bool(const QString&)> confirm_;
    std::unique_ptr<Timer> timerBlackLV_;
    TransferDigest digest_;
    SpeedHistory history_;
    SteadyClock steadyClock_;
    const Clock* clock_ = &steadyClock_;

    SkinnedTaskList* list_ = nullptr;
    TaskFilterBar* filterBar_ = nullptr;
    SpeedPlot* plot_ = nullptr;
    SetupArea* setupArea_ = nullptr;
    TaskMenuWindow* tableView_ = nullptr;
    MainTray* tray_ = nullptr;
    std::array<ImageButton*, 8> buttons_{};
    ImageButton* changeButton_ = nullptr;
    SkinImage* logo_ = nullptr;
    SkinImage* minimize_ = nullptr;
    SkinImage* close_ = nullptr;
    QLabel* title_ = nullptr;
    SkinImage* online_ = nullptr;
    SkinImage* offline_ = nullptr;
    QLineEdit* refreshEdit_ = nullptr;
    FormState* mainForm_ = nullptr;
    FormState* setupForm_ = nullptr;
    MessageTexts messages_;
    ClientTexts client_;
    FormBinder* mainBinder_ = nullptr;
    FormBinder* setupBinder_ = nullptr;
    bool closeRequested_ = false;
    bool manualMove_ = false;
    Qt::Edges manualResize_;
    QSize resizeFrom_;
    std::vector<Anchored> anchors_;
    // The width of each anchored label's text, as last measured.
    struct MeasuredText {
        QString text;
        QFont font;
        int width = -1;
    };
    std::vector<MeasuredText> textWidths_;
    // Which opening of the task menu a share check answers; older answers are dropped.
    int menuOpening_ = 0;
    QPoint moveOffset_;
};

}  // namespace fv::ui

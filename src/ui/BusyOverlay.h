// The busy overlay shown while the wizard detects the router: a dark panel with a spinning
// picture and "connecting..." that closes itself once the detection ends, or gives up after
// 61 ticks of Timer_CheckItOut.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "app/BusyOverlayTicker.h"
#include "platform/Timer.h"

class QLabel;
class QTimer;

namespace fv::ui {

class BusyOverlay : public QWidget {
    Q_OBJECT

  public:
    // mainWindow is disabled while the overlay shows. timer: Timer_CheckItOut (a Qt timer
    // when null).
    explicit BusyOverlay(QWidget* mainWindow, std::unique_ptr<Timer> timer = nullptr);
    ~BusyOverlay() override;

    // The detection flow clears this when it ends.
    void setRunning(bool running) { ticker_.setRunning(running); }
    bool running() const { return ticker_.running(); }
    QLabel* label() const { return label_; }
    Timer& timer() { return *timer_; }
    // Runs before the overlay shows (the language texts).
    void setApplyLanguage(std::function<void()> apply) { applyLanguage_ = std::move(apply); }

  signals:
    // 61 ticks without an end: the wizard goes back to its address page.
    void gaveUp();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void onTick();
    void finish();

    QWidget* mainWindow_;
    std::unique_ptr<Timer> timer_;
    BusyOverlayTicker ticker_;
    QLabel* label_;
    QTimer* spin_;
    int angle_ = 0;
    std::function<void()> applyLanguage_;
};

}  // namespace fv::ui

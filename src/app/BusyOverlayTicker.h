// The busy overlay's once-a-second tick: "connecting" with growing dots while the detection
// runs, closing once it ended, and giving up after 61 ticks.
#pragma once

#include "i18n/MessageTexts.h"

#include <QString>

namespace fv {

class BusyOverlayTicker {
  public:
    explicit BusyOverlayTicker(const MessageTexts& texts = MessageTexts::english())
        : texts_(&texts) {}

    static constexpr int kGiveUpAfter = 60;  // the tick that takes the counter past this gives up

    enum class Outcome { Continue, Close, GiveUp };

    void start() {
        counter_ = 0;
        running_ = true;
    }
    // The detection clears this when it ends.
    void setRunning(bool running) { running_ = running; }
    bool running() const { return running_; }
    int counter() const { return counter_; }
    const QString& text() const { return text_; }

    Outcome tick();

  private:
    int counter_ = 0;
    bool running_ = false;
    const MessageTexts* texts_;
    QString text_;
};

}  // namespace fv

#include "app/BusyOverlayTicker.h"

#include "i18n/MessageTexts.h"

namespace fv {

BusyOverlayTicker::Outcome BusyOverlayTicker::tick() {
    if (!running_) {
        counter_ = 0;
        return Outcome::Close;
    }
    static const char* const kDots[] = {".", "...", "....."};
    text_ = (*texts_)[Msg::FormProgressMsg0] + QLatin1String(kDots[counter_ % 3]);
    ++counter_;
    if (counter_ > kGiveUpAfter) {
        counter_ = 0;
        running_ = false;
        return Outcome::GiveUp;
    }
    return Outcome::Continue;
}

}  // namespace fv

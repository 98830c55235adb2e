// TimerAtBegin: one second after start, once, the optional version check.
#pragma once

namespace fv {

class Timer;
class VersionCheckStarter;

class AtBeginTimer {
  public:
    // checker may be null while there is no update window; then the tick only logs.
    AtBeginTimer(Timer& timer, VersionCheckStarter* checker);

    // Arms the timer with the framework's default interval of 1000 ms.
    void start();

  private:
    void onTick();

    Timer& timer_;
    VersionCheckStarter* checker_;
};

}  // namespace fv

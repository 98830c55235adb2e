// A dozen realistic tasks for the demo, and the small random changes that keep them alive.
#pragma once

#include <random>

#include "TaskBoard.h"

namespace routersim {

class DemoTasks {
  public:
    explicit DemoTasks(unsigned seed = 2026) : random_(seed) {}

    void populate(TaskBoard& board);
    // One demo step: speeds wander, running tasks advance by `seconds` of transfer.
    void step(TaskBoard& board, double seconds);

  private:
    std::mt19937 random_;
};

}  // namespace routersim

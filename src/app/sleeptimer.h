// The sleep timer: minutes counted down by a once-a-minute timer of its own.
#pragma once

#include <functional>

#include "gui/timer.h"

class TSleepTimer {
  public:
    // changed runs at each minute that passes, ended when the last one has.
    TSleepTimer(TComponent* owner, std::function<void()> changed, std::function<void()> ended);

    // Counts down from the minutes, each minuteMs long; 0 minutes stops it.
    void Start(int minutes, unsigned minuteMs);
    int MinutesLeft() const { return left_; }

  private:
    void Tick();

    TTimer* timer_;
    int left_ = 0;
    std::function<void()> changed_, ended_;
};

// A message-driven timer. The platform timer runs only while the timer is enabled,
// has an interval above 0 and has an OnTimer handler; each tick runs the handler
// through the application's dispatcher.
#pragma once

#include <memory>

#include "gui/component.h"

class THiddenWindow;
class TTimer;

// OnTimer of a timer: assigning it starts or stops the platform timer, which is
// why it is not a plain std::function.
class TTimerEvent {
  public:
    explicit TTimerEvent(TTimer* timer) : timer_(timer) {}
    TTimerEvent(const TTimerEvent&) = delete;
    TTimerEvent& operator=(TNotifyEvent handler);
    TTimerEvent& operator=(std::nullptr_t) { return *this = TNotifyEvent(); }
    explicit operator bool() const { return static_cast<bool>(handler_); }
    void operator()(TObject* sender) const { handler_(sender); }

  private:
    TTimer* timer_;
    TNotifyEvent handler_;
};

class TTimer : public TComponent {
  public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    // A change restarts the timer; each raises EOutOfResources "Not enough timers
    // available" when the system refuses it (Enabled stays as set, Running false).
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned milliseconds);
    bool Running() const { return running_; }

    TTimerEvent OnTimer{this};

  private:
    friend class TTimerEvent;
    void UpdateTimer();
    void Tick();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    bool running_ = false;
    std::unique_ptr<THiddenWindow> window_;
};

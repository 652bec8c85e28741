#include "gui/timer.h"

#include "gui/application.h"
#include "gui/exceptions.h"
#include "gui/hiddenwindow.h"
#include "platform/platform.h"

namespace {
constexpr plat::UINT kTimerId = 1;
}

TTimerEvent& TTimerEvent::operator=(TNotifyEvent handler) {
    handler_ = std::move(handler);
    timer_->UpdateTimer();
    return *this;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    window_ = std::make_unique<THiddenWindow>(plat::WindowKind::Utility, "TTimerWindow",
                                              [this](plat::Message& m) {
                                                  if (m.msg != plat::ZM_TIMER) return false;
                                                  Tick();
                                                  return true;
                                              });
}

TTimer::~TTimer() {
    if (running_) plat::Current().KillTimer(window_->Handle(), kTimerId);
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned milliseconds) {
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    auto& p = plat::Current();
    if (running_) p.KillTimer(window_->Handle(), kTimerId);
    running_ = false;
    if (!enabled_ || interval_ == 0 || !OnTimer || Designing()) return;
    // A timer the system refuses must not pass for a running one: its user would
    // wait for a tick that never comes.
    if (!p.SetTimer(window_->Handle(), kTimerId, interval_)) throw EOutOfResources(SNoTimers);
    running_ = true;
}

void TTimer::Tick() {
    // A tick that was already queued when the timer stopped is dropped.
    if (!running_ || !OnTimer) return;
    RunUserEvent([this] { OnTimer(this); });
}

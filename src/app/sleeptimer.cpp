#include "app/sleeptimer.h"

TSleepTimer::TSleepTimer(TComponent* owner, std::function<void()> changed,
                         std::function<void()> ended)
    : timer_(new TTimer(owner)), changed_(std::move(changed)), ended_(std::move(ended)) {
    timer_->SetName("SleepTimer");
    timer_->SetEnabled(false);
    timer_->OnTimer = [this](TObject*) { Tick(); };
}

void TSleepTimer::Start(int minutes, unsigned minuteMs) {
    left_ = minutes > 0 ? minutes : 0;
    timer_->SetEnabled(false);
    if (left_ == 0) return;
    timer_->SetInterval(minuteMs);
    timer_->SetEnabled(true);
}

void TSleepTimer::Tick() {
    if (left_ > 0) --left_;
    if (left_ > 0) return changed_();
    timer_->SetEnabled(false);
    ended_();
}

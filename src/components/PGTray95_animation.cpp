// The animated state: frames shown one after another on a timer, each read again
// from its file or resource when its turn comes.
#include "components/PGTray95.h"

#include <exception>

#include "gui/exceptions.h"

TPGTrayIconAnimation::TPGTrayIconAnimation(TPGTrayIcon95* owner)
    : owner_(owner), icons_(std::make_unique<TStringList>()) {}

TPGTrayIconAnimation::~TPGTrayIconAnimation() {
    delete timer_;
}

bool TPGTrayIconAnimation::OwnerAnimating() const {
    return owner_->Active() && owner_->State() == tsAnimated;
}

void TPGTrayIconAnimation::SetInterval(int milliseconds) {
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    if (!OwnerAnimating()) return;
    Stop();
    Start();
}

void TPGTrayIconAnimation::SetIcons(const TStringList& icons) {
    icons_->Assign(icons);
    // The timer keeps its pace; its next tick shows the new first frame.
    if (OwnerAnimating()) frameIndex_ = 0;
}

void TPGTrayIconAnimation::Start() {
    frameIndex_ = 0;
    // The first frame shows at once. Should it fail, the timer still starts, so that
    // the next tick tries the frame again, as it would for any later frame.
    std::exception_ptr failure;
    try {
        NextFrame();
    } catch (...) {
        failure = std::current_exception();
    }
    if (owner_->State() == tsAnimated && !running_) {
        if (!timer_) {
            timer_ = new TTimer(owner_);
            timer_->SetEnabled(false);
            timer_->OnTimer = [this](TObject*) { NextFrame(); };
        }
        timer_->SetInterval(interval_ > 0 ? static_cast<unsigned>(interval_) : 0u);
        try {
            timer_->SetEnabled(true);  // the system may refuse it: stopped, and reported
        } catch (...) {
            timer_->SetEnabled(false);
            throw;
        }
        running_ = true;
    }
    if (failure) std::rethrow_exception(failure);
}

void TPGTrayIconAnimation::Stop() {
    running_ = false;
    if (timer_) timer_->SetEnabled(false);
}

void TPGTrayIconAnimation::NextFrame() {
    try {
        Fire(owner_->OnAnimation, owner_);
        owner_->UpdateIcon();
    } catch (const EFOpenError&) {
        // A frame that cannot be opened is skipped: the previous picture stays.
    }
    frameIndex_ = frameIndex_ < icons_->Count() - 1 ? frameIndex_ + 1 : 0;
}

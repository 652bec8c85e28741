// The virtual clock, its timers, and the message loops that tests drive: nothing here
// waits, and nothing loops for ever.
#include <algorithm>

#include "platform/headless/state.h"

namespace plat::headless {

namespace {

// A window that posts itself a message on every message would otherwise never let go.
constexpr int kMaxDeliveriesPerDispatch = 100000;
// Modal windows opened from inside the scripted user of a modal window.
constexpr int kMaxModalDepth = 16;

}  // namespace

std::uint64_t HeadlessPlatform::Now() const {
    return state_->now;
}

void HeadlessPlatform::DispatchPosted() {
    auto& s = *state_;
    // Messages posted while these are handled join the queue and are delivered too.
    for (int n = 0; n < kMaxDeliveriesPerDispatch && !s.posted.empty(); ++n) {
        auto m = s.posted.front();
        s.posted.pop_front();
        if (auto* w = s.Find(m.window)) Deliver(*w, m.window, m.msg, m.wParam, m.lParam);
    }
}

void HeadlessPlatform::Advance(std::uint32_t milliseconds) {
    auto& s = *state_;
    const auto target = s.now + milliseconds;
    DispatchPosted();
    for (;;) {
        // The earliest due timer; among equal times the one set first.
        auto next = s.timers.end();
        for (auto it = s.timers.begin(); it != s.timers.end(); ++it) {
            if (it->interval == 0 || it->due > target) continue;
            if (next == s.timers.end() ||
                std::tie(it->due, it->order) < std::tie(next->due, next->order))
                next = it;
        }
        if (next == s.timers.end()) break;
        s.now = next->due;
        next->due += next->interval;
        HWND window = next->window;
        UINT id = next->id;
        // The handler may set or kill timers: nothing of the list is held across it.
        if (auto* w = s.Find(window)) Deliver(*w, window, ZM_TIMER, id, 0);
        DispatchPosted();
    }
    s.now = target;
}

BOOL HeadlessPlatform::SetTimer(HWND window, UINT id, UINT milliseconds) {
    Record(log, "SetTimer", window, id, milliseconds);
    auto& s = *state_;
    if (!s.Find(window) || refuseTimers) return 0;
    // Setting a timer again starts its interval over from now.
    auto it = std::find_if(s.timers.begin(), s.timers.end(),
                           [&](const Timer& t) { return t.window == window && t.id == id; });
    if (it == s.timers.end()) it = s.timers.insert(s.timers.end(), Timer{window, id});
    it->interval = milliseconds;
    it->due = s.now + milliseconds;
    it->order = ++s.timerOrder;
    return 1;
}

BOOL HeadlessPlatform::KillTimer(HWND window, UINT id) {
    Record(log, "KillTimer", window, id);
    return std::erase_if(state_->timers,
                         [&](const Timer& t) { return t.window == window && t.id == id; }) > 0
               ? 1
               : 0;
}

void HeadlessPlatform::RunMessageLoop() {
    Record(log, "RunMessageLoop");
    DispatchPosted();
}

void HeadlessPlatform::RunModalLoop(HWND modalWindow, const std::function<bool()>& done) {
    Record(log, "RunModalLoop", modalWindow);
    auto& s = *state_;
    DispatchPosted();
    if (!done() && onModal && s.modalDepth < kMaxModalDepth) {
        ++s.modalDepth;
        onModal(modalWindow);
        --s.modalDepth;
        DispatchPosted();
    }
    if (done()) return;
    // The scripted user left the window open: close it as its close box would.
    ++modalsClosedByHarness;
    if (auto* w = s.Find(modalWindow)) Deliver(*w, modalWindow, ZM_CLOSE, 0, 0);
    DispatchPosted();
}

void HeadlessPlatform::ProcessMessages() {
    Record(log, "ProcessMessages");
    DispatchPosted();
}

}  // namespace plat::headless

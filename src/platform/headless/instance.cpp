// The one running copy of the program and the end of the session, as the test's
// script has them: another copy that runs or not, later starts and the session's end
// raised by the test.
#include "platform/headless/state.h"

namespace plat::headless {

bool HeadlessPlatform::ClaimSingleInstance() {
    Record(log, "ClaimSingleInstance");
    if (anotherCopyRuns) ++laterStartsTold;
    return !anotherCopyRuns;
}

void HeadlessPlatform::WatchLaterStarts(HWND window, UINT message) {
    Record(log, "WatchLaterStarts", window, message);
    state_->laterStartsWindow = window;
    state_->laterStartsMessage = message;
}

void HeadlessPlatform::WatchSessionEnd(HWND window, UINT message) {
    Record(log, "WatchSessionEnd", window, message);
    state_->sessionEndWindow = window;
    state_->sessionEndMessage = message;
}

void HeadlessPlatform::StartLaterCopy() {
    auto& s = *state_;
    if (s.laterStartsWindow) PostMessageA(s.laterStartsWindow, s.laterStartsMessage, 0, 0);
}

void HeadlessPlatform::EndSession(bool programToEnd) {
    auto& s = *state_;
    if (s.sessionEndWindow)
        SendMessageA(s.sessionEndWindow, s.sessionEndMessage, programToEnd ? 1 : 0, 0);
}

}  // namespace plat::headless
